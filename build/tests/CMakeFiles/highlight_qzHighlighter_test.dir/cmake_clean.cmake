file(REMOVE_RECURSE
  "CMakeFiles/highlight_qzHighlighter_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/highlight_qzHighlighter_test_autogen.dir/ParseCache.txt"
  "highlight_qzHighlighter_test_autogen"
  "CMakeFiles/highlight_qzHighlighter_test.dir/highlight/qzHighlighter_test.cpp.o"
  "CMakeFiles/highlight_qzHighlighter_test.dir/highlight/qzHighlighter_test.cpp.o.d"
  "CMakeFiles/highlight_qzHighlighter_test.dir/highlight_qzHighlighter_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/highlight_qzHighlighter_test.dir/highlight_qzHighlighter_test_autogen/mocs_compilation.cpp.o.d"
  "highlight_qzHighlighter_test"
  "highlight_qzHighlighter_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/highlight_qzHighlighter_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
