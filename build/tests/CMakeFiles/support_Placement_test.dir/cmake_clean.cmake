file(REMOVE_RECURSE
  "CMakeFiles/support_Placement_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_Placement_test_autogen.dir/ParseCache.txt"
  "support_Placement_test_autogen"
  "CMakeFiles/support_Placement_test.dir/support/Placement_test.cpp.o"
  "CMakeFiles/support_Placement_test.dir/support/Placement_test.cpp.o.d"
  "CMakeFiles/support_Placement_test.dir/support_Placement_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_Placement_test.dir/support_Placement_test_autogen/mocs_compilation.cpp.o.d"
  "support_Placement_test"
  "support_Placement_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_Placement_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
