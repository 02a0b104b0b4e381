tests/CMakeFiles/editor_Unit1Search_test.dir/editor_Unit1Search_test_autogen/mocs_compilation.cpp.o: \
 editor_Unit1Search_test_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
