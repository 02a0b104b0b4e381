# Empty compiler generated dependencies file for bench_RunToPage_bench.
# This may be replaced when dependencies are built.
