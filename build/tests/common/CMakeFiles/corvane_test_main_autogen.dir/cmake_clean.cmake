file(REMOVE_RECURSE
  "CMakeFiles/corvane_test_main_autogen"
  "corvane_test_main_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/corvane_test_main_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
