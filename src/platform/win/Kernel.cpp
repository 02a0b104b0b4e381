#include "win/Kernel.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "inet/Powersock.h"
#include "vcl/SysUtils.h"
#include "win/FileNames.h"
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

// This process's own folder inside the private one, made once per process and base folder (a forked
// child and a changed base get a new one) and removed, with the files in it, when the process ends.
class InstanceFolder {
 public:
  static std::string Of(const fs::path& base) {
    static InstanceFolder current;
    std::lock_guard lock(current.mutex_);
    if (current.pid_ != ::getpid() || current.base_ != base || !IsOwnPrivateFolder(current.folder_)) {
      current.pid_ = ::getpid();
      current.base_ = base;
      std::string pattern = (base / "instance-XXXXXX").string();
      current.folder_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    return current.folder_;
  }

  ~InstanceFolder() {
    // Only the process that made it removes it: a forked child leaves its parent's folder alone.
    if (folder_.empty() || pid_ != ::getpid()) return;
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

 private:
  static bool IsOwnPrivateFolder(const std::string& folder) {
    struct stat info {};
    return !folder.empty() && ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 0777) == 0700;
  }

  std::mutex mutex_;
  pid_t pid_ = 0;
  fs::path base_;
  std::string folder_;
};

}  // namespace

std::string GetWindowsDirectory() {
  const fs::path folder = fs::path(RegistryStore::Instance().Path()).parent_path();
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  return folder.string();
}

std::string GetTempPath() {
  fs::path base;
  if (const std::string runtime = FromEnvironment("XDG_RUNTIME_DIR"); !runtime.empty())
    base = fs::path(runtime) / "Corvane";
  else if (const std::string cache = FromEnvironment("XDG_CACHE_HOME"); !cache.empty())
    base = fs::path(cache) / "Corvane" / "tmp";
  else
    base = fs::path(FromEnvironment("HOME")) / ".cache" / "Corvane" / "tmp";
  if (!MakePrivateDirectory(base)) return {};
  const std::string folder = InstanceFolder::Of(base);
  return folder.empty() ? std::string() : IncludeTrailingPathDelimiter(folder);
}

std::string GetStatePath() {
  const std::string state = FromEnvironment("XDG_STATE_HOME");
  const fs::path base = state.empty() ? fs::path(FromEnvironment("HOME")) / ".local" / "state" / "Corvane"
                                      : fs::path(state) / "Corvane";
  return MakePrivateDirectory(base) ? IncludeTrailingPathDelimiter(base.string()) : std::string();
}

void WriteTempFile(const std::string& FileName, const std::string& Bytes) {
  ::unlink(FileName.c_str());
  const TDescriptor file(::open(FileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!file.Valid()) throw EFCreateError("Cannot create file \"" + FileNameToText(FileName) + "\". " + std::strerror(errno));
  for (std::size_t done = 0; done < Bytes.size();) {
    const ssize_t put = ::write(file.Handle(), Bytes.data() + done, Bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      const std::string reason = std::strerror(put < 0 ? errno : ENOSPC);
      throw EWriteError("Cannot write file \"" + FileNameToText(FileName) + "\". " + reason);
    }
    done += static_cast<std::size_t>(put);
  }
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

void TrimWorkingSet() { malloc_trim(0); }
