# Empty dependencies file for highlight_qzExport_test.
# This may be replaced when dependencies are built.
