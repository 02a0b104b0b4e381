# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for highlight_qzExport_test_autogen.
