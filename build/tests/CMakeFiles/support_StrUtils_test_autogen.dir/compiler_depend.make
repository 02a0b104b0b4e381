# Empty custom commands generated dependencies file for support_StrUtils_test_autogen.
# This may be replaced when dependencies are built.
