file(REMOVE_RECURSE
  "CMakeFiles/platform_ExtCtrls_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_ExtCtrls_test_autogen.dir/ParseCache.txt"
  "platform_ExtCtrls_test_autogen"
  "CMakeFiles/platform_ExtCtrls_test.dir/platform/ExtCtrls_test.cpp.o"
  "CMakeFiles/platform_ExtCtrls_test.dir/platform/ExtCtrls_test.cpp.o.d"
  "CMakeFiles/platform_ExtCtrls_test.dir/platform_ExtCtrls_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_ExtCtrls_test.dir/platform_ExtCtrls_test_autogen/mocs_compilation.cpp.o.d"
  "platform_ExtCtrls_test"
  "platform_ExtCtrls_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_ExtCtrls_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
