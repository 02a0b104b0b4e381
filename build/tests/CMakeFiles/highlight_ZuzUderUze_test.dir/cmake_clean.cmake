file(REMOVE_RECURSE
  "CMakeFiles/highlight_ZuzUderUze_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/highlight_ZuzUderUze_test_autogen.dir/ParseCache.txt"
  "highlight_ZuzUderUze_test_autogen"
  "CMakeFiles/highlight_ZuzUderUze_test.dir/highlight/ZuzUderUze_test.cpp.o"
  "CMakeFiles/highlight_ZuzUderUze_test.dir/highlight/ZuzUderUze_test.cpp.o.d"
  "CMakeFiles/highlight_ZuzUderUze_test.dir/highlight_ZuzUderUze_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/highlight_ZuzUderUze_test.dir/highlight_ZuzUderUze_test_autogen/mocs_compilation.cpp.o.d"
  "highlight_ZuzUderUze_test"
  "highlight_ZuzUderUze_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/highlight_ZuzUderUze_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
