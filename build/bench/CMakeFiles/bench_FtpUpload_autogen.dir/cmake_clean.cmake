file(REMOVE_RECURSE
  "CMakeFiles/bench_FtpUpload_autogen"
  "bench_FtpUpload_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/bench_FtpUpload_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
