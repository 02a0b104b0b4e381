# Empty dependencies file for platform_Process_test.
# This may be replaced when dependencies are built.
