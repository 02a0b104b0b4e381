# Empty dependencies file for platform_ExtCtrls_test.
# This may be replaced when dependencies are built.
