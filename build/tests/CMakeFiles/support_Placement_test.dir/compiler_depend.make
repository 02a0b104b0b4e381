# Empty compiler generated dependencies file for support_Placement_test.
# This may be replaced when dependencies are built.
