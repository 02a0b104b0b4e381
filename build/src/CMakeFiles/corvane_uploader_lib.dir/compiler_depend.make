# Empty compiler generated dependencies file for corvane_uploader_lib.
# This may be replaced when dependencies are built.
