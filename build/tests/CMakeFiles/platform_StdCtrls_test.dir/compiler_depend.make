# Empty compiler generated dependencies file for platform_StdCtrls_test.
# This may be replaced when dependencies are built.
