# Empty dependencies file for editctl_uTextDrawer_test.
# This may be replaced when dependencies are built.
