# Empty custom commands generated dependencies file for uploader_Unit1_test_autogen.
# This may be replaced when dependencies are built.
