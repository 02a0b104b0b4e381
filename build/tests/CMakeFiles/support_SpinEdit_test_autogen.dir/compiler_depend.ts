# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for support_SpinEdit_test_autogen.
