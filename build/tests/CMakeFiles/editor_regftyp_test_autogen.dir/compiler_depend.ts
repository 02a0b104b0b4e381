# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for editor_regftyp_test_autogen.
