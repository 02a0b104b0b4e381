
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/search/build/src/corvane_uploader_lib_autogen/mocs_compilation.cpp" "src/CMakeFiles/corvane_uploader_lib.dir/corvane_uploader_lib_autogen/mocs_compilation.cpp.o" "gcc" "src/CMakeFiles/corvane_uploader_lib.dir/corvane_uploader_lib_autogen/mocs_compilation.cpp.o.d"
  "/work/wt/search/src/uploader/Unit1.cpp" "src/CMakeFiles/corvane_uploader_lib.dir/uploader/Unit1.cpp.o" "gcc" "src/CMakeFiles/corvane_uploader_lib.dir/uploader/Unit1.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt/search/build/src/CMakeFiles/corvane_components.dir/DependInfo.cmake"
  "/work/wt/search/build/src/CMakeFiles/corvane_platform.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
