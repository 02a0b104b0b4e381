tests/CMakeFiles/editctl_qzCustomEditCaret_test.dir/editctl_qzCustomEditCaret_test_autogen/mocs_compilation.cpp.o: \
 /work/wt/search/build/tests/editctl_qzCustomEditCaret_test_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
