# Empty compiler generated dependencies file for editctl_qzKeyCmds_test.
# This may be replaced when dependencies are built.
