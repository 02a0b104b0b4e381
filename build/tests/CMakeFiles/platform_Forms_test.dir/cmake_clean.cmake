file(REMOVE_RECURSE
  "CMakeFiles/platform_Forms_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Forms_test_autogen.dir/ParseCache.txt"
  "platform_Forms_test_autogen"
  "CMakeFiles/platform_Forms_test.dir/platform/Forms_test.cpp.o"
  "CMakeFiles/platform_Forms_test.dir/platform/Forms_test.cpp.o.d"
  "CMakeFiles/platform_Forms_test.dir/platform_Forms_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Forms_test.dir/platform_Forms_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Forms_test"
  "platform_Forms_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Forms_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
