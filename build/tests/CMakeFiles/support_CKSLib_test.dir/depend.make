# Empty dependencies file for support_CKSLib_test.
# This may be replaced when dependencies are built.
