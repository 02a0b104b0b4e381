# Empty compiler generated dependencies file for platform_LineStore_test.
# This may be replaced when dependencies are built.
