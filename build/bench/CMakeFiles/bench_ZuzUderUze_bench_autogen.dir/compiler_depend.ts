# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for bench_ZuzUderUze_bench_autogen.
