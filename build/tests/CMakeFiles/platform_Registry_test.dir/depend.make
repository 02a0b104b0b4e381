# Empty dependencies file for platform_Registry_test.
# This may be replaced when dependencies are built.
