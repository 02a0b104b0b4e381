#include "win/Shell.h"

#include <unistd.h>

#include <cstdlib>
#include <utility>

#include <QDesktopServices>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "qt/QtConvert.h"
#include "vcl/SysUtils.h"
#include "win/Kernel.h"
#include "win/Process.h"

namespace {

bool IsLink(const std::string& file) {
  // Two letters at least before the colon: "C:" is a drive, not a scheme.
  static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
  return scheme.match(FileNameToQString(file)).hasMatch();
}

bool IsProgram(const std::string& path) { return FileExists(path) && ::access(path.c_str(), X_OK) == 0; }

TShellHook& Hook() {
  static TShellHook hook;
  return hook;
}

}  // namespace

std::string FindProgram(const std::string& file) {
  for (const std::string& candidate : {file, ProgramFileName(file)})
    if (IsProgram(candidate)) return candidate;
  if (file.find('/') == std::string::npos) {
    const QString found = QStandardPaths::findExecutable(FileNameToQString(ProgramFileName(file)));
    if (!found.isEmpty()) return FileNameFromQString(found);
  }
  return {};
}

std::string DesktopTextEditor() {
  const char* visual = std::getenv("VISUAL");
  if (visual != nullptr && *visual != '\0') {
    if (std::string program = FindProgram(visual); !program.empty()) return program;
  }
  return FindProgram("xdg-open");
}


TShellHook SetShellHook(TShellHook hook) { return std::exchange(Hook(), std::move(hook)); }

// Program, parameters, folder and addresses carry file names: they reach the process as the file
// system's bytes.
int ShellExecute(HWND, const std::string&, const std::string& file, const std::string& parameters,
                 const std::string& directory, int showCmd) {
  if (Hook()) return Hook()(TShellRequest{file, parameters, directory, showCmd});
  if (file.empty()) return SE_ERR_FNF;
  if (IsLink(file)) return QDesktopServices::openUrl(QUrl(FileNameToQString(file))) ? 33 : SE_ERR_NOASSOC;
  if (const std::string program = FindProgram(file); !program.empty()) {
    QStringList arguments;
    for (const std::string& argument : TPipedProcess::SplitCommandLine("x " + parameters))
      arguments << FileNameToQString(argument);
    arguments.removeFirst();
    return QProcess::startDetached(FileNameToQString(program), arguments, FileNameToQString(directory)) ? 33 : SE_ERR_FNF;
  }
  if (!FileExists(file) && !DirectoryExists(file)) return SE_ERR_FNF;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(FileNameToQString(ExpandFileName(file)))) ? 33 : SE_ERR_NOASSOC;
}

std::string FileUrl(const std::string& path) {
  static const char hex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const unsigned char c : path) {
    if (c <= ' ' || c >= 0x7f || c == '%' || c == '#' || c == '?' || c == '"') {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    } else {
      url += static_cast<char>(c);
    }
  }
  return url;
}
