# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for platform_Threads_test_autogen.
