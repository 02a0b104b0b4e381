file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzCustomEditMarks_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzCustomEditMarks_test_autogen.dir/ParseCache.txt"
  "editctl_qzCustomEditMarks_test_autogen"
  "CMakeFiles/editctl_qzCustomEditMarks_test.dir/editctl/qzCustomEditMarks_test.cpp.o"
  "CMakeFiles/editctl_qzCustomEditMarks_test.dir/editctl/qzCustomEditMarks_test.cpp.o.d"
  "CMakeFiles/editctl_qzCustomEditMarks_test.dir/editctl_qzCustomEditMarks_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzCustomEditMarks_test.dir/editctl_qzCustomEditMarks_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzCustomEditMarks_test"
  "editctl_qzCustomEditMarks_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzCustomEditMarks_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
