file(REMOVE_RECURSE
  "CMakeFiles/platform_Process_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Process_test_autogen.dir/ParseCache.txt"
  "platform_Process_test_autogen"
  "CMakeFiles/platform_Process_test.dir/platform/Process_test.cpp.o"
  "CMakeFiles/platform_Process_test.dir/platform/Process_test.cpp.o.d"
  "CMakeFiles/platform_Process_test.dir/platform_Process_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Process_test.dir/platform_Process_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Process_test"
  "platform_Process_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Process_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
