# Empty custom commands generated dependencies file for support_CKSLib_test_autogen.
# This may be replaced when dependencies are built.
