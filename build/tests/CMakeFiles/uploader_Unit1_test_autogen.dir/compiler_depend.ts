# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for uploader_Unit1_test_autogen.
