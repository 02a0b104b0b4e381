file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzGutter_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzGutter_test_autogen.dir/ParseCache.txt"
  "editctl_qzGutter_test_autogen"
  "CMakeFiles/editctl_qzGutter_test.dir/editctl/qzGutter_test.cpp.o"
  "CMakeFiles/editctl_qzGutter_test.dir/editctl/qzGutter_test.cpp.o.d"
  "CMakeFiles/editctl_qzGutter_test.dir/editctl_qzGutter_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzGutter_test.dir/editctl_qzGutter_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzGutter_test"
  "editctl_qzGutter_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzGutter_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
