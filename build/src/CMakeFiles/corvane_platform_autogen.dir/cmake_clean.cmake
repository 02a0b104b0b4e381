file(REMOVE_RECURSE
  "CMakeFiles/corvane_platform_autogen"
  "corvane_platform_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/corvane_platform_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
