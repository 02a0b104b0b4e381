# Empty custom commands generated dependencies file for platform_ImgList_test_autogen.
# This may be replaced when dependencies are built.
