# Empty dependencies file for corvane_components.
# This may be replaced when dependencies are built.
