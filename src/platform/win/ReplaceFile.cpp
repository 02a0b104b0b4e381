#include "win/ReplaceFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
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

TFolderSyncWatch& FolderSyncWatch() {
  static TFolderSyncWatch watch;
  return watch;
}

void FlushFolder(const std::string& folder) {
  TDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Valid()) ::fsync(fd.Get());  // a file system that cannot flush folders has nothing to flush
}

void SyncFolder(const std::string& folder) {
  FlushFolder(folder);
  if (FolderSyncWatch()) FolderSyncWatch()(folder);
}

// The temporary file a save writes beside its file: "." + the file's name + ".corvane-" and six
// characters, a name no other program makes.
std::string TempPattern(const std::string& target) {
  return FolderOf(target) + "." + ExtractFileName(target) + ".corvane-XXXXXX";
}

// What a save leaves on the disk while it runs, told in a record in the user's state folder: the
// temporary file beside the file, or the old copy of a file written in place. The save holds a lock on
// its record, so a record that nobody holds is one of a save whose program was killed; files are only
// ever removed on the word of such a record, never because their names look like ours.
enum class TLeftKind : char { Temporary = 't', OldCopy = 'o' };

struct TLeftFile {
  TLeftKind kind = TLeftKind::Temporary;
  std::string file;  // the file the save writes
  std::string left;  // what it leaves meanwhile
  dev_t device = 0;  // of the temporary file, or of the file written in place
  ino_t inode = 0;
};

constexpr char kRecordPrefix[] = "save-";
constexpr size_t kRecordName = sizeof kRecordPrefix - 1 + 6;

// Fields apart by NUL bytes, the only byte no file name holds.
std::string Encode(const TLeftFile& left) {
  std::string text(1, static_cast<char>(left.kind));
  for (const std::string& field : {left.file, left.left, std::to_string(left.device), std::to_string(left.inode)})
    text += '\0' + field;
  return text;
}

std::optional<TLeftFile> Decode(const std::string& text) {
  std::vector<std::string> fields(1);
  for (char c : text)
    if (c == '\0')
      fields.emplace_back();
    else
      fields.back() += c;
  if (fields.size() != 5 || fields[0].size() != 1) return std::nullopt;
  TLeftFile left;
  left.kind = static_cast<TLeftKind>(fields[0][0]);
  left.file = fields[1];
  left.left = fields[2];
  try {
    left.device = static_cast<dev_t>(std::stoull(fields[3]));
    left.inode = static_cast<ino_t>(std::stoull(fields[4]));
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return left;
}

void WriteAll(int fd, const std::string& bytes, const std::string& fileName) {
  TDescriptorStream(fd, fileName).Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

// The record of one save, removed when the save is done unless it is kept for the user.
class TSaveRecord {
 public:
  TSaveRecord() : folder_(GetStatePath()) {
    if (folder_.empty()) return;
    std::string pattern = folder_ + kRecordPrefix + "XXXXXX";
    fd_.Reset(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!fd_.Valid()) return;
    path_ = pattern;
    ::flock(fd_.Get(), LOCK_EX);
  }
  TSaveRecord(const TSaveRecord&) = delete;
  TSaveRecord& operator=(const TSaveRecord&) = delete;
  ~TSaveRecord() { Done(); }
  bool Made() const { return fd_.Valid(); }
  const std::string& Folder() const { return folder_; }

  // What the save leaves; on the disk before the file is touched where it must outlive a crash.
  void Tell(const TLeftFile& left, bool durable, const std::string& fileName) {
    WriteAll(fd_.Get(), Encode(left), fileName);
    if (durable && ::fsync(fd_.Get()) != 0) FailWrite(fileName, errno);
    if (durable) FlushFolder(folder_);
  }
  void Keep() { keep_ = true; }
  // The save no longer leaves what the record tells of.
  void Done() {
    if (!path_.empty() && !keep_) ::unlink(path_.c_str());
    path_.clear();
  }

 private:
  std::string folder_;
  TDescriptor fd_;
  std::string path_;
  bool keep_ = false;
};

struct TAbandonedRecord {
  std::string path;
  std::optional<TLeftFile> left;  // none when its save was killed before it could tell
};

// The records of saves whose programs are gone.
std::vector<TAbandonedRecord> AbandonedRecords() {
  std::vector<TAbandonedRecord> found;
  const std::string folder = GetStatePath();
  DIR* dir = folder.empty() ? nullptr : ::opendir(folder.c_str());
  if (!dir) return found;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != kRecordName || name.compare(0, sizeof kRecordPrefix - 1, kRecordPrefix) != 0) continue;
    const std::string path = folder + name;
    TDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.Valid() || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) continue;  // its save is running
    std::string text;
    char chunk[4096];
    for (ssize_t n; (n = ::read(fd.Get(), chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<size_t>(n));
    found.push_back({path, text.empty() ? std::nullopt : Decode(text)});
  }
  ::closedir(dir);
  return found;
}

bool IsFile(const std::string& path, dev_t device, ino_t inode) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_dev == device && info.st_ino == inode;
}

// Temporary files of saves that were killed go, with their records. Old copies of files written in
// place wait for the user (FindCutShortSaves), unless they are gone already.
void RemoveAbandonedTemporaries() {
  for (const TAbandonedRecord& record : AbandonedRecords()) {
    if (record.left && record.left->kind == TLeftKind::OldCopy) {
      struct stat info {};
      if (::lstat(record.left->left.c_str(), &info) == 0) continue;
    } else if (record.left && IsFile(record.left->left, record.left->device, record.left->inode)) {
      ::unlink(record.left->left.c_str());
    }
    ::unlink(record.path.c_str());
  }
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

// The new file beside the target, removed unless it took the target's place.
class TTempFile {
 public:
  explicit TTempFile(const std::string& target) {
    std::string pattern = TempPattern(target);
    fd_.Reset(::mkostemp(pattern.data(), O_CLOEXEC));
    error_ = errno;
    if (fd_.Valid()) path_ = pattern;
  }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  ~TTempFile() {
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
  }
  bool Made() const { return fd_.Valid(); }
  int Error() const { return error_; }
  const std::string& Path() const { return path_; }
  struct stat Info() const {
    struct stat info {};
    ::fstat(fd_.Get(), &info);
    return info;
  }

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
  }

 private:
  TDescriptor fd_;
  std::string path_;
  int error_ = 0;
  bool committed_ = false;
};

// The old bytes of a file written in place, kept in the user's state folder meanwhile with the file's
// name recorded beside them, so that a save killed half way leaves what the user can put back.
class TBackup {
 public:
  TBackup(int source, const std::string& target, const std::string& fileName) {
    if (!record_.Made()) FailWrite(fileName, EACCES);
    std::string pattern = record_.Folder() + ExtractFileName(target) + ".XXXXXX";
    fd_.Reset(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!fd_.Valid()) FailWrite(fileName, errno);
    path_ = pattern;
    try {
      CopyAll(source, fd_.Get(), fileName);
      if (::fsync(fd_.Get()) != 0) FailWrite(fileName, errno);
      struct stat info {};
      if (::fstat(source, &info) != 0) FailWrite(fileName, errno);
      record_.Tell({TLeftKind::OldCopy, target, path_, info.st_dev, info.st_ino}, true, fileName);
    } catch (const Exception&) {
      ::unlink(path_.c_str());  // no destructor runs for what was never made
      throw;
    }
  }
  TBackup(const TBackup&) = delete;
  TBackup& operator=(const TBackup&) = delete;
  ~TBackup() {
    if (!keep_ && !path_.empty()) ::unlink(path_.c_str());
  }
  const std::string& Path() const { return path_; }

  // Puts the old bytes back; false when that failed too, and then the copy and its record stay.
  bool RestoreInto(int target, const std::string& fileName) noexcept {
    try {
      if (::lseek(fd_.Get(), 0, SEEK_SET) != 0 || ::lseek(target, 0, SEEK_SET) != 0) throw EWriteError(fileName);
      CopyAll(fd_.Get(), target, fileName);
      const off_t size = ::lseek(fd_.Get(), 0, SEEK_CUR);
      if (::ftruncate(target, size) != 0 || ::fsync(target) != 0) throw EWriteError(fileName);
      return true;
    } catch (const Exception&) {
      keep_ = true;
      record_.Keep();
      return false;
    }
  }

 private:
  TSaveRecord record_;  // goes last, after the copy it tells of
  TDescriptor fd_;
  std::string path_;
  bool keep_ = false;
};

void WriteInPlace(const std::string& target, const std::string& fileName,
                  const std::function<void(TStream&)>& write) {
  TDescriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
  if (!fd.Valid()) Fail<EFCreateError>("Cannot create file \"%s\". %s", fileName, errno);
  TBackup backup(fd.Get(), target, fileName);
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

std::vector<TCutShortSave> FindCutShortSaves(const std::string& FileName) {
  struct stat file {};
  const bool exists = !FileName.empty() && ::stat(FileName.c_str(), &file) == 0;
  std::vector<TCutShortSave> found;
  for (const TAbandonedRecord& record : AbandonedRecords()) {
    if (!record.left || record.left->kind != TLeftKind::OldCopy) continue;
    struct stat copy {};
    if (::lstat(record.left->left.c_str(), &copy) != 0) {
      ::unlink(record.path.c_str());  // its save finished but for this record
      continue;
    }
    const bool same = exists && file.st_dev == record.left->device && file.st_ino == record.left->inode;
    if (FileName.empty() || same || record.left->file == FileName)
      found.push_back({record.left->file, record.left->left, record.path});
  }
  return found;
}

void RestoreCutShortSave(const TCutShortSave& Save) {
  TFileStream copy(Save.OldCopy, fmOpenRead);
  const std::string bytes = copy.ReadRemaining();
  WriteFileReplacing(Save.FileName, [&](TStream& stream) {
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  });
  ::unlink(Save.OldCopy.c_str());
  ::unlink(Save.Record.c_str());
}

void ForgetCutShortSave(const TCutShortSave& Save) { ::unlink(Save.Record.c_str()); }

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
  RemoveAbandonedTemporaries();
  // Other hard links must go on seeing the file, so it is written where it is.
  if (exists && old.st_nlink > 1) {
    WriteInPlace(target, FileName, Write);
    return;
  }
  std::optional<TSaveRecord> record;  // goes after the temporary file it tells of
  TTempFile temp(target);
  if (!temp.Made()) {
    if (!exists) Fail<EFCreateError>("Cannot create file \"%s\". %s", FileName, temp.Error());
    WriteInPlace(target, FileName, Write);  // the folder takes no new file, the file itself takes bytes
    return;
  }
  // Without a state folder the save goes on unrecorded: should it be killed, its file stays.
  if (record.emplace().Made()) {
    const struct stat info = temp.Info();
    record->Tell({TLeftKind::Temporary, target, temp.Path(), info.st_dev, info.st_ino}, false, FileName);
  }
  temp.Write(Write, FileName);
  temp.Commit(target, FileName, exists ? (old.st_mode & 07777) : DefaultMode(), exists ? &old : nullptr);
  record->Done();
  SyncFolder(FolderOf(target));
}
