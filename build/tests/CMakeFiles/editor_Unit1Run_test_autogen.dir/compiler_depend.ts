# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for editor_Unit1Run_test_autogen.
