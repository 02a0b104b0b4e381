src/CMakeFiles/Corvane.dir/Corvane_autogen/mocs_compilation.cpp.o: \
 Corvane_autogen/mocs_compilation.cpp /usr/include/stdc-predef.h
