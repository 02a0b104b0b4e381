# Empty compiler generated dependencies file for bench_CorvaneStartup_bench.
# This may be replaced when dependencies are built.
