# `cmake --install build --prefix DIR`: the two programs, the browser engine's module and the programs'
# files in the layout the programs look for them in (Layout.cmake), the program's icon in the desktop's
# icon theme, and Corvane's desktop entry.
install(TARGETS Corvane Uploader RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(TARGETS corvane_browser LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}/corvane")
install(DIRECTORY "${CORVANE_BUILD_DATA_DIR}/" DESTINATION "${CMAKE_INSTALL_DATADIR}/corvane")
install(DIRECTORY "${CMAKE_SOURCE_DIR}/resources/icons/hicolor" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")

# The entry starts the program by its full path, so it works for a prefix that is not on PATH; the
# prefix is the one given to the install, not the one the build was set up with. It is written straight
# into the prefix, so installs at the same time write nothing of the build tree but the manifest.
set(desktop_entry_template "${CMAKE_SOURCE_DIR}/resources/corvane.desktop.in")
install(CODE "
  set(CORVANE_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/Corvane\")
  set(entry \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/corvane.desktop\")
  file(READ \"${desktop_entry_template}\" text)
  string(CONFIGURE \"\${text}\" text @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${entry}\")
  file(WRITE \"\$ENV{DESTDIR}\${entry}\" \"\${text}\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\$ENV{DESTDIR}\${entry}\")
")
