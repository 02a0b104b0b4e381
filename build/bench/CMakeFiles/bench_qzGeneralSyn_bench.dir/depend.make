# Empty dependencies file for bench_qzGeneralSyn_bench.
# This may be replaced when dependencies are built.
