# Empty dependencies file for editor_Unit1_test.
# This may be replaced when dependencies are built.
