file(REMOVE_RECURSE
  "CMakeFiles/uploader_Unit1_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/uploader_Unit1_test_autogen.dir/ParseCache.txt"
  "uploader_Unit1_test_autogen"
  "CMakeFiles/uploader_Unit1_test.dir/uploader/Unit1_test.cpp.o"
  "CMakeFiles/uploader_Unit1_test.dir/uploader/Unit1_test.cpp.o.d"
  "CMakeFiles/uploader_Unit1_test.dir/uploader_Unit1_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/uploader_Unit1_test.dir/uploader_Unit1_test_autogen/mocs_compilation.cpp.o.d"
  "uploader_Unit1_test"
  "uploader_Unit1_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/uploader_Unit1_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
