file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzSupportClasses_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzSupportClasses_test_autogen.dir/ParseCache.txt"
  "editctl_qzSupportClasses_test_autogen"
  "CMakeFiles/editctl_qzSupportClasses_test.dir/editctl/qzSupportClasses_test.cpp.o"
  "CMakeFiles/editctl_qzSupportClasses_test.dir/editctl/qzSupportClasses_test.cpp.o.d"
  "CMakeFiles/editctl_qzSupportClasses_test.dir/editctl_qzSupportClasses_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzSupportClasses_test.dir/editctl_qzSupportClasses_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzSupportClasses_test"
  "editctl_qzSupportClasses_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzSupportClasses_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
