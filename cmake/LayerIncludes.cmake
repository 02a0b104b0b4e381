# Fails when a source file of the tree below ROOT, outside its platform folder, includes a header that
# only the layer may include: Qt's, SQLite's or the system's own (POSIX, Linux, X), or one of another
# folder by a "../" path. The compiler finds the system's and SQLite's headers on its default path, so the
# libraries' include folders alone do not keep them out.
#   cmake -DROOT=src -P cmake/LayerIncludes.cmake
cmake_minimum_required(VERSION 3.24)
set(posix "aio|cpio|dirent|dlfcn|fcntl|fnmatch|ftw|glob|grp|iconv|langinfo|libgen|mqueue|netdb|nl_types|poll"
          "|pthread|pwd|regex|sched|semaphore|spawn|strings|syslog|termios|unistd|utime|utmpx|wordexp"
          "|alloca|byteswap|endian|err|error|execinfo|features|getopt|ifaddrs|link|malloc|mntent|paths|pty"
          "|shadow|utmp|sqlite3")
string(JOIN "" posix ${posix})
set(system_folders "sys|arpa|net|netinet|linux|asm|bits|gnu|X11|xcb|Qt[A-Za-z]*")
# Qt's headers are its class names (<QWidget>) or its lower-case files (<qglobal.h>); a quoted include is
# looked up in the folder of the file first, so there a lower-case q name is one of ours.
set(forbidden "^((${posix})\\.h|(${system_folders})/.*|Q[A-Za-z]+|\\.\\./.*)$")
set(forbidden_in_brackets "^q[a-z]+\\.h$")

file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/*.h" "${ROOT}/*.cpp")
list(FILTER files EXCLUDE REGEX "^platform/")
set(offences)
foreach(file IN LISTS files)
  file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(NOT line MATCHES "#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    set(bracket "${CMAKE_MATCH_1}")
    set(header "${CMAKE_MATCH_2}")
    if(header MATCHES "${forbidden}" OR (bracket STREQUAL "<" AND header MATCHES "${forbidden_in_brackets}"))
      list(APPEND offences "${file}: ${header}")
    endif()
  endforeach()
endforeach()

if(offences)
  list(LENGTH offences count)
  list(JOIN offences "\n  " offences)
  message(FATAL_ERROR "${count} includes above the layer name headers only the platform folder may include:\n  ${offences}")
endif()
list(LENGTH files count)
message(STATUS "${count} files above the layer include none of Qt's, SQLite's or the system's headers")
