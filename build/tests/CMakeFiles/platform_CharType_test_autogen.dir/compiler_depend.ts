# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for platform_CharType_test_autogen.
