# Empty dependencies file for editor_Unit1Run_test.
# This may be replaced when dependencies are built.
