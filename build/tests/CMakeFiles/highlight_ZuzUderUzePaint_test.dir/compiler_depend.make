# Empty compiler generated dependencies file for highlight_ZuzUderUzePaint_test.
# This may be replaced when dependencies are built.
