# Empty dependencies file for platform_ComCtrls_test.
# This may be replaced when dependencies are built.
