file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzCustomEditKeys_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzCustomEditKeys_test_autogen.dir/ParseCache.txt"
  "editctl_qzCustomEditKeys_test_autogen"
  "CMakeFiles/editctl_qzCustomEditKeys_test.dir/editctl/qzCustomEditKeys_test.cpp.o"
  "CMakeFiles/editctl_qzCustomEditKeys_test.dir/editctl/qzCustomEditKeys_test.cpp.o.d"
  "CMakeFiles/editctl_qzCustomEditKeys_test.dir/editctl_qzCustomEditKeys_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzCustomEditKeys_test.dir/editctl_qzCustomEditKeys_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzCustomEditKeys_test"
  "editctl_qzCustomEditKeys_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzCustomEditKeys_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
