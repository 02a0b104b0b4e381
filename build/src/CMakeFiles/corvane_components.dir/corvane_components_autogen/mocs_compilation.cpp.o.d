src/CMakeFiles/corvane_components.dir/corvane_components_autogen/mocs_compilation.cpp.o: \
 /work/wt/search/build/src/corvane_components_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
