# Empty custom commands generated dependencies file for Corvane_autogen.
# This may be replaced when dependencies are built.
