file(REMOVE_RECURSE
  "CMakeFiles/bench_RunToPage_bench_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/bench_RunToPage_bench_autogen.dir/ParseCache.txt"
  "bench_RunToPage_bench_autogen"
  "CMakeFiles/bench_RunToPage_bench.dir/RunToPage_bench.cpp.o"
  "CMakeFiles/bench_RunToPage_bench.dir/RunToPage_bench.cpp.o.d"
  "CMakeFiles/bench_RunToPage_bench.dir/bench_RunToPage_bench_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/bench_RunToPage_bench.dir/bench_RunToPage_bench_autogen/mocs_compilation.cpp.o.d"
  "bench_RunToPage_bench"
  "bench_RunToPage_bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_RunToPage_bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
