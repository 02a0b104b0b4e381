
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/search/build/src/corvane_components_autogen/mocs_compilation.cpp" "src/CMakeFiles/corvane_components.dir/corvane_components_autogen/mocs_compilation.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/corvane_components_autogen/mocs_compilation.cpp.o.d"
  "/work/wt/search/src/editctl/qzCustomEdit.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEdit.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEdit.cpp.o.d"
  "/work/wt/search/src/editctl/qzCustomEditCaret.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditCaret.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditCaret.cpp.o.d"
  "/work/wt/search/src/editctl/qzCustomEditCommands.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditCommands.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditCommands.cpp.o.d"
  "/work/wt/search/src/editctl/qzCustomEditKeys.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditKeys.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditKeys.cpp.o.d"
  "/work/wt/search/src/editctl/qzCustomEditMarks.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditMarks.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditMarks.cpp.o.d"
  "/work/wt/search/src/editctl/qzCustomEditSearch.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditSearch.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditSearch.cpp.o.d"
  "/work/wt/search/src/editctl/qzCustomEditUndo.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditUndo.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzCustomEditUndo.cpp.o.d"
  "/work/wt/search/src/editctl/qzEditSearch.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzEditSearch.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzEditSearch.cpp.o.d"
  "/work/wt/search/src/editctl/qzKeyCmds.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzKeyCmds.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzKeyCmds.cpp.o.d"
  "/work/wt/search/src/editctl/qzSupportClasses.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzSupportClasses.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzSupportClasses.cpp.o.d"
  "/work/wt/search/src/editctl/qzSupportProcs.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzSupportProcs.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzSupportProcs.cpp.o.d"
  "/work/wt/search/src/editctl/qzUndoList.cpp" "src/CMakeFiles/corvane_components.dir/editctl/qzUndoList.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/qzUndoList.cpp.o.d"
  "/work/wt/search/src/editctl/uTextDrawer.cpp" "src/CMakeFiles/corvane_components.dir/editctl/uTextDrawer.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/editctl/uTextDrawer.cpp.o.d"
  "/work/wt/search/src/highlight/ZuzUderUze.cpp" "src/CMakeFiles/corvane_components.dir/highlight/ZuzUderUze.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/highlight/ZuzUderUze.cpp.o.d"
  "/work/wt/search/src/highlight/qzExport.cpp" "src/CMakeFiles/corvane_components.dir/highlight/qzExport.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/highlight/qzExport.cpp.o.d"
  "/work/wt/search/src/highlight/qzGeneralSyn.cpp" "src/CMakeFiles/corvane_components.dir/highlight/qzGeneralSyn.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/highlight/qzGeneralSyn.cpp.o.d"
  "/work/wt/search/src/highlight/qzHighlighter.cpp" "src/CMakeFiles/corvane_components.dir/highlight/qzHighlighter.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/highlight/qzHighlighter.cpp.o.d"
  "/work/wt/search/src/highlight/qzHtmlExport.cpp" "src/CMakeFiles/corvane_components.dir/highlight/qzHtmlExport.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/highlight/qzHtmlExport.cpp.o.d"
  "/work/wt/search/src/support/AppEvents.cpp" "src/CMakeFiles/corvane_components.dir/support/AppEvents.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/AppEvents.cpp.o.d"
  "/work/wt/search/src/support/AppUtils.cpp" "src/CMakeFiles/corvane_components.dir/support/AppUtils.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/AppUtils.cpp.o.d"
  "/work/wt/search/src/support/CKSLib.cpp" "src/CMakeFiles/corvane_components.dir/support/CKSLib.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/CKSLib.cpp.o.d"
  "/work/wt/search/src/support/LCDate.cpp" "src/CMakeFiles/corvane_components.dir/support/LCDate.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/LCDate.cpp.o.d"
  "/work/wt/search/src/support/MaxMin.cpp" "src/CMakeFiles/corvane_components.dir/support/MaxMin.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/MaxMin.cpp.o.d"
  "/work/wt/search/src/support/OmCursors.cpp" "src/CMakeFiles/corvane_components.dir/support/OmCursors.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/OmCursors.cpp.o.d"
  "/work/wt/search/src/support/Placement.cpp" "src/CMakeFiles/corvane_components.dir/support/Placement.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/Placement.cpp.o.d"
  "/work/wt/search/src/support/RecentList.cpp" "src/CMakeFiles/corvane_components.dir/support/RecentList.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/RecentList.cpp.o.d"
  "/work/wt/search/src/support/RegTools.cpp" "src/CMakeFiles/corvane_components.dir/support/RegTools.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/RegTools.cpp.o.d"
  "/work/wt/search/src/support/SpinEdit.cpp" "src/CMakeFiles/corvane_components.dir/support/SpinEdit.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/SpinEdit.cpp.o.d"
  "/work/wt/search/src/support/StrUtils.cpp" "src/CMakeFiles/corvane_components.dir/support/StrUtils.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/StrUtils.cpp.o.d"
  "/work/wt/search/src/support/WndHook.cpp" "src/CMakeFiles/corvane_components.dir/support/WndHook.cpp.o" "gcc" "src/CMakeFiles/corvane_components.dir/support/WndHook.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt/search/build/src/CMakeFiles/corvane_platform.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
