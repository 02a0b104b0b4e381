file(REMOVE_RECURSE
  "CMakeFiles/support_OmCursors_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/support_OmCursors_test_autogen.dir/ParseCache.txt"
  "support_OmCursors_test_autogen"
  "CMakeFiles/support_OmCursors_test.dir/support/OmCursors_test.cpp.o"
  "CMakeFiles/support_OmCursors_test.dir/support/OmCursors_test.cpp.o.d"
  "CMakeFiles/support_OmCursors_test.dir/support_OmCursors_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/support_OmCursors_test.dir/support_OmCursors_test_autogen/mocs_compilation.cpp.o.d"
  "support_OmCursors_test"
  "support_OmCursors_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/support_OmCursors_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
