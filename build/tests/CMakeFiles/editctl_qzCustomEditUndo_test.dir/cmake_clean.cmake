file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzCustomEditUndo_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzCustomEditUndo_test_autogen.dir/ParseCache.txt"
  "editctl_qzCustomEditUndo_test_autogen"
  "CMakeFiles/editctl_qzCustomEditUndo_test.dir/editctl/qzCustomEditUndo_test.cpp.o"
  "CMakeFiles/editctl_qzCustomEditUndo_test.dir/editctl/qzCustomEditUndo_test.cpp.o.d"
  "CMakeFiles/editctl_qzCustomEditUndo_test.dir/editctl_qzCustomEditUndo_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzCustomEditUndo_test.dir/editctl_qzCustomEditUndo_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzCustomEditUndo_test"
  "editctl_qzCustomEditUndo_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzCustomEditUndo_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
