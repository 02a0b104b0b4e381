# Empty compiler generated dependencies file for Uploader.
# This may be replaced when dependencies are built.
