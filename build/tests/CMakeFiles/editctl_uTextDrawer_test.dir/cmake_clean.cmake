file(REMOVE_RECURSE
  "CMakeFiles/editctl_uTextDrawer_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editctl_uTextDrawer_test_autogen.dir/ParseCache.txt"
  "editctl_uTextDrawer_test_autogen"
  "CMakeFiles/editctl_uTextDrawer_test.dir/editctl/uTextDrawer_test.cpp.o"
  "CMakeFiles/editctl_uTextDrawer_test.dir/editctl/uTextDrawer_test.cpp.o.d"
  "CMakeFiles/editctl_uTextDrawer_test.dir/editctl_uTextDrawer_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editctl_uTextDrawer_test.dir/editctl_uTextDrawer_test_autogen/mocs_compilation.cpp.o.d"
  "editctl_uTextDrawer_test"
  "editctl_uTextDrawer_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editctl_uTextDrawer_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
