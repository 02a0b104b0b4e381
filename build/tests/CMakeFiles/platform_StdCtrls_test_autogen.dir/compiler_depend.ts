# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for platform_StdCtrls_test_autogen.
