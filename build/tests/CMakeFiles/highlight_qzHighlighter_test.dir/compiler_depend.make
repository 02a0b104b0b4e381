# Empty compiler generated dependencies file for highlight_qzHighlighter_test.
# This may be replaced when dependencies are built.
