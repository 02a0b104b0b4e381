# Empty compiler generated dependencies file for highlight_ZuzUderUze_test.
# This may be replaced when dependencies are built.
