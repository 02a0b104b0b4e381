file(REMOVE_RECURSE
  "CMakeFiles/Uploader_autogen"
  "Uploader_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/Uploader_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
