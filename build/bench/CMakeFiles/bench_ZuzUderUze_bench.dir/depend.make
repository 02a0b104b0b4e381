# Empty dependencies file for bench_ZuzUderUze_bench.
# This may be replaced when dependencies are built.
