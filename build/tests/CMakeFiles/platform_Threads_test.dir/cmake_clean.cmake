file(REMOVE_RECURSE
  "CMakeFiles/platform_Threads_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Threads_test_autogen.dir/ParseCache.txt"
  "platform_Threads_test_autogen"
  "CMakeFiles/platform_Threads_test.dir/platform/Threads_test.cpp.o"
  "CMakeFiles/platform_Threads_test.dir/platform/Threads_test.cpp.o.d"
  "CMakeFiles/platform_Threads_test.dir/platform_Threads_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Threads_test.dir/platform_Threads_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Threads_test"
  "platform_Threads_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Threads_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
