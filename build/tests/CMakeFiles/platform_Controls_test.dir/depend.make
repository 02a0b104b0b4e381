# Empty dependencies file for platform_Controls_test.
# This may be replaced when dependencies are built.
