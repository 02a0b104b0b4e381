# Empty dependencies file for platform_ShortCuts_test.
# This may be replaced when dependencies are built.
