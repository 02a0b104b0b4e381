file(REMOVE_RECURSE
  "CMakeFiles/bench_RegTools_bench_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/bench_RegTools_bench_autogen.dir/ParseCache.txt"
  "bench_RegTools_bench_autogen"
  "CMakeFiles/bench_RegTools_bench.dir/RegTools_bench.cpp.o"
  "CMakeFiles/bench_RegTools_bench.dir/RegTools_bench.cpp.o.d"
  "CMakeFiles/bench_RegTools_bench.dir/bench_RegTools_bench_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/bench_RegTools_bench.dir/bench_RegTools_bench_autogen/mocs_compilation.cpp.o.d"
  "bench_RegTools_bench"
  "bench_RegTools_bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_RegTools_bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
