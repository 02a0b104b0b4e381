# Empty dependencies file for platform_Threads_test.
# This may be replaced when dependencies are built.
