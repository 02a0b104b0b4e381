file(REMOVE_RECURSE
  "CMakeFiles/support_WndHook_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_WndHook_test_autogen.dir/ParseCache.txt"
  "support_WndHook_test_autogen"
  "CMakeFiles/support_WndHook_test.dir/support/WndHook_test.cpp.o"
  "CMakeFiles/support_WndHook_test.dir/support/WndHook_test.cpp.o.d"
  "CMakeFiles/support_WndHook_test.dir/support_WndHook_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_WndHook_test.dir/support_WndHook_test_autogen/mocs_compilation.cpp.o.d"
  "support_WndHook_test"
  "support_WndHook_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_WndHook_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
