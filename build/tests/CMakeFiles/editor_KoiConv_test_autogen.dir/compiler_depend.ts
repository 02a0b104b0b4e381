# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for editor_KoiConv_test_autogen.
