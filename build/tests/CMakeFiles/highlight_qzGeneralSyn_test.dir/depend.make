# Empty dependencies file for highlight_qzGeneralSyn_test.
# This may be replaced when dependencies are built.
