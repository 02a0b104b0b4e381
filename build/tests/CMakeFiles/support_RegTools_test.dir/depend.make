# Empty dependencies file for support_RegTools_test.
# This may be replaced when dependencies are built.
