file(REMOVE_RECURSE
  "CMakeFiles/platform_ShortCuts_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_ShortCuts_test_autogen.dir/ParseCache.txt"
  "platform_ShortCuts_test_autogen"
  "CMakeFiles/platform_ShortCuts_test.dir/platform/ShortCuts_test.cpp.o"
  "CMakeFiles/platform_ShortCuts_test.dir/platform/ShortCuts_test.cpp.o.d"
  "CMakeFiles/platform_ShortCuts_test.dir/platform_ShortCuts_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_ShortCuts_test.dir/platform_ShortCuts_test_autogen/mocs_compilation.cpp.o.d"
  "platform_ShortCuts_test"
  "platform_ShortCuts_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_ShortCuts_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
