file(REMOVE_RECURSE
  "CMakeFiles/support_StrUtils_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_StrUtils_test_autogen.dir/ParseCache.txt"
  "support_StrUtils_test_autogen"
  "CMakeFiles/support_StrUtils_test.dir/support/StrUtils_test.cpp.o"
  "CMakeFiles/support_StrUtils_test.dir/support/StrUtils_test.cpp.o.d"
  "CMakeFiles/support_StrUtils_test.dir/support_StrUtils_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_StrUtils_test.dir/support_StrUtils_test_autogen/mocs_compilation.cpp.o.d"
  "support_StrUtils_test"
  "support_StrUtils_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_StrUtils_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
