# Empty dependencies file for corvane_editor_lib.
# This may be replaced when dependencies are built.
