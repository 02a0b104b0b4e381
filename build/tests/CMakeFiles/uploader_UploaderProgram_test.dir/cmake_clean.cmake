file(REMOVE_RECURSE
  "CMakeFiles/uploader_UploaderProgram_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/uploader_UploaderProgram_test_autogen.dir/ParseCache.txt"
  "uploader_UploaderProgram_test_autogen"
  "CMakeFiles/uploader_UploaderProgram_test.dir/uploader/UploaderProgram_test.cpp.o"
  "CMakeFiles/uploader_UploaderProgram_test.dir/uploader/UploaderProgram_test.cpp.o.d"
  "CMakeFiles/uploader_UploaderProgram_test.dir/uploader_UploaderProgram_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/uploader_UploaderProgram_test.dir/uploader_UploaderProgram_test_autogen/mocs_compilation.cpp.o.d"
  "uploader_UploaderProgram_test"
  "uploader_UploaderProgram_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/uploader_UploaderProgram_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
