file(REMOVE_RECURSE
  "CMakeFiles/bench_qzGeneralSyn_bench_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/bench_qzGeneralSyn_bench_autogen.dir/ParseCache.txt"
  "bench_qzGeneralSyn_bench_autogen"
  "CMakeFiles/bench_qzGeneralSyn_bench.dir/bench_qzGeneralSyn_bench_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/bench_qzGeneralSyn_bench.dir/bench_qzGeneralSyn_bench_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/bench_qzGeneralSyn_bench.dir/qzGeneralSyn_bench.cpp.o"
  "CMakeFiles/bench_qzGeneralSyn_bench.dir/qzGeneralSyn_bench.cpp.o.d"
  "bench_qzGeneralSyn_bench"
  "bench_qzGeneralSyn_bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_qzGeneralSyn_bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
