file(REMOVE_RECURSE
  "CMakeFiles/bench_CorvaneStartup_bench_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/bench_CorvaneStartup_bench_autogen.dir/ParseCache.txt"
  "bench_CorvaneStartup_bench_autogen"
  "CMakeFiles/bench_CorvaneStartup_bench.dir/CorvaneStartup_bench.cpp.o"
  "CMakeFiles/bench_CorvaneStartup_bench.dir/CorvaneStartup_bench.cpp.o.d"
  "CMakeFiles/bench_CorvaneStartup_bench.dir/bench_CorvaneStartup_bench_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/bench_CorvaneStartup_bench.dir/bench_CorvaneStartup_bench_autogen/mocs_compilation.cpp.o.d"
  "bench_CorvaneStartup_bench"
  "bench_CorvaneStartup_bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_CorvaneStartup_bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
