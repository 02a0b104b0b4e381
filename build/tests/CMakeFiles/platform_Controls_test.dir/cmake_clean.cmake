file(REMOVE_RECURSE
  "CMakeFiles/platform_Controls_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Controls_test_autogen.dir/ParseCache.txt"
  "platform_Controls_test_autogen"
  "CMakeFiles/platform_Controls_test.dir/platform/Controls_test.cpp.o"
  "CMakeFiles/platform_Controls_test.dir/platform/Controls_test.cpp.o.d"
  "CMakeFiles/platform_Controls_test.dir/platform_Controls_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Controls_test.dir/platform_Controls_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Controls_test"
  "platform_Controls_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Controls_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
