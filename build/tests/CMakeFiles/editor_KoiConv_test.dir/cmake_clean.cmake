file(REMOVE_RECURSE
  "CMakeFiles/editor_KoiConv_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editor_KoiConv_test_autogen.dir/ParseCache.txt"
  "editor_KoiConv_test_autogen"
  "CMakeFiles/editor_KoiConv_test.dir/editor/KoiConv_test.cpp.o"
  "CMakeFiles/editor_KoiConv_test.dir/editor/KoiConv_test.cpp.o.d"
  "CMakeFiles/editor_KoiConv_test.dir/editor_KoiConv_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editor_KoiConv_test.dir/editor_KoiConv_test_autogen/mocs_compilation.cpp.o.d"
  "editor_KoiConv_test"
  "editor_KoiConv_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editor_KoiConv_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
