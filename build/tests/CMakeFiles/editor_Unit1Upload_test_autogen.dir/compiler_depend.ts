# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for editor_Unit1Upload_test_autogen.
