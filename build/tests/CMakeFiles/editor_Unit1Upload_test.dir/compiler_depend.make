# Empty compiler generated dependencies file for editor_Unit1Upload_test.
# This may be replaced when dependencies are built.
