file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzCustomEditSearch_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzCustomEditSearch_test_autogen.dir/ParseCache.txt"
  "editctl_qzCustomEditSearch_test_autogen"
  "CMakeFiles/editctl_qzCustomEditSearch_test.dir/editctl/qzCustomEditSearch_test.cpp.o"
  "CMakeFiles/editctl_qzCustomEditSearch_test.dir/editctl/qzCustomEditSearch_test.cpp.o.d"
  "CMakeFiles/editctl_qzCustomEditSearch_test.dir/editctl_qzCustomEditSearch_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzCustomEditSearch_test.dir/editctl_qzCustomEditSearch_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzCustomEditSearch_test"
  "editctl_qzCustomEditSearch_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzCustomEditSearch_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
