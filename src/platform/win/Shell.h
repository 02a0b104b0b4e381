#pragma once
// Starting programs and opening documents and links, as the shell does: a program file is
// started directly, anything else (a document, a folder, a URL, a mail link) goes to the
// desktop's handler for it.
#include <functional>
#include <string>

#include "vcl/Types.h"

// Above 32 on success, else an error number (2 file not found, 31 no handler).
inline constexpr int SE_ERR_FNF = 2;
inline constexpr int SE_ERR_NOASSOC = 31;

// `verb` and `showCmd` are accepted for the shape of the call; every verb opens. `parameters`
// are split like a command line and passed to a program (documents take none).
int ShellExecute(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters,
                 const std::string& directory, int showCmd);

// The program a name stands for (the file itself, its name without ".exe", or a program on PATH);
// empty when there is none.
std::string FindProgram(const std::string& file);

// The desktop's text editor: the program $VISUAL names, else the desktop's opener; empty when
// neither is there.
std::string DesktopTextEditor();

// What a program asked the shell to do.
struct TShellRequest {
  std::string File;
  std::string Parameters;
  std::string Directory;
  int ShowCmd = 0;
};
// While a hook is set, ShellExecute hands every request to it instead of the desktop and returns
// what it answers; an empty hook brings the desktop back. Returns the hook it replaces.
using TShellHook = std::function<int(const TShellRequest& Request)>;
TShellHook SetShellHook(TShellHook Hook);

// A hook for the scope of a test.
class TShellHookScope {
 public:
  explicit TShellHookScope(TShellHook Hook) : previous_(SetShellHook(std::move(Hook))) {}
  ~TShellHookScope() { SetShellHook(std::move(previous_)); }
  TShellHookScope(const TShellHookScope&) = delete;
  TShellHookScope& operator=(const TShellHookScope&) = delete;

 private:
  TShellHook previous_;
};

// The file URL of an absolute path ("file:///a%20b"); the bytes that would end or escape the path
// are percent-encoded.
std::string FileUrl(const std::string& path);
