# Empty custom commands generated dependencies file for highlight_qzGeneralSyn_test_autogen.
# This may be replaced when dependencies are built.
