# Empty dependencies file for editor_regftyp_test.
# This may be replaced when dependencies are built.
