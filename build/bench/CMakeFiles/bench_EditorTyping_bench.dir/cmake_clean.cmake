file(REMOVE_RECURSE
  "CMakeFiles/bench_EditorTyping_bench_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/bench_EditorTyping_bench_autogen.dir/ParseCache.txt"
  "bench_EditorTyping_bench_autogen"
  "CMakeFiles/bench_EditorTyping_bench.dir/EditorTyping_bench.cpp.o"
  "CMakeFiles/bench_EditorTyping_bench.dir/EditorTyping_bench.cpp.o.d"
  "CMakeFiles/bench_EditorTyping_bench.dir/bench_EditorTyping_bench_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/bench_EditorTyping_bench.dir/bench_EditorTyping_bench_autogen/mocs_compilation.cpp.o.d"
  "bench_EditorTyping_bench"
  "bench_EditorTyping_bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_EditorTyping_bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
