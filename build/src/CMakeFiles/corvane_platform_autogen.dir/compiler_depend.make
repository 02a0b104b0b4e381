# Empty custom commands generated dependencies file for corvane_platform_autogen.
# This may be replaced when dependencies are built.
