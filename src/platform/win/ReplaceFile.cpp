#include "win/ReplaceFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"
#include "win/FileNames.h"
#include "win/Kernel.h"

namespace {

template <class E>
[[noreturn]] void Fail(const char* format, const std::string& fileName, int error) {
  throw E(Format(format, FileNameToText(fileName).c_str(), std::strerror(error)));
}

[[noreturn]] void FailWrite(const std::string& fileName, int error) {
  Fail<EWriteError>("Cannot write file \"%s\". %s", fileName, error);
}

// Closes a descriptor when it goes.
class TDescriptor {
 public:
  explicit TDescriptor(int fd = -1) : fd_(fd) {}
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  ~TDescriptor() { Close(); }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // False when the system reports that buffered data could not be written.
  bool Close() {
    if (fd_ < 0) return true;
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// The new bytes on their way to a descriptor; a failed write raises with the system's reason.
class TDescriptorStream : public TStream {
 public:
  TDescriptorStream(int fd, const std::string& fileName) : fd_(fd), fileName_(fileName) {}
  std::int64_t Read(void*, std::int64_t) override { return 0; }
  std::int64_t Write(const void* Buffer, std::int64_t Count) override {
    std::int64_t done = 0;
    while (done < Count) {
      const ssize_t n = ::write(fd_, static_cast<const char*>(Buffer) + done, static_cast<size_t>(Count - done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) FailWrite(fileName_, errno);
      if (n == 0) FailWrite(fileName_, EIO);
      done += n;
    }
    written_ += done;
    return done;
  }
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override {
    const int whence = Origin == soBeginning ? SEEK_SET : (Origin == soCurrent ? SEEK_CUR : SEEK_END);
    return ::lseek(fd_, Offset, whence);
  }
  std::int64_t Written() const { return written_; }

 private:
  int fd_;
  const std::string& fileName_;
  std::int64_t written_ = 0;
};

// The file a name stands for after every symbolic link, also when the last one points at nothing yet.
std::string FinalTarget(const std::string& fileName) {
  std::string path = fileName;
  constexpr int kMaxLinks = 40;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::vector<char> buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0 || static_cast<size_t>(n) >= buffer.size()) return path;
    const std::string link(buffer.data(), static_cast<size_t>(n));
    path = link.front() == '/' ? link : ExtractFilePath(path) + link;
  }
  return path;
}

std::string FolderOf(const std::string& target) {
  const std::string folder = ExtractFilePath(target);
  return folder.empty() ? "./" : folder;
}

mode_t DefaultMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The pattern of the temporary file a save writes beside its file: "." + the file's name + "." and
// six characters.
std::string TempPrefix(const std::string& target) { return "." + ExtractFileName(target) + "."; }
constexpr size_t kTempSuffix = 6;

// A save in progress holds a lock on its temporary file; one that nobody holds was left by a save
// that was killed, and goes.
void RemoveStaleTemps(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string prefix = TempPrefix(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + kTempSuffix || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string path = folder + name;
    TDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) stale.push_back(path);
  }
  ::closedir(dir);
  for (const std::string& path : stale) ::unlink(path.c_str());
}

TFolderSyncWatch& FolderSyncWatch() {
  static TFolderSyncWatch watch;
  return watch;
}

void SyncFolder(const std::string& folder) {
  TDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.Valid()) return;
  ::fsync(fd.Get());  // a file system that cannot flush folders has nothing to flush
  if (FolderSyncWatch()) FolderSyncWatch()(folder);
}

void CopyAll(int from, int to, const std::string& fileName) {
  char chunk[65536];
  TDescriptorStream out(to, fileName);
  for (;;) {
    const ssize_t n = ::read(from, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail<EWriteError>("Cannot write file \"%s\". %s", fileName, errno);
    if (n == 0) return;
    out.Write(chunk, n);
  }
}

// The new file beside the target, locked while it is written, removed unless it took the target's place.
class TTempFile {
 public:
  explicit TTempFile(const std::string& target) {
    std::string pattern = FolderOf(target) + TempPrefix(target) + std::string(kTempSuffix, 'X');
    fd_.Reset(::mkostemp(pattern.data(), O_CLOEXEC));
    error_ = errno;
    if (fd_.Valid()) {
      path_ = pattern;
      ::flock(fd_.Get(), LOCK_EX);
    }
  }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  ~TTempFile() {
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
  }
  bool Made() const { return fd_.Valid(); }
  int Error() const { return error_; }

  void Write(const std::function<void(TStream&)>& write, const std::string& fileName) {
    TDescriptorStream stream(fd_.Get(), fileName);
    write(stream);
  }

  void Commit(const std::string& target, const std::string& fileName, mode_t mode, const struct stat* old) {
    // The owner and group stay where the saver may set them; a saver who may set only the group sets that.
    if (old && ::fchown(fd_.Get(), old->st_uid, old->st_gid) != 0) {
      [[maybe_unused]] const int groupOnly = ::fchown(fd_.Get(), static_cast<uid_t>(-1), old->st_gid);
    }
    if (::fchmod(fd_.Get(), mode) != 0 || ::fsync(fd_.Get()) != 0) FailWrite(fileName, errno);
    if (!fd_.Close()) FailWrite(fileName, errno);
    if (::rename(path_.c_str(), target.c_str()) != 0) FailWrite(fileName, errno);
    committed_ = true;
    SyncFolder(FolderOf(target));
  }

 private:
  TDescriptor fd_;
  std::string path_;
  int error_ = 0;
  bool committed_ = false;
};

// The old bytes of a file written in place, kept in the private temporary folder meanwhile.
class TBackup {
 public:
  TBackup(int source, const std::string& fileName) {
    const std::string folder = GetTempPath();
    if (folder.empty()) FailWrite(fileName, EACCES);
    std::string pattern = folder + "saved-" + ExtractFileName(fileName) + ".XXXXXX";
    fd_.Reset(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!fd_.Valid()) FailWrite(fileName, errno);
    path_ = pattern;
    CopyAll(source, fd_.Get(), fileName);
    if (::fsync(fd_.Get()) != 0) FailWrite(fileName, errno);
  }
  TBackup(const TBackup&) = delete;
  TBackup& operator=(const TBackup&) = delete;
  ~TBackup() {
    if (!keep_) ::unlink(path_.c_str());
  }
  const std::string& Path() const { return path_; }

  // Puts the old bytes back; false when that failed too, and then the copy stays.
  bool RestoreInto(int target, const std::string& fileName) noexcept {
    try {
      if (::lseek(fd_.Get(), 0, SEEK_SET) != 0 || ::lseek(target, 0, SEEK_SET) != 0) throw EWriteError(fileName);
      CopyAll(fd_.Get(), target, fileName);
      const off_t size = ::lseek(fd_.Get(), 0, SEEK_CUR);
      if (::ftruncate(target, size) != 0 || ::fsync(target) != 0) throw EWriteError(fileName);
      return true;
    } catch (const Exception&) {
      keep_ = true;
      return false;
    }
  }

 private:
  TDescriptor fd_;
  std::string path_;
  bool keep_ = false;
};

void WriteInPlace(const std::string& target, const std::string& fileName,
                  const std::function<void(TStream&)>& write) {
  TDescriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
  if (!fd.Valid()) Fail<EFCreateError>("Cannot create file \"%s\". %s", fileName, errno);
  TBackup backup(fd.Get(), fileName);
  try {
    if (::lseek(fd.Get(), 0, SEEK_SET) != 0) FailWrite(fileName, errno);
    TDescriptorStream stream(fd.Get(), fileName);
    write(stream);
    if (::ftruncate(fd.Get(), stream.Written()) != 0 || ::fsync(fd.Get()) != 0) FailWrite(fileName, errno);
  } catch (const Exception& e) {
    if (backup.RestoreInto(fd.Get(), fileName)) throw;
    throw EWriteError(e.Message + ". The old contents are kept in \"" + FileNameToText(backup.Path()) + "\"");
  }
}

}  // namespace

void SetFolderSyncWatch(TFolderSyncWatch Watch) { FolderSyncWatch() = std::move(Watch); }

void WriteFileReplacing(const std::string& FileName, const std::function<void(TStream& Stream)>& Write) {
  const std::string target = FinalTarget(FileName);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists) {
    if (!S_ISREG(old.st_mode)) throw EFCreateError("Cannot create file \"" + FileNameToText(FileName) + "\". It is not a regular file");
    // A file nobody may write is not replaced behind its back, not even by a saver the system would let.
    if (::access(target.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)
      Fail<EFCreateError>("Cannot create file \"%s\". %s", FileName, EACCES);
  }
  RemoveStaleTemps(target);
  // Other hard links must go on seeing the file, so it is written where it is.
  if (exists && old.st_nlink > 1) {
    WriteInPlace(target, FileName, Write);
    return;
  }
  TTempFile temp(target);
  if (!temp.Made()) {
    if (!exists) Fail<EFCreateError>("Cannot create file \"%s\". %s", FileName, temp.Error());
    WriteInPlace(target, FileName, Write);  // the folder takes no new file, the file itself takes bytes
    return;
  }
  temp.Write(Write, FileName);
  temp.Commit(target, FileName, exists ? (old.st_mode & 07777) : DefaultMode(), exists ? &old : nullptr);
}
