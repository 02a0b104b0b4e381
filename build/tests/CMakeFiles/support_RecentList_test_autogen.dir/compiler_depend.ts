# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for support_RecentList_test_autogen.
