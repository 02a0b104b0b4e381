# Empty compiler generated dependencies file for support_WndHook_test.
# This may be replaced when dependencies are built.
