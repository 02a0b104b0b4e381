# Empty dependencies file for editctl_qzCustomEditPaint_test.
# This may be replaced when dependencies are built.
