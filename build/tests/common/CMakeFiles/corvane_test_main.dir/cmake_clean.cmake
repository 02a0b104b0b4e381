file(REMOVE_RECURSE
  "CMakeFiles/corvane_test_main_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/corvane_test_main_autogen.dir/ParseCache.txt"
  "corvane_test_main_autogen"
  "CMakeFiles/corvane_test_main.dir/TestMain.cpp.o"
  "CMakeFiles/corvane_test_main.dir/TestMain.cpp.o.d"
  "CMakeFiles/corvane_test_main.dir/corvane_test_main_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/corvane_test_main.dir/corvane_test_main_autogen/mocs_compilation.cpp.o.d"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/corvane_test_main.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
