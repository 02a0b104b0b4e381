# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for highlight_HighlighterContract_test_autogen.
