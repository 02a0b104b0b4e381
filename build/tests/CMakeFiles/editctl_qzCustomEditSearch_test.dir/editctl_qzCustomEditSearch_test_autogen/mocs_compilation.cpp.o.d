tests/CMakeFiles/editctl_qzCustomEditSearch_test.dir/editctl_qzCustomEditSearch_test_autogen/mocs_compilation.cpp.o: \
 /work/wt/search/build/tests/editctl_qzCustomEditSearch_test_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
