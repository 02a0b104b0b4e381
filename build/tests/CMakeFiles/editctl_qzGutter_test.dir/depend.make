# Empty dependencies file for editctl_qzGutter_test.
# This may be replaced when dependencies are built.
