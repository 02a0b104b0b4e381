file(REMOVE_RECURSE
  "CMakeFiles/corvane_editor_lib_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/corvane_editor_lib_autogen.dir/ParseCache.txt"
  "corvane_editor_lib_autogen"
  "CMakeFiles/corvane_editor_lib.dir/corvane_editor_lib_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/corvane_editor_lib_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/corvane_editor_lib.dir/editor/ConsoleIO.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/editor/ConsoleIO.cpp.o.d"
  "CMakeFiles/corvane_editor_lib.dir/editor/Corvane.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/editor/Corvane.cpp.o.d"
  "CMakeFiles/corvane_editor_lib.dir/editor/KoiConv.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/editor/KoiConv.cpp.o.d"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1.cpp.o.d"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1Images.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1Images.cpp.o.d"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1Run.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1Run.cpp.o.d"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1Search.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1Search.cpp.o.d"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1Upload.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/editor/Unit1Upload.cpp.o.d"
  "CMakeFiles/corvane_editor_lib.dir/editor/regftyp.cpp.o"
  "CMakeFiles/corvane_editor_lib.dir/editor/regftyp.cpp.o.d"
  "libcorvane_editor_lib.a"
  "libcorvane_editor_lib.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/corvane_editor_lib.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
