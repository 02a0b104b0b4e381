file(REMOVE_RECURSE
  "CMakeFiles/platform_Registry_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Registry_test_autogen.dir/ParseCache.txt"
  "platform_Registry_test_autogen"
  "CMakeFiles/platform_Registry_test.dir/platform/Registry_test.cpp.o"
  "CMakeFiles/platform_Registry_test.dir/platform/Registry_test.cpp.o.d"
  "CMakeFiles/platform_Registry_test.dir/platform_Registry_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Registry_test.dir/platform_Registry_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Registry_test"
  "platform_Registry_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Registry_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
