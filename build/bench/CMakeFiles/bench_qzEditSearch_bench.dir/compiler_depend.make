# Empty compiler generated dependencies file for bench_qzEditSearch_bench.
# This may be replaced when dependencies are built.
