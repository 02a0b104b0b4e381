# Empty dependencies file for platform_NMFTP_test.
# This may be replaced when dependencies are built.
