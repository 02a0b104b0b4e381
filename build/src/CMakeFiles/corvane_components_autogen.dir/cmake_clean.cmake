file(REMOVE_RECURSE
  "CMakeFiles/corvane_components_autogen"
  "corvane_components_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/corvane_components_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
