# Empty dependencies file for editor_CorvaneProgram_test.
# This may be replaced when dependencies are built.
