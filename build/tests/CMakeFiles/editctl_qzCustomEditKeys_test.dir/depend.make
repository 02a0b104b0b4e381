# Empty dependencies file for editctl_qzCustomEditKeys_test.
# This may be replaced when dependencies are built.
