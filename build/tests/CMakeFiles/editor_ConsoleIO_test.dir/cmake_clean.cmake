file(REMOVE_RECURSE
  "CMakeFiles/editor_ConsoleIO_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/editor_ConsoleIO_test_autogen.dir/ParseCache.txt"
  "editor_ConsoleIO_test_autogen"
  "CMakeFiles/editor_ConsoleIO_test.dir/editor/ConsoleIO_test.cpp.o"
  "CMakeFiles/editor_ConsoleIO_test.dir/editor/ConsoleIO_test.cpp.o.d"
  "CMakeFiles/editor_ConsoleIO_test.dir/editor_ConsoleIO_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/editor_ConsoleIO_test.dir/editor_ConsoleIO_test_autogen/mocs_compilation.cpp.o.d"
  "editor_ConsoleIO_test"
  "editor_ConsoleIO_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/editor_ConsoleIO_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
