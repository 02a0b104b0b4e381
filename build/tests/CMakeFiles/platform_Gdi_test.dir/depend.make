# Empty dependencies file for platform_Gdi_test.
# This may be replaced when dependencies are built.
