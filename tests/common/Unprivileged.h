#pragma once
// File modes bind root only in name: a test that needs a file or folder it cannot write takes the
// rights of an ordinary user (nobody) for a while when it runs as root, and changes nothing else.
#include <sys/types.h>
#include <unistd.h>

namespace corvane::test {

constexpr uid_t kNobody = 65534;

class AsUnprivilegedUser {
 public:
  AsUnprivilegedUser() : root_(::geteuid() == 0) {
    if (root_ && (::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0)) root_ = false;
  }
  ~AsUnprivilegedUser() {
    if (root_ && (::seteuid(0) != 0 || ::setegid(0) != 0)) _exit(70);  // nothing after this could be trusted
  }
  AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
  AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

 private:
  bool root_;
};

}  // namespace corvane::test
