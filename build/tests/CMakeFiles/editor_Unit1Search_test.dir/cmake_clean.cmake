file(REMOVE_RECURSE
  "CMakeFiles/editor_Unit1Search_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editor_Unit1Search_test_autogen.dir/ParseCache.txt"
  "editor_Unit1Search_test_autogen"
  "CMakeFiles/editor_Unit1Search_test.dir/editor/Unit1Search_test.cpp.o"
  "CMakeFiles/editor_Unit1Search_test.dir/editor/Unit1Search_test.cpp.o.d"
  "CMakeFiles/editor_Unit1Search_test.dir/editor_Unit1Search_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editor_Unit1Search_test.dir/editor_Unit1Search_test_autogen/mocs_compilation.cpp.o.d"
  "editor_Unit1Search_test"
  "editor_Unit1Search_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editor_Unit1Search_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
