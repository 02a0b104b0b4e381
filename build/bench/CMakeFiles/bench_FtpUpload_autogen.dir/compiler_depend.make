# Empty custom commands generated dependencies file for bench_FtpUpload_autogen.
# This may be replaced when dependencies are built.
