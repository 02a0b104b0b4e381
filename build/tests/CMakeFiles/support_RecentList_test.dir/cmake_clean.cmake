file(REMOVE_RECURSE
  "CMakeFiles/support_RecentList_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_RecentList_test_autogen.dir/ParseCache.txt"
  "support_RecentList_test_autogen"
  "CMakeFiles/support_RecentList_test.dir/support/RecentList_test.cpp.o"
  "CMakeFiles/support_RecentList_test.dir/support/RecentList_test.cpp.o.d"
  "CMakeFiles/support_RecentList_test.dir/support_RecentList_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_RecentList_test.dir/support_RecentList_test_autogen/mocs_compilation.cpp.o.d"
  "support_RecentList_test"
  "support_RecentList_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_RecentList_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
