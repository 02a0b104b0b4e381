# Empty compiler generated dependencies file for platform_Classes_test.
# This may be replaced when dependencies are built.
