file(REMOVE_RECURSE
  "CMakeFiles/platform_RegistryStore_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_RegistryStore_test_autogen.dir/ParseCache.txt"
  "platform_RegistryStore_test_autogen"
  "CMakeFiles/platform_RegistryStore_test.dir/platform/RegistryStore_test.cpp.o"
  "CMakeFiles/platform_RegistryStore_test.dir/platform/RegistryStore_test.cpp.o.d"
  "CMakeFiles/platform_RegistryStore_test.dir/platform_RegistryStore_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_RegistryStore_test.dir/platform_RegistryStore_test_autogen/mocs_compilation.cpp.o.d"
  "platform_RegistryStore_test"
  "platform_RegistryStore_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_RegistryStore_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
