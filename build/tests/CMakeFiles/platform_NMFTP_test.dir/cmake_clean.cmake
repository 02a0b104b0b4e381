file(REMOVE_RECURSE
  "CMakeFiles/platform_NMFTP_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_NMFTP_test_autogen.dir/ParseCache.txt"
  "platform_NMFTP_test_autogen"
  "CMakeFiles/platform_NMFTP_test.dir/platform/NMFTP_test.cpp.o"
  "CMakeFiles/platform_NMFTP_test.dir/platform/NMFTP_test.cpp.o.d"
  "CMakeFiles/platform_NMFTP_test.dir/platform_NMFTP_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_NMFTP_test.dir/platform_NMFTP_test_autogen/mocs_compilation.cpp.o.d"
  "platform_NMFTP_test"
  "platform_NMFTP_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_NMFTP_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
