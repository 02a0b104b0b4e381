# Empty custom commands generated dependencies file for support_AppEvents_test_autogen.
# This may be replaced when dependencies are built.
