# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for support_LCDate_test_autogen.
