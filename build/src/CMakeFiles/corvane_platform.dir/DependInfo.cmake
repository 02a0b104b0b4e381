
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/search/build/src/corvane_platform_autogen/mocs_compilation.cpp" "src/CMakeFiles/corvane_platform.dir/corvane_platform_autogen/mocs_compilation.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/corvane_platform_autogen/mocs_compilation.cpp.o.d"
  "/work/wt/search/src/platform/inet/FtpReply.cpp" "src/CMakeFiles/corvane_platform.dir/platform/inet/FtpReply.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/inet/FtpReply.cpp.o.d"
  "/work/wt/search/src/platform/inet/NMFTP.cpp" "src/CMakeFiles/corvane_platform.dir/platform/inet/NMFTP.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/inet/NMFTP.cpp.o.d"
  "/work/wt/search/src/platform/inet/Powersock.cpp" "src/CMakeFiles/corvane_platform.dir/platform/inet/Powersock.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/inet/Powersock.cpp.o.d"
  "/work/wt/search/src/platform/qt/QtConvert.cpp" "src/CMakeFiles/corvane_platform.dir/platform/qt/QtConvert.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/qt/QtConvert.cpp.o.d"
  "/work/wt/search/src/platform/qt/WidgetRelay.cpp" "src/CMakeFiles/corvane_platform.dir/platform/qt/WidgetRelay.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/qt/WidgetRelay.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Application.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Application.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Application.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Buttons.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Buttons.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Buttons.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Canvas.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Canvas.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Canvas.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Classes.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Classes.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Classes.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Clipbrd.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Clipbrd.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Clipbrd.cpp.o.d"
  "/work/wt/search/src/platform/vcl/ComCtrls.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/ComCtrls.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/ComCtrls.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Controls.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Controls.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Controls.cpp.o.d"
  "/work/wt/search/src/platform/vcl/CustomControl.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/CustomControl.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/CustomControl.cpp.o.d"
  "/work/wt/search/src/platform/vcl/DateTimes.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/DateTimes.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/DateTimes.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Dialogs.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Dialogs.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Dialogs.cpp.o.d"
  "/work/wt/search/src/platform/vcl/ExtCtrls.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/ExtCtrls.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/ExtCtrls.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Forms.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Forms.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Forms.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Graphics.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Graphics.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Graphics.cpp.o.d"
  "/work/wt/search/src/platform/vcl/ImgList.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/ImgList.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/ImgList.cpp.o.d"
  "/work/wt/search/src/platform/vcl/IniFiles.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/IniFiles.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/IniFiles.cpp.o.d"
  "/work/wt/search/src/platform/vcl/LineStore.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/LineStore.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/LineStore.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Menus.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Menus.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Menus.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Registry.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Registry.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Registry.cpp.o.d"
  "/work/wt/search/src/platform/vcl/ShortCuts.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/ShortCuts.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/ShortCuts.cpp.o.d"
  "/work/wt/search/src/platform/vcl/StdCtrls.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/StdCtrls.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/StdCtrls.cpp.o.d"
  "/work/wt/search/src/platform/vcl/SysUtils.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/SysUtils.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/SysUtils.cpp.o.d"
  "/work/wt/search/src/platform/vcl/Threads.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Threads.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/Threads.cpp.o.d"
  "/work/wt/search/src/platform/vcl/WebBrowser.cpp" "src/CMakeFiles/corvane_platform.dir/platform/vcl/WebBrowser.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/vcl/WebBrowser.cpp.o.d"
  "/work/wt/search/src/platform/win/Caret.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/Caret.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/Caret.cpp.o.d"
  "/work/wt/search/src/platform/win/CharType.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/CharType.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/CharType.cpp.o.d"
  "/work/wt/search/src/platform/win/CodePage.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/CodePage.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/CodePage.cpp.o.d"
  "/work/wt/search/src/platform/win/DropFiles.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/DropFiles.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/DropFiles.cpp.o.d"
  "/work/wt/search/src/platform/win/Gdi.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/Gdi.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/Gdi.cpp.o.d"
  "/work/wt/search/src/platform/win/HintWindow.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/HintWindow.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/HintWindow.cpp.o.d"
  "/work/wt/search/src/platform/win/Kernel.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/Kernel.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/Kernel.cpp.o.d"
  "/work/wt/search/src/platform/win/Process.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/Process.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/Process.cpp.o.d"
  "/work/wt/search/src/platform/win/Registry.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/Registry.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/Registry.cpp.o.d"
  "/work/wt/search/src/platform/win/RegistryStore.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/RegistryStore.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/RegistryStore.cpp.o.d"
  "/work/wt/search/src/platform/win/ReplaceFile.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/ReplaceFile.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/ReplaceFile.cpp.o.d"
  "/work/wt/search/src/platform/win/ScrollBars.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/ScrollBars.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/ScrollBars.cpp.o.d"
  "/work/wt/search/src/platform/win/Shell.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/Shell.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/Shell.cpp.o.d"
  "/work/wt/search/src/platform/win/WinUser.cpp" "src/CMakeFiles/corvane_platform.dir/platform/win/WinUser.cpp.o" "gcc" "src/CMakeFiles/corvane_platform.dir/platform/win/WinUser.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
