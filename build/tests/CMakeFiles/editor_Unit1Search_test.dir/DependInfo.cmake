
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/search/tests/editor/Unit1Search_test.cpp" "tests/CMakeFiles/editor_Unit1Search_test.dir/editor/Unit1Search_test.cpp.o" "gcc" "tests/CMakeFiles/editor_Unit1Search_test.dir/editor/Unit1Search_test.cpp.o.d"
  "/work/wt/search/build/tests/editor_Unit1Search_test_autogen/mocs_compilation.cpp" "tests/CMakeFiles/editor_Unit1Search_test.dir/editor_Unit1Search_test_autogen/mocs_compilation.cpp.o" "gcc" "tests/CMakeFiles/editor_Unit1Search_test.dir/editor_Unit1Search_test_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt/search/build/tests/common/CMakeFiles/corvane_test_common.dir/DependInfo.cmake"
  "/work/wt/search/build/src/CMakeFiles/corvane_editor_lib.dir/DependInfo.cmake"
  "/work/wt/search/build/src/CMakeFiles/corvane_components.dir/DependInfo.cmake"
  "/work/wt/search/build/src/CMakeFiles/corvane_platform.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
