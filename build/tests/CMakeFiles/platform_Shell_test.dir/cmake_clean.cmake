file(REMOVE_RECURSE
  "CMakeFiles/platform_Shell_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Shell_test_autogen.dir/ParseCache.txt"
  "platform_Shell_test_autogen"
  "CMakeFiles/platform_Shell_test.dir/platform/Shell_test.cpp.o"
  "CMakeFiles/platform_Shell_test.dir/platform/Shell_test.cpp.o.d"
  "CMakeFiles/platform_Shell_test.dir/platform_Shell_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Shell_test.dir/platform_Shell_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Shell_test"
  "platform_Shell_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Shell_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
