# Empty dependencies file for editctl_qzSupportClasses_test.
# This may be replaced when dependencies are built.
