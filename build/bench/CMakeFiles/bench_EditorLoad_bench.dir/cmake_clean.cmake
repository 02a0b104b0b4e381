file(REMOVE_RECURSE
  "CMakeFiles/bench_EditorLoad_bench_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/bench_EditorLoad_bench_autogen.dir/ParseCache.txt"
  "bench_EditorLoad_bench_autogen"
  "CMakeFiles/bench_EditorLoad_bench.dir/EditorLoad_bench.cpp.o"
  "CMakeFiles/bench_EditorLoad_bench.dir/EditorLoad_bench.cpp.o.d"
  "CMakeFiles/bench_EditorLoad_bench.dir/bench_EditorLoad_bench_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/bench_EditorLoad_bench.dir/bench_EditorLoad_bench_autogen/mocs_compilation.cpp.o.d"
  "bench_EditorLoad_bench"
  "bench_EditorLoad_bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_EditorLoad_bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
