# Empty compiler generated dependencies file for support_AppEvents_test.
# This may be replaced when dependencies are built.
