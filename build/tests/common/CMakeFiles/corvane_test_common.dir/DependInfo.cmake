
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/search/tests/common/PerlCorpus.cpp" "tests/common/CMakeFiles/corvane_test_common.dir/PerlCorpus.cpp.o" "gcc" "tests/common/CMakeFiles/corvane_test_common.dir/PerlCorpus.cpp.o.d"
  "/work/wt/search/tests/common/TestApp.cpp" "tests/common/CMakeFiles/corvane_test_common.dir/TestApp.cpp.o" "gcc" "tests/common/CMakeFiles/corvane_test_common.dir/TestApp.cpp.o.d"
  "/work/wt/search/build/tests/common/corvane_test_common_autogen/mocs_compilation.cpp" "tests/common/CMakeFiles/corvane_test_common.dir/corvane_test_common_autogen/mocs_compilation.cpp.o" "gcc" "tests/common/CMakeFiles/corvane_test_common.dir/corvane_test_common_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt/search/build/src/CMakeFiles/corvane_platform.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
