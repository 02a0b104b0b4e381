# Empty custom commands generated dependencies file for editctl_qzSupportProcs_test_autogen.
# This may be replaced when dependencies are built.
