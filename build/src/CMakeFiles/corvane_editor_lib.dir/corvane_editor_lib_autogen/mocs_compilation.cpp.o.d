src/CMakeFiles/corvane_editor_lib.dir/corvane_editor_lib_autogen/mocs_compilation.cpp.o: \
 corvane_editor_lib_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
