file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzCustomEditCommands_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzCustomEditCommands_test_autogen.dir/ParseCache.txt"
  "editctl_qzCustomEditCommands_test_autogen"
  "CMakeFiles/editctl_qzCustomEditCommands_test.dir/editctl/qzCustomEditCommands_test.cpp.o"
  "CMakeFiles/editctl_qzCustomEditCommands_test.dir/editctl/qzCustomEditCommands_test.cpp.o.d"
  "CMakeFiles/editctl_qzCustomEditCommands_test.dir/editctl_qzCustomEditCommands_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzCustomEditCommands_test.dir/editctl_qzCustomEditCommands_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzCustomEditCommands_test"
  "editctl_qzCustomEditCommands_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzCustomEditCommands_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
