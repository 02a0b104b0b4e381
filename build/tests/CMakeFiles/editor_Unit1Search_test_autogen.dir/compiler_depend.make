# Empty custom commands generated dependencies file for editor_Unit1Search_test_autogen.
# This may be replaced when dependencies are built.
