# Empty compiler generated dependencies file for editor_ConsoleIO_test.
# This may be replaced when dependencies are built.
