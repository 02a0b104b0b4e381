file(REMOVE_RECURSE
  "CMakeFiles/support_AppEvents_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_AppEvents_test_autogen.dir/ParseCache.txt"
  "support_AppEvents_test_autogen"
  "CMakeFiles/support_AppEvents_test.dir/support/AppEvents_test.cpp.o"
  "CMakeFiles/support_AppEvents_test.dir/support/AppEvents_test.cpp.o.d"
  "CMakeFiles/support_AppEvents_test.dir/support_AppEvents_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_AppEvents_test.dir/support_AppEvents_test_autogen/mocs_compilation.cpp.o.d"
  "support_AppEvents_test"
  "support_AppEvents_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_AppEvents_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
