# CMake generated Testfile for 
# Source directory: /work/wt/search
# Build directory: /work/wt/search/build
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("src")
subdirs("tests/common")
subdirs("tests")
subdirs("bench")
