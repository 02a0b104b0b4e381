file(REMOVE_RECURSE
  "CMakeFiles/support_RegTools_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_RegTools_test_autogen.dir/ParseCache.txt"
  "support_RegTools_test_autogen"
  "CMakeFiles/support_RegTools_test.dir/support/RegTools_test.cpp.o"
  "CMakeFiles/support_RegTools_test.dir/support/RegTools_test.cpp.o.d"
  "CMakeFiles/support_RegTools_test.dir/support_RegTools_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_RegTools_test.dir/support_RegTools_test_autogen/mocs_compilation.cpp.o.d"
  "support_RegTools_test"
  "support_RegTools_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_RegTools_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
