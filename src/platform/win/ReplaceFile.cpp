#include "win/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vcl/SysUtils.h"

namespace {

// The file a link points at, so that the link itself stays; the name as given when nothing is there.
std::string RealTarget(const std::string& fileName) {
  char resolved[PATH_MAX];
  if (realpath(fileName.c_str(), resolved)) return resolved;
  return fileName;
}

mode_t DefaultMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

class TTempFile {
 public:
  explicit TTempFile(const std::string& target) {
    path_ = ExtractFilePath(target);
    if (path_.empty()) path_ = "./";
    path_ += "." + ExtractFileName(target) + ".XXXXXX";
    std::vector<char> name(path_.begin(), path_.end());
    name.push_back('\0');
    fd_ = mkostemp(name.data(), O_CLOEXEC);  // no program started meanwhile inherits it
    if (fd_ < 0) Fail<EFCreateError>("Cannot create file \"%s\". %s", target);
    path_ = name.data();
  }
  ~TTempFile() {
    if (fd_ >= 0) close(fd_);
    if (!committed_) unlink(path_.c_str());
  }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;

  void Write(const std::string& data, const std::string& target) {
    size_t done = 0;
    while (done < data.size()) {
      const ssize_t n = write(fd_, data.data() + done, data.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) Fail<EWriteError>("Cannot write file \"%s\". %s", target);
      done += static_cast<size_t>(n);
    }
  }

  void Commit(const std::string& target, mode_t mode) {
    if (fchmod(fd_, mode) != 0 || fsync(fd_) != 0) Fail<EWriteError>("Cannot write file \"%s\". %s", target);
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) Fail<EWriteError>("Cannot write file \"%s\". %s", target);
    if (rename(path_.c_str(), target.c_str()) != 0) Fail<EWriteError>("Cannot write file \"%s\". %s", target);
    committed_ = true;
  }

 private:
  template <class E>
  [[noreturn]] static void Fail(const char* format, const std::string& target) {
    throw E(Format(format, target.c_str(), std::strerror(errno)));
  }
  std::string path_;
  int fd_ = -1;
  bool committed_ = false;
};

}  // namespace

void WriteFileReplacing(const std::string& FileName, const std::string& Data) {
  const std::string target = RealTarget(FileName);
  struct stat old {};
  const mode_t mode = stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : DefaultMode();
  TTempFile temp(target);
  temp.Write(Data, FileName);
  temp.Commit(target, mode);
}
