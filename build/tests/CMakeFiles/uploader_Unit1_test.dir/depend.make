# Empty dependencies file for uploader_Unit1_test.
# This may be replaced when dependencies are built.
