file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzCustomEdit_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzCustomEdit_test_autogen.dir/ParseCache.txt"
  "editctl_qzCustomEdit_test_autogen"
  "CMakeFiles/editctl_qzCustomEdit_test.dir/editctl/qzCustomEdit_test.cpp.o"
  "CMakeFiles/editctl_qzCustomEdit_test.dir/editctl/qzCustomEdit_test.cpp.o.d"
  "CMakeFiles/editctl_qzCustomEdit_test.dir/editctl_qzCustomEdit_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzCustomEdit_test.dir/editctl_qzCustomEdit_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzCustomEdit_test"
  "editctl_qzCustomEdit_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzCustomEdit_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
