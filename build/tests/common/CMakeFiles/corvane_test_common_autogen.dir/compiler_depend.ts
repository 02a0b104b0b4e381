# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for corvane_test_common_autogen.
