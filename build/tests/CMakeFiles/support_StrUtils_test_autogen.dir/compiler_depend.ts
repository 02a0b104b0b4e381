# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for support_StrUtils_test_autogen.
