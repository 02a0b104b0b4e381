file(REMOVE_RECURSE
  "CMakeFiles/bench_EditorTyping_bench_autogen"
  "bench_EditorTyping_bench_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/bench_EditorTyping_bench_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
