# Empty dependencies file for platform_Menus_test.
# This may be replaced when dependencies are built.
