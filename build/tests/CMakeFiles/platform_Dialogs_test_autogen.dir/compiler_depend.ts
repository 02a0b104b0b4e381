# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for platform_Dialogs_test_autogen.
