# Empty compiler generated dependencies file for bench_EditorTyping_bench.
# This may be replaced when dependencies are built.
