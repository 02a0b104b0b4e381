file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzKeyCmds_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzKeyCmds_test_autogen.dir/ParseCache.txt"
  "editctl_qzKeyCmds_test_autogen"
  "CMakeFiles/editctl_qzKeyCmds_test.dir/editctl/qzKeyCmds_test.cpp.o"
  "CMakeFiles/editctl_qzKeyCmds_test.dir/editctl/qzKeyCmds_test.cpp.o.d"
  "CMakeFiles/editctl_qzKeyCmds_test.dir/editctl_qzKeyCmds_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzKeyCmds_test.dir/editctl_qzKeyCmds_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzKeyCmds_test"
  "editctl_qzKeyCmds_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzKeyCmds_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
