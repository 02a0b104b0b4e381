file(REMOVE_RECURSE
  "CMakeFiles/platform_Classes_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Classes_test_autogen.dir/ParseCache.txt"
  "platform_Classes_test_autogen"
  "CMakeFiles/platform_Classes_test.dir/platform/Classes_test.cpp.o"
  "CMakeFiles/platform_Classes_test.dir/platform/Classes_test.cpp.o.d"
  "CMakeFiles/platform_Classes_test.dir/platform_Classes_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Classes_test.dir/platform_Classes_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Classes_test"
  "platform_Classes_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Classes_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
