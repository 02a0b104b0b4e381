# Empty dependencies file for bench_FtpUpload.
# This may be replaced when dependencies are built.
