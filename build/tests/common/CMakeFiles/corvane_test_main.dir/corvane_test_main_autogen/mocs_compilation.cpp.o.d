tests/common/CMakeFiles/corvane_test_main.dir/corvane_test_main_autogen/mocs_compilation.cpp.o: \
 /work/wt/search/build/tests/common/corvane_test_main_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
