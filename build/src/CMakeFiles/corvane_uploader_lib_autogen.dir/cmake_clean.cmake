file(REMOVE_RECURSE
  "CMakeFiles/corvane_uploader_lib_autogen"
  "corvane_uploader_lib_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/corvane_uploader_lib_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
