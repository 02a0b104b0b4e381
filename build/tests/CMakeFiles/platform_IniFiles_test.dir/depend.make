# Empty dependencies file for platform_IniFiles_test.
# This may be replaced when dependencies are built.
