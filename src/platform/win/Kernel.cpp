#include "win/Kernel.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "vcl/SysUtils.h"
#include "win/RegistryStore.h"

namespace {

namespace fs = std::filesystem;

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Makes the folder (and its parents) and checks that only this user can reach it: owned by
// us, a real directory rather than a link, no access for group or others.
bool MakePrivateDirectory(const fs::path& folder) {
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) return false;
  if ((info.st_mode & 0777) != 0700 && ::chmod(folder.c_str(), 0700) != 0) return false;
  return true;
}

}  // namespace

std::string GetWindowsDirectory() {
  const fs::path folder = fs::path(RegistryStore::Instance().Path()).parent_path();
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  return folder.string();
}

std::string GetTempPath() {
  fs::path folder;
  if (const std::string runtime = FromEnvironment("XDG_RUNTIME_DIR"); !runtime.empty())
    folder = fs::path(runtime) / "Corvane";
  else if (const std::string cache = FromEnvironment("XDG_CACHE_HOME"); !cache.empty())
    folder = fs::path(cache) / "Corvane" / "tmp";
  else
    folder = fs::path(FromEnvironment("HOME")) / ".cache" / "Corvane" / "tmp";
  if (!MakePrivateDirectory(folder)) return {};
  return IncludeTrailingPathDelimiter(folder.string());
}

std::string GetModuleFileName() {
  std::error_code ignored;
  return fs::read_symlink("/proc/self/exe", ignored).string();
}

std::string ProgramFileName(const std::string& windowsName) {
  const std::string suffix = ".exe";
  if (windowsName.size() > suffix.size() && SameText(windowsName.substr(windowsName.size() - suffix.size()), suffix))
    return windowsName.substr(0, windowsName.size() - suffix.size());
  return windowsName;
}
