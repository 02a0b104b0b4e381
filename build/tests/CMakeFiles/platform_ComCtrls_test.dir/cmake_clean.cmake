file(REMOVE_RECURSE
  "CMakeFiles/platform_ComCtrls_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_ComCtrls_test_autogen.dir/ParseCache.txt"
  "platform_ComCtrls_test_autogen"
  "CMakeFiles/platform_ComCtrls_test.dir/platform/ComCtrls_test.cpp.o"
  "CMakeFiles/platform_ComCtrls_test.dir/platform/ComCtrls_test.cpp.o.d"
  "CMakeFiles/platform_ComCtrls_test.dir/platform_ComCtrls_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_ComCtrls_test.dir/platform_ComCtrls_test_autogen/mocs_compilation.cpp.o.d"
  "platform_ComCtrls_test"
  "platform_ComCtrls_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_ComCtrls_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
