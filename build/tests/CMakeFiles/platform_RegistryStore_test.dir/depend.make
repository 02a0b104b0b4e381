# Empty dependencies file for platform_RegistryStore_test.
# This may be replaced when dependencies are built.
