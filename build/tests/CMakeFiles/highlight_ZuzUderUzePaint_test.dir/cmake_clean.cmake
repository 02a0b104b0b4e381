file(REMOVE_RECURSE
  "CMakeFiles/highlight_ZuzUderUzePaint_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/highlight_ZuzUderUzePaint_test_autogen.dir/ParseCache.txt"
  "highlight_ZuzUderUzePaint_test_autogen"
  "CMakeFiles/highlight_ZuzUderUzePaint_test.dir/highlight/ZuzUderUzePaint_test.cpp.o"
  "CMakeFiles/highlight_ZuzUderUzePaint_test.dir/highlight/ZuzUderUzePaint_test.cpp.o.d"
  "CMakeFiles/highlight_ZuzUderUzePaint_test.dir/highlight_ZuzUderUzePaint_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/highlight_ZuzUderUzePaint_test.dir/highlight_ZuzUderUzePaint_test_autogen/mocs_compilation.cpp.o.d"
  "highlight_ZuzUderUzePaint_test"
  "highlight_ZuzUderUzePaint_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/highlight_ZuzUderUzePaint_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
