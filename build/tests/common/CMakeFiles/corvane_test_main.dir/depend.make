# Empty dependencies file for corvane_test_main.
# This may be replaced when dependencies are built.
