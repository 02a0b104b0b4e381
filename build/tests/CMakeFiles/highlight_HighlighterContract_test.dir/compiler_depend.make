# Empty compiler generated dependencies file for highlight_HighlighterContract_test.
# This may be replaced when dependencies are built.
