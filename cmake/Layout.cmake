# Where the programs find their own files: folders a fixed way from the program's folder, the same in
# the build tree and in an installed tree (`cmake --install`), so either works wherever it lies. The
# programs lie in bin/ of the build tree; the tests, benchmarks, fuzz targets and build tools lie in
# folders beside it and find the files the same way.
include(GNUInstallDirs)
file(RELATIVE_PATH CORVANE_DATA_FROM_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/corvane")
file(RELATIVE_PATH CORVANE_MODULES_FROM_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}/corvane")
set(CORVANE_BUILD_PROGRAM_DIR "${CMAKE_BINARY_DIR}/bin")
foreach(kind DATA MODULES)
  cmake_path(ABSOLUTE_PATH CORVANE_${kind}_FROM_PROGRAM BASE_DIRECTORY "${CORVANE_BUILD_PROGRAM_DIR}" NORMALIZE
             OUTPUT_VARIABLE CORVANE_BUILD_${kind}_DIR)
  cmake_path(IS_PREFIX CMAKE_BINARY_DIR "${CORVANE_BUILD_${kind}_DIR}" NORMALIZE inside)
  if(NOT inside)
    message(FATAL_ERROR "CMAKE_INSTALL_BINDIR must be one folder below the prefix, beside the data and library folders")
  endif()
endforeach()

# The resources the programs read at run time, copied into the build tree's data folder. The help
# pages are made there too (HelpPages.cmake).
file(GLOB_RECURSE resource_files RELATIVE "${CMAKE_SOURCE_DIR}/resources" CONFIGURE_DEPENDS
     "${CMAKE_SOURCE_DIR}/resources/bitmaps/*" "${CMAKE_SOURCE_DIR}/resources/cursors/*")
list(APPEND resource_files icons/pl.ico)
set(staged_resources)
foreach(file IN LISTS resource_files)
  add_custom_command(OUTPUT "${CORVANE_BUILD_DATA_DIR}/${file}"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/resources/${file}" "${CORVANE_BUILD_DATA_DIR}/${file}"
    DEPENDS "${CMAKE_SOURCE_DIR}/resources/${file}" VERBATIM)
  list(APPEND staged_resources "${CORVANE_BUILD_DATA_DIR}/${file}")
endforeach()
add_custom_target(corvane_resources DEPENDS ${staged_resources})
