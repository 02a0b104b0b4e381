file(REMOVE_RECURSE
  "CMakeFiles/platform_Menus_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Menus_test_autogen.dir/ParseCache.txt"
  "platform_Menus_test_autogen"
  "CMakeFiles/platform_Menus_test.dir/platform/Menus_test.cpp.o"
  "CMakeFiles/platform_Menus_test.dir/platform/Menus_test.cpp.o.d"
  "CMakeFiles/platform_Menus_test.dir/platform_Menus_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Menus_test.dir/platform_Menus_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Menus_test"
  "platform_Menus_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Menus_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
