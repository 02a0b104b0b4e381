# Empty dependencies file for corvane_test_common.
# This may be replaced when dependencies are built.
