# Empty custom commands generated dependencies file for uploader_UploaderProgram_test_autogen.
# This may be replaced when dependencies are built.
