# Empty dependencies file for support_OmCursors_test.
# This may be replaced when dependencies are built.
