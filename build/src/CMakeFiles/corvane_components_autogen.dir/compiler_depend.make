# Empty custom commands generated dependencies file for corvane_components_autogen.
# This may be replaced when dependencies are built.
