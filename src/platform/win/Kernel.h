#pragma once
// The system's folders and the running program as this platform has them.
//
// - The "Windows directory" is a folder of the layer's own: the folder of the settings store
//   (see RegistryStore::DefaultPath). It holds no Windows programs, so a program that looks for
//   one there (Notepad) finds none; bare ini-file names lie in it.
// - The temporary directory is private to this process: a folder of its own (mode 0700) inside
//   the user's private folder, not the shared /tmp, so fixed temporary file names are raced
//   neither by other users nor by a second instance of the same program.
// - Programs that Windows names "X.exe" are the file "X" here (ProgramFileName).
#include <string>

// Without a trailing separator; made when missing.
std::string GetWindowsDirectory();
// Ends in "/". A folder of this process, made on first use inside the user's private folder
// ($XDG_RUNTIME_DIR/Corvane when the desktop gives a runtime folder, else <cache>/Corvane/tmp,
// <cache> being $XDG_CACHE_HOME or ~/.cache) and removed with its files when the process ends normally.
// Empty when either folder cannot be made private (a link, another owner, no room).
std::string GetTempPath();
// Writes a file of the temporary folder anew: whatever has its name there is removed first and the
// file is made exclusively, never through a link, so nothing planted under the name is written.
// EFCreateError or EWriteError with the system's reason on failure.
void WriteTempFile(const std::string& FileName, const std::string& Bytes);
// Ends in "/". The user's folder of what the programs keep across sessions ($XDG_STATE_HOME/Corvane,
// else ~/.local/state/Corvane), made private when missing; empty when it cannot be made private.
std::string GetStatePath();
// Gives back to the system the memory the program has freed but its heap still holds, as trimming the
// working set does: after a large job the program's size is what it still uses.
void TrimWorkingSet();
// The running program's full file name.
std::string GetModuleFileName();
// The file name of a program as this platform names it: a trailing ".exe" (any case) is dropped.
std::string ProgramFileName(const std::string& windowsName);
