file(REMOVE_RECURSE
  "CMakeFiles/Corvane_autogen"
  "Corvane_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/Corvane_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
