# Empty custom commands generated dependencies file for platform_ShortCuts_test_autogen.
# This may be replaced when dependencies are built.
