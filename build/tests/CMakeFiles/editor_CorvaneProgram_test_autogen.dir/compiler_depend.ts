# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for editor_CorvaneProgram_test_autogen.
