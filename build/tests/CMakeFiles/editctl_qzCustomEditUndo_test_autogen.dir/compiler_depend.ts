# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for editctl_qzCustomEditUndo_test_autogen.
