# Empty dependencies file for editctl_qzCustomEditUndo_test.
# This may be replaced when dependencies are built.
