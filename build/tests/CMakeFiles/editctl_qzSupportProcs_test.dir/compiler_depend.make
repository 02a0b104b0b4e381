# Empty compiler generated dependencies file for editctl_qzSupportProcs_test.
# This may be replaced when dependencies are built.
