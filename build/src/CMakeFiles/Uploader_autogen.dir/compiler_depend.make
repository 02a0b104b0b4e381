# Empty custom commands generated dependencies file for Uploader_autogen.
# This may be replaced when dependencies are built.
