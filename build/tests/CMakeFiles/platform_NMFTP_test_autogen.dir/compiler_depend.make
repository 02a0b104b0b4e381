# Empty custom commands generated dependencies file for platform_NMFTP_test_autogen.
# This may be replaced when dependencies are built.
