file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzCustomEditCaret_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzCustomEditCaret_test_autogen.dir/ParseCache.txt"
  "editctl_qzCustomEditCaret_test_autogen"
  "CMakeFiles/editctl_qzCustomEditCaret_test.dir/editctl/qzCustomEditCaret_test.cpp.o"
  "CMakeFiles/editctl_qzCustomEditCaret_test.dir/editctl/qzCustomEditCaret_test.cpp.o.d"
  "CMakeFiles/editctl_qzCustomEditCaret_test.dir/editctl_qzCustomEditCaret_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzCustomEditCaret_test.dir/editctl_qzCustomEditCaret_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzCustomEditCaret_test"
  "editctl_qzCustomEditCaret_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzCustomEditCaret_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
