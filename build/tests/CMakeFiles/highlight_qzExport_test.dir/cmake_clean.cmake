file(REMOVE_RECURSE
  "CMakeFiles/highlight_qzExport_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/highlight_qzExport_test_autogen.dir/ParseCache.txt"
  "highlight_qzExport_test_autogen"
  "CMakeFiles/highlight_qzExport_test.dir/highlight/qzExport_test.cpp.o"
  "CMakeFiles/highlight_qzExport_test.dir/highlight/qzExport_test.cpp.o.d"
  "CMakeFiles/highlight_qzExport_test.dir/highlight_qzExport_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/highlight_qzExport_test.dir/highlight_qzExport_test_autogen/mocs_compilation.cpp.o.d"
  "highlight_qzExport_test"
  "highlight_qzExport_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/highlight_qzExport_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
