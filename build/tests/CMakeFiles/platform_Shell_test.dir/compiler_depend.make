# Empty compiler generated dependencies file for platform_Shell_test.
# This may be replaced when dependencies are built.
