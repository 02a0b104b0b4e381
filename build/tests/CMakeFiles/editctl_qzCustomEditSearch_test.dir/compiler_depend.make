# Empty compiler generated dependencies file for editctl_qzCustomEditSearch_test.
# This may be replaced when dependencies are built.
