file(REMOVE_RECURSE
  "CMakeFiles/bench_FtpUpload_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/bench_FtpUpload_autogen.dir/ParseCache.txt"
  "bench_FtpUpload_autogen"
  "CMakeFiles/bench_FtpUpload.dir/FtpUpload.cpp.o"
  "CMakeFiles/bench_FtpUpload.dir/FtpUpload.cpp.o.d"
  "CMakeFiles/bench_FtpUpload.dir/bench_FtpUpload_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/bench_FtpUpload.dir/bench_FtpUpload_autogen/mocs_compilation.cpp.o.d"
  "bench_FtpUpload"
  "bench_FtpUpload.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_FtpUpload.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
