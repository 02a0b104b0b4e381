# Empty custom commands generated dependencies file for highlight_ZuzUderUze_test_autogen.
# This may be replaced when dependencies are built.
