# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for platform_Forms_test_autogen.
