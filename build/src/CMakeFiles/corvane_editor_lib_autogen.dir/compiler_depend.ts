# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for corvane_editor_lib_autogen.
