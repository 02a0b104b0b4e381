# Empty custom commands generated dependencies file for editctl_qzSupportClasses_test_autogen.
# This may be replaced when dependencies are built.
