file(REMOVE_RECURSE
  "CMakeFiles/bench_ZuzUderUze_bench_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/bench_ZuzUderUze_bench_autogen.dir/ParseCache.txt"
  "bench_ZuzUderUze_bench_autogen"
  "CMakeFiles/bench_ZuzUderUze_bench.dir/ZuzUderUze_bench.cpp.o"
  "CMakeFiles/bench_ZuzUderUze_bench.dir/ZuzUderUze_bench.cpp.o.d"
  "CMakeFiles/bench_ZuzUderUze_bench.dir/bench_ZuzUderUze_bench_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/bench_ZuzUderUze_bench.dir/bench_ZuzUderUze_bench_autogen/mocs_compilation.cpp.o.d"
  "bench_ZuzUderUze_bench"
  "bench_ZuzUderUze_bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_ZuzUderUze_bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
