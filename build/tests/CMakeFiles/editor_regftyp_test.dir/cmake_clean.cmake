file(REMOVE_RECURSE
  "CMakeFiles/editor_regftyp_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editor_regftyp_test_autogen.dir/ParseCache.txt"
  "editor_regftyp_test_autogen"
  "CMakeFiles/editor_regftyp_test.dir/editor/regftyp_test.cpp.o"
  "CMakeFiles/editor_regftyp_test.dir/editor/regftyp_test.cpp.o.d"
  "CMakeFiles/editor_regftyp_test.dir/editor_regftyp_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editor_regftyp_test.dir/editor_regftyp_test_autogen/mocs_compilation.cpp.o.d"
  "editor_regftyp_test"
  "editor_regftyp_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editor_regftyp_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
