# CMake generated Testfile for 
# Source directory: /work/wt/search/tests/common
# Build directory: /work/wt/search/build/tests/common
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
