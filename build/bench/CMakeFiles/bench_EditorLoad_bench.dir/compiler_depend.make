# Empty compiler generated dependencies file for bench_EditorLoad_bench.
# This may be replaced when dependencies are built.
