# CMAKE generated file: DO NOT EDIT!
# Timestamp file for compiler generated dependencies management for editctl_qzCustomEditUndo_test.
