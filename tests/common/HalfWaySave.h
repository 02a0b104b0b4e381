#pragma once
// A save in another process, stopped after part of the new text is written: the test then kills that
// process as the system would (SIGKILL) or lets the save finish.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "vcl/Classes.h"
#include "win/ReplaceFile.h"

namespace corvane::test {

class HalfWaySave {
 public:
  // Returns once the process has written the first Before bytes of Text.
  HalfWaySave(const std::string& FileName, const std::string& Text, size_t Before) {
    int written[2];
    if (::pipe(written) != 0 || ::pipe(go_) != 0) return;
    child_ = ::fork();
    if (child_ == 0) {
      ::close(written[0]);
      ::close(go_[1]);
      int code = 0;
      try {
        WriteFileReplacing(FileName, [&](TStream& stream) {
          stream.WriteBuffer(Text.data(), static_cast<std::int64_t>(Before));
          char byte = 1;
          if (::write(written[1], &byte, 1) != 1 || ::read(go_[0], &byte, 1) != 1) ::_exit(3);
          stream.WriteBuffer(Text.data() + Before, static_cast<std::int64_t>(Text.size() - Before));
        });
      } catch (const std::exception&) {
        code = 2;
      }
      ::_exit(code);
    }
    ::close(written[1]);
    ::close(go_[0]);
    char byte = 0;
    started_ = child_ > 0 && ::read(written[0], &byte, 1) == 1;
    ::close(written[0]);
  }
  HalfWaySave(const HalfWaySave&) = delete;
  HalfWaySave& operator=(const HalfWaySave&) = delete;
  ~HalfWaySave() {
    if (child_ > 0) Kill();
    ::close(go_[1]);
  }

  bool Started() const { return started_; }
  // True when the process died of the signal in the middle of its save.
  bool Kill() {
    ::kill(child_, SIGKILL);
    return Ended() == (128 + SIGKILL);
  }
  // True when the save went through.
  bool Finish() {
    char byte = 1;
    return ::write(go_[1], &byte, 1) == 1 && Ended() == 0;
  }

 private:
  // The exit code, or 128 + the signal that ended the process.
  int Ended() {
    int status = 0;
    const bool reaped = ::waitpid(child_, &status, 0) == child_;
    child_ = -1;
    if (!reaped) return -1;
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  }

  pid_t child_ = -1;
  int go_[2] = {-1, -1};
  bool started_ = false;
};

}  // namespace corvane::test
