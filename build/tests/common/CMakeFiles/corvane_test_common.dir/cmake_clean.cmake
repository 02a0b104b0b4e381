file(REMOVE_RECURSE
  "CMakeFiles/corvane_test_common_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/corvane_test_common_autogen.dir/ParseCache.txt"
  "corvane_test_common_autogen"
  "CMakeFiles/corvane_test_common.dir/PerlCorpus.cpp.o"
  "CMakeFiles/corvane_test_common.dir/PerlCorpus.cpp.o.d"
  "CMakeFiles/corvane_test_common.dir/TestApp.cpp.o"
  "CMakeFiles/corvane_test_common.dir/TestApp.cpp.o.d"
  "CMakeFiles/corvane_test_common.dir/corvane_test_common_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/corvane_test_common.dir/corvane_test_common_autogen/mocs_compilation.cpp.o.d"
  "libcorvane_test_common.a"
  "libcorvane_test_common.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/corvane_test_common.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
