file(REMOVE_RECURSE
  "CMakeFiles/platform_Clipbrd_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Clipbrd_test_autogen.dir/ParseCache.txt"
  "platform_Clipbrd_test_autogen"
  "CMakeFiles/platform_Clipbrd_test.dir/platform/Clipbrd_test.cpp.o"
  "CMakeFiles/platform_Clipbrd_test.dir/platform/Clipbrd_test.cpp.o.d"
  "CMakeFiles/platform_Clipbrd_test.dir/platform_Clipbrd_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Clipbrd_test.dir/platform_Clipbrd_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Clipbrd_test"
  "platform_Clipbrd_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Clipbrd_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
