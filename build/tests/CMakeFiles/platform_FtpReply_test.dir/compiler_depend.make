# Empty compiler generated dependencies file for platform_FtpReply_test.
# This may be replaced when dependencies are built.
