# Empty compiler generated dependencies file for platform_WebBrowser_test.
# This may be replaced when dependencies are built.
