# Empty dependencies file for editctl_qzCustomEditCaret_test.
# This may be replaced when dependencies are built.
