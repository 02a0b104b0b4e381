# Empty dependencies file for editor_Unit1Search_test.
# This may be replaced when dependencies are built.
