file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzCustomEditPaint_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzCustomEditPaint_test_autogen.dir/ParseCache.txt"
  "editctl_qzCustomEditPaint_test_autogen"
  "CMakeFiles/editctl_qzCustomEditPaint_test.dir/editctl/qzCustomEditPaint_test.cpp.o"
  "CMakeFiles/editctl_qzCustomEditPaint_test.dir/editctl/qzCustomEditPaint_test.cpp.o.d"
  "CMakeFiles/editctl_qzCustomEditPaint_test.dir/editctl_qzCustomEditPaint_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzCustomEditPaint_test.dir/editctl_qzCustomEditPaint_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzCustomEditPaint_test"
  "editctl_qzCustomEditPaint_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzCustomEditPaint_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
