# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for highlight_ZuzUderUzePaint_test_autogen.
