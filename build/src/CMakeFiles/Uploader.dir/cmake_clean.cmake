file(REMOVE_RECURSE
  "../bin/Uploader"
  "../bin/Uploader.pdb"
  "CMakeFiles/Uploader_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/Uploader_autogen.dir/ParseCache.txt"
  "Uploader_autogen"
  "CMakeFiles/Uploader.dir/Uploader_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/Uploader.dir/Uploader_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/Uploader.dir/uploader/main.cpp.o"
  "CMakeFiles/Uploader.dir/uploader/main.cpp.o.d"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/Uploader.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
