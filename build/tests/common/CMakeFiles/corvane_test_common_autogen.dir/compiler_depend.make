# Empty custom commands generated dependencies file for corvane_test_common_autogen.
# This may be replaced when dependencies are built.
