# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for corvane_test_main_autogen.
