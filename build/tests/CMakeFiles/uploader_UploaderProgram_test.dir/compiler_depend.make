# Empty compiler generated dependencies file for uploader_UploaderProgram_test.
# This may be replaced when dependencies are built.
