file(REMOVE_RECURSE
  "CMakeFiles/platform_FtpReply_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_FtpReply_test_autogen.dir/ParseCache.txt"
  "platform_FtpReply_test_autogen"
  "CMakeFiles/platform_FtpReply_test.dir/platform/FtpReply_test.cpp.o"
  "CMakeFiles/platform_FtpReply_test.dir/platform/FtpReply_test.cpp.o.d"
  "CMakeFiles/platform_FtpReply_test.dir/platform_FtpReply_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_FtpReply_test.dir/platform_FtpReply_test_autogen/mocs_compilation.cpp.o.d"
  "platform_FtpReply_test"
  "platform_FtpReply_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_FtpReply_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
