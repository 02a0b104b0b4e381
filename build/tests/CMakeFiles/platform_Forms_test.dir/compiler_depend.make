# Empty compiler generated dependencies file for platform_Forms_test.
# This may be replaced when dependencies are built.
