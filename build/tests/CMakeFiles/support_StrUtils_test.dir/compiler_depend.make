# Empty compiler generated dependencies file for support_StrUtils_test.
# This may be replaced when dependencies are built.
