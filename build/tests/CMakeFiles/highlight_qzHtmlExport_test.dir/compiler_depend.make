# Empty compiler generated dependencies file for highlight_qzHtmlExport_test.
# This may be replaced when dependencies are built.
