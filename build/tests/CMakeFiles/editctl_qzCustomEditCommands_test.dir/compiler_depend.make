# Empty compiler generated dependencies file for editctl_qzCustomEditCommands_test.
# This may be replaced when dependencies are built.
