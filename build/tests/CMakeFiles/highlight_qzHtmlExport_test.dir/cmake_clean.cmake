file(REMOVE_RECURSE
  "CMakeFiles/highlight_qzHtmlExport_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/highlight_qzHtmlExport_test_autogen.dir/ParseCache.txt"
  "highlight_qzHtmlExport_test_autogen"
  "CMakeFiles/highlight_qzHtmlExport_test.dir/highlight/qzHtmlExport_test.cpp.o"
  "CMakeFiles/highlight_qzHtmlExport_test.dir/highlight/qzHtmlExport_test.cpp.o.d"
  "CMakeFiles/highlight_qzHtmlExport_test.dir/highlight_qzHtmlExport_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/highlight_qzHtmlExport_test.dir/highlight_qzHtmlExport_test_autogen/mocs_compilation.cpp.o.d"
  "highlight_qzHtmlExport_test"
  "highlight_qzHtmlExport_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/highlight_qzHtmlExport_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
