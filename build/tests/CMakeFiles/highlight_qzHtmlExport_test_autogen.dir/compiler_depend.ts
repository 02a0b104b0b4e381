# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for highlight_qzHtmlExport_test_autogen.
