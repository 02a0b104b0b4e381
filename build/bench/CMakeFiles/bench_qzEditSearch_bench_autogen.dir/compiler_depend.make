# Empty custom commands generated dependencies file for bench_qzEditSearch_bench_autogen.
# This may be replaced when dependencies are built.
