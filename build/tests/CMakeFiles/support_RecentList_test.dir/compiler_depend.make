# Empty compiler generated dependencies file for support_RecentList_test.
# This may be replaced when dependencies are built.
