file(REMOVE_RECURSE
  "CMakeFiles/highlight_HighlighterContract_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/highlight_HighlighterContract_test_autogen.dir/ParseCache.txt"
  "highlight_HighlighterContract_test_autogen"
  "CMakeFiles/highlight_HighlighterContract_test.dir/highlight/HighlighterContract_test.cpp.o"
  "CMakeFiles/highlight_HighlighterContract_test.dir/highlight/HighlighterContract_test.cpp.o.d"
  "CMakeFiles/highlight_HighlighterContract_test.dir/highlight_HighlighterContract_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/highlight_HighlighterContract_test.dir/highlight_HighlighterContract_test_autogen/mocs_compilation.cpp.o.d"
  "highlight_HighlighterContract_test"
  "highlight_HighlighterContract_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/highlight_HighlighterContract_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
