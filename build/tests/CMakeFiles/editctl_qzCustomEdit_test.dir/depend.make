# Empty dependencies file for editctl_qzCustomEdit_test.
# This may be replaced when dependencies are built.
