# Empty custom commands generated dependencies file for editctl_qzEditSearch_test_autogen.
# This may be replaced when dependencies are built.
