tests/common/CMakeFiles/corvane_test_common.dir/corvane_test_common_autogen/mocs_compilation.cpp.o: \
 /work/wt/search/build/tests/common/corvane_test_common_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
