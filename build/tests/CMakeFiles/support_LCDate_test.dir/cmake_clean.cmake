file(REMOVE_RECURSE
  "CMakeFiles/support_LCDate_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_LCDate_test_autogen.dir/ParseCache.txt"
  "support_LCDate_test_autogen"
  "CMakeFiles/support_LCDate_test.dir/support/LCDate_test.cpp.o"
  "CMakeFiles/support_LCDate_test.dir/support/LCDate_test.cpp.o.d"
  "CMakeFiles/support_LCDate_test.dir/support_LCDate_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_LCDate_test.dir/support_LCDate_test_autogen/mocs_compilation.cpp.o.d"
  "support_LCDate_test"
  "support_LCDate_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_LCDate_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
