src/CMakeFiles/corvane_platform.dir/corvane_platform_autogen/mocs_compilation.cpp.o: \
 /work/wt/search/build/src/corvane_platform_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
