tests/CMakeFiles/editctl_qzCustomEditMarks_test.dir/editctl_qzCustomEditMarks_test_autogen/mocs_compilation.cpp.o: \
 /work/wt/search/build/tests/editctl_qzCustomEditMarks_test_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
