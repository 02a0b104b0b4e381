# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for uploader_UploaderProgram_test_autogen.
