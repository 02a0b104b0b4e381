file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzSupportProcs_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzSupportProcs_test_autogen.dir/ParseCache.txt"
  "editctl_qzSupportProcs_test_autogen"
  "CMakeFiles/editctl_qzSupportProcs_test.dir/editctl/qzSupportProcs_test.cpp.o"
  "CMakeFiles/editctl_qzSupportProcs_test.dir/editctl/qzSupportProcs_test.cpp.o.d"
  "CMakeFiles/editctl_qzSupportProcs_test.dir/editctl_qzSupportProcs_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzSupportProcs_test.dir/editctl_qzSupportProcs_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzSupportProcs_test"
  "editctl_qzSupportProcs_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzSupportProcs_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
