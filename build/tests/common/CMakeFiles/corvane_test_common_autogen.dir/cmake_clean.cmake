file(REMOVE_RECURSE
  "CMakeFiles/corvane_test_common_autogen"
  "corvane_test_common_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/corvane_test_common_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
