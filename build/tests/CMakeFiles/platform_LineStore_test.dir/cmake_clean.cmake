file(REMOVE_RECURSE
  "CMakeFiles/platform_LineStore_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_LineStore_test_autogen.dir/ParseCache.txt"
  "platform_LineStore_test_autogen"
  "CMakeFiles/platform_LineStore_test.dir/platform/LineStore_test.cpp.o"
  "CMakeFiles/platform_LineStore_test.dir/platform/LineStore_test.cpp.o.d"
  "CMakeFiles/platform_LineStore_test.dir/platform_LineStore_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_LineStore_test.dir/platform_LineStore_test_autogen/mocs_compilation.cpp.o.d"
  "platform_LineStore_test"
  "platform_LineStore_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_LineStore_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
