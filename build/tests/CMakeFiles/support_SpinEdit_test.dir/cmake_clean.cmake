file(REMOVE_RECURSE
  "CMakeFiles/support_SpinEdit_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_SpinEdit_test_autogen.dir/ParseCache.txt"
  "support_SpinEdit_test_autogen"
  "CMakeFiles/support_SpinEdit_test.dir/support/SpinEdit_test.cpp.o"
  "CMakeFiles/support_SpinEdit_test.dir/support/SpinEdit_test.cpp.o.d"
  "CMakeFiles/support_SpinEdit_test.dir/support_SpinEdit_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_SpinEdit_test.dir/support_SpinEdit_test_autogen/mocs_compilation.cpp.o.d"
  "support_SpinEdit_test"
  "support_SpinEdit_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_SpinEdit_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
