# Empty compiler generated dependencies file for editctl_qzCustomEditMarks_test.
# This may be replaced when dependencies are built.
