# Empty custom commands generated dependencies file for bench_CorvaneStartup_bench_autogen.
# This may be replaced when dependencies are built.
