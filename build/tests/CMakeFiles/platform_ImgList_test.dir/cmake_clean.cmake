file(REMOVE_RECURSE
  "CMakeFiles/platform_ImgList_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_ImgList_test_autogen.dir/ParseCache.txt"
  "platform_ImgList_test_autogen"
  "CMakeFiles/platform_ImgList_test.dir/platform/ImgList_test.cpp.o"
  "CMakeFiles/platform_ImgList_test.dir/platform/ImgList_test.cpp.o.d"
  "CMakeFiles/platform_ImgList_test.dir/platform_ImgList_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_ImgList_test.dir/platform_ImgList_test_autogen/mocs_compilation.cpp.o.d"
  "platform_ImgList_test"
  "platform_ImgList_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_ImgList_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
