# CMake generated Testfile for 
# Source directory: /work/wt/search/bench
# Build directory: /work/wt/search/build/bench
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
