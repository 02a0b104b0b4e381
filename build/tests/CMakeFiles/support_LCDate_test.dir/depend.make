# Empty dependencies file for support_LCDate_test.
# This may be replaced when dependencies are built.
