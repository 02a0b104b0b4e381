# Empty custom commands generated dependencies file for editctl_qzKeyCmds_test_autogen.
# This may be replaced when dependencies are built.
