# Empty compiler generated dependencies file for editctl_qzEditSearch_test.
# This may be replaced when dependencies are built.
