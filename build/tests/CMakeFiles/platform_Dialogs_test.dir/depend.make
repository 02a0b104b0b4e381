# Empty dependencies file for platform_Dialogs_test.
# This may be replaced when dependencies are built.
