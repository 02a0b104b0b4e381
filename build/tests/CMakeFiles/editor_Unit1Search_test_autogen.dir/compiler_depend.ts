# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for editor_Unit1Search_test_autogen.
