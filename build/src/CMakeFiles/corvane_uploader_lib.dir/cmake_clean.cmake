file(REMOVE_RECURSE
  "CMakeFiles/corvane_uploader_lib_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/corvane_uploader_lib_autogen.dir/ParseCache.txt"
  "corvane_uploader_lib_autogen"
  "CMakeFiles/corvane_uploader_lib.dir/corvane_uploader_lib_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/corvane_uploader_lib.dir/corvane_uploader_lib_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/corvane_uploader_lib.dir/uploader/Unit1.cpp.o"
  "CMakeFiles/corvane_uploader_lib.dir/uploader/Unit1.cpp.o.d"
  "libcorvane_uploader_lib.a"
  "libcorvane_uploader_lib.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/corvane_uploader_lib.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
