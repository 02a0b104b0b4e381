# Empty custom commands generated dependencies file for editctl_qzCustomEditUndo_test_autogen.
# This may be replaced when dependencies are built.
