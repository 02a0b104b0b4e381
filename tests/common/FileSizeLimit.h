#pragma once
// Limits the size of every file this process writes for the life of the object, as a full disk limits
// it: a write beyond the limit fails with EFBIG ("File too large") instead of ending the process.
#include <sys/resource.h>

#include <csignal>

namespace corvane::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit small = previous_;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  void (*previousHandler_)(int);
  rlimit previous_{};
};

}  // namespace corvane::test
