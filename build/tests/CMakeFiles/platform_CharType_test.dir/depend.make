# Empty dependencies file for platform_CharType_test.
# This may be replaced when dependencies are built.
