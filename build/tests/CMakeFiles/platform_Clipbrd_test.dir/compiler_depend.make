# Empty compiler generated dependencies file for platform_Clipbrd_test.
# This may be replaced when dependencies are built.
