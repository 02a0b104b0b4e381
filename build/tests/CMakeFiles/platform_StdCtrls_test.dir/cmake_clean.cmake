file(REMOVE_RECURSE
  "CMakeFiles/platform_StdCtrls_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_StdCtrls_test_autogen.dir/ParseCache.txt"
  "platform_StdCtrls_test_autogen"
  "CMakeFiles/platform_StdCtrls_test.dir/platform/StdCtrls_test.cpp.o"
  "CMakeFiles/platform_StdCtrls_test.dir/platform/StdCtrls_test.cpp.o.d"
  "CMakeFiles/platform_StdCtrls_test.dir/platform_StdCtrls_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_StdCtrls_test.dir/platform_StdCtrls_test_autogen/mocs_compilation.cpp.o.d"
  "platform_StdCtrls_test"
  "platform_StdCtrls_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_StdCtrls_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
