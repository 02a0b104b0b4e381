file(REMOVE_RECURSE
  "CMakeFiles/platform_CharType_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_CharType_test_autogen.dir/ParseCache.txt"
  "platform_CharType_test_autogen"
  "CMakeFiles/platform_CharType_test.dir/platform/CharType_test.cpp.o"
  "CMakeFiles/platform_CharType_test.dir/platform/CharType_test.cpp.o.d"
  "CMakeFiles/platform_CharType_test.dir/platform_CharType_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_CharType_test.dir/platform_CharType_test_autogen/mocs_compilation.cpp.o.d"
  "platform_CharType_test"
  "platform_CharType_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_CharType_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
