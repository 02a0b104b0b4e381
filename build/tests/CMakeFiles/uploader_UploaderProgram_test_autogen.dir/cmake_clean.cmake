file(REMOVE_RECURSE
  "CMakeFiles/uploader_UploaderProgram_test_autogen"
  "uploader_UploaderProgram_test_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/uploader_UploaderProgram_test_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
