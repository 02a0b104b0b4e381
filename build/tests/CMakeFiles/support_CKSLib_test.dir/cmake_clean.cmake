file(REMOVE_RECURSE
  "CMakeFiles/support_CKSLib_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_CKSLib_test_autogen.dir/ParseCache.txt"
  "support_CKSLib_test_autogen"
  "CMakeFiles/support_CKSLib_test.dir/support/CKSLib_test.cpp.o"
  "CMakeFiles/support_CKSLib_test.dir/support/CKSLib_test.cpp.o.d"
  "CMakeFiles/support_CKSLib_test.dir/support_CKSLib_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_CKSLib_test.dir/support_CKSLib_test_autogen/mocs_compilation.cpp.o.d"
  "support_CKSLib_test"
  "support_CKSLib_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_CKSLib_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
