file(REMOVE_RECURSE
  "CMakeFiles/editctl_qzEditSearch_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_qzEditSearch_test_autogen.dir/ParseCache.txt"
  "editctl_qzEditSearch_test_autogen"
  "CMakeFiles/editctl_qzEditSearch_test.dir/editctl/qzEditSearch_test.cpp.o"
  "CMakeFiles/editctl_qzEditSearch_test.dir/editctl/qzEditSearch_test.cpp.o.d"
  "CMakeFiles/editctl_qzEditSearch_test.dir/editctl_qzEditSearch_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_qzEditSearch_test.dir/editctl_qzEditSearch_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_qzEditSearch_test"
  "editctl_qzEditSearch_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_qzEditSearch_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
