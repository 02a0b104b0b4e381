file(REMOVE_RECURSE
  "CMakeFiles/highlight_ZuzUderUze_test_autogen"
  "highlight_ZuzUderUze_test_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/highlight_ZuzUderUze_test_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
