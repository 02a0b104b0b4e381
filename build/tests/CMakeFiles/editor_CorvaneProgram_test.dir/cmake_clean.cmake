file(REMOVE_RECURSE
  "CMakeFiles/editor_CorvaneProgram_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editor_CorvaneProgram_test_autogen.dir/ParseCache.txt"
  "editor_CorvaneProgram_test_autogen"
  "CMakeFiles/editor_CorvaneProgram_test.dir/editor/CorvaneProgram_test.cpp.o"
  "CMakeFiles/editor_CorvaneProgram_test.dir/editor/CorvaneProgram_test.cpp.o.d"
  "CMakeFiles/editor_CorvaneProgram_test.dir/editor_CorvaneProgram_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editor_CorvaneProgram_test.dir/editor_CorvaneProgram_test_autogen/mocs_compilation.cpp.o.d"
  "editor_CorvaneProgram_test"
  "editor_CorvaneProgram_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editor_CorvaneProgram_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
