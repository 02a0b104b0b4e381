file(REMOVE_RECURSE
  "CMakeFiles/highlight_qzGeneralSyn_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/highlight_qzGeneralSyn_test_autogen.dir/ParseCache.txt"
  "highlight_qzGeneralSyn_test_autogen"
  "CMakeFiles/highlight_qzGeneralSyn_test.dir/highlight/qzGeneralSyn_test.cpp.o"
  "CMakeFiles/highlight_qzGeneralSyn_test.dir/highlight/qzGeneralSyn_test.cpp.o.d"
  "CMakeFiles/highlight_qzGeneralSyn_test.dir/highlight_qzGeneralSyn_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/highlight_qzGeneralSyn_test.dir/highlight_qzGeneralSyn_test_autogen/mocs_compilation.cpp.o.d"
  "highlight_qzGeneralSyn_test"
  "highlight_qzGeneralSyn_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/highlight_qzGeneralSyn_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
