# Empty dependencies file for Corvane.
# This may be replaced when dependencies are built.
