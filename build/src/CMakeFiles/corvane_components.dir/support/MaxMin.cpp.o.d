src/CMakeFiles/corvane_components.dir/support/MaxMin.cpp.o: \
 /work/wt/search/src/support/MaxMin.cpp /usr/include/stdc-predef.h \
 /work/wt/search/src/support/MaxMin.h
