file(REMOVE_RECURSE
  "CMakeFiles/platform_Gdi_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Gdi_test_autogen.dir/ParseCache.txt"
  "platform_Gdi_test_autogen"
  "CMakeFiles/platform_Gdi_test.dir/platform/Gdi_test.cpp.o"
  "CMakeFiles/platform_Gdi_test.dir/platform/Gdi_test.cpp.o.d"
  "CMakeFiles/platform_Gdi_test.dir/platform_Gdi_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Gdi_test.dir/platform_Gdi_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Gdi_test"
  "platform_Gdi_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Gdi_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
