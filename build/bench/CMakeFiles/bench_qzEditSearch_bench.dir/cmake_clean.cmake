file(REMOVE_RECURSE
  "CMakeFiles/bench_qzEditSearch_bench_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/bench_qzEditSearch_bench_autogen.dir/ParseCache.txt"
  "bench_qzEditSearch_bench_autogen"
  "CMakeFiles/bench_qzEditSearch_bench.dir/bench_qzEditSearch_bench_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/bench_qzEditSearch_bench.dir/bench_qzEditSearch_bench_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/bench_qzEditSearch_bench.dir/qzEditSearch_bench.cpp.o"
  "CMakeFiles/bench_qzEditSearch_bench.dir/qzEditSearch_bench.cpp.o.d"
  "bench_qzEditSearch_bench"
  "bench_qzEditSearch_bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_qzEditSearch_bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
