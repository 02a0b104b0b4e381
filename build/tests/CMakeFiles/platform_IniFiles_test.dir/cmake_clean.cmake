file(REMOVE_RECURSE
  "CMakeFiles/platform_IniFiles_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_IniFiles_test_autogen.dir/ParseCache.txt"
  "platform_IniFiles_test_autogen"
  "CMakeFiles/platform_IniFiles_test.dir/platform/IniFiles_test.cpp.o"
  "CMakeFiles/platform_IniFiles_test.dir/platform/IniFiles_test.cpp.o.d"
  "CMakeFiles/platform_IniFiles_test.dir/platform_IniFiles_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_IniFiles_test.dir/platform_IniFiles_test_autogen/mocs_compilation.cpp.o.d"
  "platform_IniFiles_test"
  "platform_IniFiles_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_IniFiles_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
