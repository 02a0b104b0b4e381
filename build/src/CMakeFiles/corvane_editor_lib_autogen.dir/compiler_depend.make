# Empty custom commands generated dependencies file for corvane_editor_lib_autogen.
# This may be replaced when dependencies are built.
