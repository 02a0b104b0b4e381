#pragma once
// The system's folders and the running program as this platform has them.
//
// - The "Windows directory" is a folder of the layer's own: the folder of the settings store
//   (see RegistryStore::DefaultPath). It holds no Windows programs, so a program that looks for
//   one there (Notepad) finds none; bare ini-file names lie in it.
// - The temporary directory is private to the user (mode 0700, made when missing), not the
//   shared /tmp, so fixed temporary file names cannot be raced by other users.
// - Programs that Windows names "X.exe" are the file "X" here (ProgramFileName).
#include <string>

// Without a trailing separator; made when missing.
std::string GetWindowsDirectory();
// Ends in "/". $XDG_RUNTIME_DIR/Corvane when the desktop gives a runtime folder, else
// <cache>/Corvane/tmp ($XDG_CACHE_HOME or ~/.cache). Empty when it cannot be made private.
std::string GetTempPath();
// The running program's full file name.
std::string GetModuleFileName();
// The file name of a program as this platform names it: a trailing ".exe" (any case) is dropped.
std::string ProgramFileName(const std::string& windowsName);
