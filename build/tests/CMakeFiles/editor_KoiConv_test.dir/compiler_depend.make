# Empty compiler generated dependencies file for editor_KoiConv_test.
# This may be replaced when dependencies are built.
