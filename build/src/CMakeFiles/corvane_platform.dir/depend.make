# Empty dependencies file for corvane_platform.
# This may be replaced when dependencies are built.
