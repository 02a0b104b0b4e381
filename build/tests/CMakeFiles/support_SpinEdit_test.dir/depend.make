# Empty dependencies file for support_SpinEdit_test.
# This may be replaced when dependencies are built.
