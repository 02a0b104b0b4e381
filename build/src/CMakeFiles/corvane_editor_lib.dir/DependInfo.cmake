
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/search/build/src/corvane_editor_lib_autogen/mocs_compilation.cpp" "src/CMakeFiles/corvane_editor_lib.dir/corvane_editor_lib_autogen/mocs_compilation.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/corvane_editor_lib_autogen/mocs_compilation.cpp.o.d"
  "/work/wt/search/src/editor/ConsoleIO.cpp" "src/CMakeFiles/corvane_editor_lib.dir/editor/ConsoleIO.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/editor/ConsoleIO.cpp.o.d"
  "/work/wt/search/src/editor/Corvane.cpp" "src/CMakeFiles/corvane_editor_lib.dir/editor/Corvane.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/editor/Corvane.cpp.o.d"
  "/work/wt/search/src/editor/KoiConv.cpp" "src/CMakeFiles/corvane_editor_lib.dir/editor/KoiConv.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/editor/KoiConv.cpp.o.d"
  "/work/wt/search/src/editor/Unit1.cpp" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1.cpp.o.d"
  "/work/wt/search/src/editor/Unit1Images.cpp" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1Images.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1Images.cpp.o.d"
  "/work/wt/search/src/editor/Unit1Run.cpp" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1Run.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1Run.cpp.o.d"
  "/work/wt/search/src/editor/Unit1Search.cpp" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1Search.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1Search.cpp.o.d"
  "/work/wt/search/src/editor/Unit1Upload.cpp" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1Upload.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/editor/Unit1Upload.cpp.o.d"
  "/work/wt/search/src/editor/regftyp.cpp" "src/CMakeFiles/corvane_editor_lib.dir/editor/regftyp.cpp.o" "gcc" "src/CMakeFiles/corvane_editor_lib.dir/editor/regftyp.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt/search/build/src/CMakeFiles/corvane_components.dir/DependInfo.cmake"
  "/work/wt/search/build/src/CMakeFiles/corvane_platform.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
