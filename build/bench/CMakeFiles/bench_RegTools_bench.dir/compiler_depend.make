# Empty compiler generated dependencies file for bench_RegTools_bench.
# This may be replaced when dependencies are built.
