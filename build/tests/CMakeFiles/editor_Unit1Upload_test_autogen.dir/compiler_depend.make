# Empty custom commands generated dependencies file for editor_Unit1Upload_test_autogen.
# This may be replaced when dependencies are built.
