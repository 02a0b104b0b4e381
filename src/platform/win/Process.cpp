#include "win/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
extern "C" {  // this C library's header lacks the C linkage block
#include <sys/pidfd.h>
}
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

extern char** environ;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Pipe ends below 3 would be overwritten while the child's standard handles are laid out.
int AboveStandardHandles(int fd) {
  if (fd > 2) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  close(fd);
  return moved;
}

// A pipe whose ends are closed on exec, so no other child inherits them.
bool OpenPipe(int ends[2]) {
  if (pipe2(ends, O_CLOEXEC) != 0) return false;
  ends[0] = AboveStandardHandles(ends[0]);
  ends[1] = AboveStandardHandles(ends[1]);
  return ends[0] >= 0 && ends[1] >= 0;
}

void CloseIfOpen(int fd) {
  if (fd >= 0) close(fd);
}

std::string StageText(TProcessStage stage) {
  switch (stage) {
    case psPipe: return "Cannot create a pipe";
    case psCreate: return "Cannot create the process";
    case psWait: return "Cannot wait for the process";
  }
  return std::string();
}

// Owns the spawn attributes and file actions for the length of one start.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_init(&actions);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t actions;
};

}  // namespace

EProcessError::EProcessError(TProcessStage stage, int errorCode)
    : EOSError(StageText(stage) + ": " + std::to_string(errorCode)), Stage(stage), ErrorCode(errorCode) {}

TPipedProcess::~TPipedProcess() {
  try {
    Close();
  } catch (const EProcessError&) {
    // Nothing more can be done for a child the system no longer reports on.
  }
}

void TPipedProcess::Start(const TProcessStartInfo& Info) {
  if (pid_ != 0) throw EInvalidOperation("The process has been started already");
  std::vector<std::string> arguments = SplitCommandLine(Info.CommandLine);
  std::string program;
  if (!Info.Application.empty()) {
    // A relative program path names a file of the parent's current directory, not of the child's.
    program = ExpandFileName(Info.Application);
    if (arguments.empty()) arguments.push_back(Info.Application);
  } else {
    if (arguments.empty()) throw EProcessError(psCreate, EINVAL);
    program = arguments.front();
    if (program.find('/') != std::string::npos) program = ExpandFileName(program);
  }

  int output[2] = {-1, -1};
  int input[2] = {-1, -1};
  if (!OpenPipe(output) || !OpenPipe(input)) {
    const int error = errno;
    for (int fd : {output[0], output[1], input[0], input[1]}) CloseIfOpen(fd);
    throw EProcessError(psPipe, error);
  }
  if (Info.PipeSize > 0) {
    fcntl(output[0], F_SETPIPE_SZ, static_cast<int>(Info.PipeSize));
    fcntl(input[0], F_SETPIPE_SZ, static_cast<int>(Info.PipeSize));
  }
  fcntl(output[0], F_SETFL, fcntl(output[0], F_GETFL) | O_NONBLOCK);

  SpawnSetup setup;
  posix_spawn_file_actions_adddup2(&setup.actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&setup.actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&setup.actions, output[1], STDERR_FILENO);
  posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);
  if (!Info.CurrentDirectory.empty())
    posix_spawn_file_actions_addchdir_np(&setup.actions, Info.CurrentDirectory.c_str());

  // The child starts with default signal handling, whatever the editor ignores or blocks.
  sigset_t noSignals;
  sigemptyset(&noSignals);
  posix_spawnattr_setsigmask(&setup.attributes, &noSignals);
  sigset_t allSignals;
  sigfillset(&allSignals);
  sigdelset(&allSignals, SIGKILL);
  sigdelset(&allSignals, SIGSTOP);
  posix_spawnattr_setsigdefault(&setup.attributes, &allSignals);
  short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
  if (Info.NewProcessGroup) {
    flags |= POSIX_SPAWN_SETPGROUP;
    posix_spawnattr_setpgroup(&setup.attributes, 0);
  }
  posix_spawnattr_setflags(&setup.attributes, flags);

  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<std::string> entries = SplitEnvironmentBlock(Info.EnvironmentBlock);
  std::vector<char*> envp;
  for (std::string& entry : entries) envp.push_back(entry.data());
  envp.push_back(nullptr);
  char** environment = Info.EnvironmentBlock.empty() ? environ : envp.data();

  pid_t pid = 0;
  const int result = Info.Application.empty()
                         ? posix_spawnp(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environment)
                         : posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environment);
  close(input[0]);
  close(output[1]);
  if (result != 0) {
    close(input[1]);
    close(output[0]);
    throw EProcessError(psCreate, result);
  }
  pid_ = pid;
  pidFd_ = pidfd_open(pid, 0);
  outputFd_ = output[0];
  inputFd_ = input[1];
  outputClosed_ = false;
  ended_ = false;
  reaped_ = false;
  groupLeader_ = Info.NewProcessGroup;
}

std::size_t TPipedProcess::Read(char* Buffer, std::size_t Size) {
  if (outputFd_ < 0 || outputClosed_ || Size == 0) return 0;
  for (;;) {
    const ssize_t count = read(outputFd_, Buffer, Size);
    if (count > 0) return static_cast<std::size_t>(count);
    if (count == 0) outputClosed_ = true;
    if (count < 0 && errno == EINTR) continue;
    return 0;
  }
}

bool TPipedProcess::HasEnded() {
  if (ended_ || pid_ == 0) return true;
  siginfo_t info{};
  // WNOWAIT leaves the child unreaped, so its id (and its group's) cannot be reused before Close.
  if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
    if (errno != ECHILD) throw EProcessError(psWait, errno);
    ended_ = reaped_ = true;  // collected elsewhere: its id is no longer ours to signal
    return true;
  }
  ended_ = info.si_pid != 0;
  return ended_;
}

bool TPipedProcess::WaitForExit(int TimeoutMs) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs);
  while (!HasEnded()) {
    // Rounded up: a wait cut short by rounding would make a poller's count of idle time run fast.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd watched[2];
    nfds_t count = 0;
    int outputIndex = -1;
    if (pidFd_ >= 0) watched[count++] = {pidFd_, POLLIN, 0};
    if (outputFd_ >= 0 && !outputClosed_) {
      outputIndex = static_cast<int>(count);
      watched[count++] = {outputFd_, POLLIN, 0};
    }
    // Without a process descriptor the end is noticed by looking again every millisecond.
    const int slice = pidFd_ >= 0 ? static_cast<int>(left) : 1;
    const int ready = poll(watched, count, slice);
    if (ready < 0) {
      if (errno == EINTR) continue;
      throw EProcessError(psWait, errno);
    }
    if (outputIndex >= 0) {
      const short events = watched[outputIndex].revents;
      if (events & POLLIN) return HasEnded();
      if (events & (POLLHUP | POLLERR)) outputClosed_ = true;  // no writer left and nothing to read
    }
  }
  return true;
}

void TPipedProcess::Terminate() {
  if (pid_ == 0 || reaped_) return;
  // The unreaped child still holds its id, so the group id names only its own group.
  if (groupLeader_) kill(-pid_, SIGKILL);
  kill(pid_, SIGKILL);  // also when it left its group; harmless once it has ended
}

void TPipedProcess::Close() {
  CloseDescriptor(inputFd_);
  CloseDescriptor(outputFd_);
  if (pid_ != 0) {
    Terminate();
    if (!reaped_) {
      int status = 0;
      while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
    pid_ = 0;
  }
  CloseDescriptor(pidFd_);
}

void TPipedProcess::CloseDescriptor(int& fd) {
  CloseIfOpen(fd);
  fd = -1;
}

std::vector<std::string> TPipedProcess::SplitCommandLine(const std::string& CommandLine) {
  std::vector<std::string> arguments;
  const std::size_t size = CommandLine.size();
  std::size_t i = 0;
  // The program word follows the rules of every other word: with a rule of its own (backslashes
  // always literal) no quoting could give back a program path that ends in a backslash or holds a
  // quote, both file names this system allows.
  for (;;) {
    while (i < size && IsBlank(CommandLine[i])) ++i;
    if (i == size) break;
    std::string argument;
    bool quoted = false;
    while (i < size && (quoted || !IsBlank(CommandLine[i]))) {
      std::size_t backslashes = 0;
      while (i < size && CommandLine[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < size && CommandLine[i] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
          ++i;
        } else if (quoted && i + 1 < size && CommandLine[i + 1] == '"') {
          argument += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else if (backslashes > 0) {
        argument.append(backslashes, '\\');
      } else {
        argument += CommandLine[i++];
      }
    }
    arguments.push_back(argument);
  }
  return arguments;
}

std::string TPipedProcess::QuoteArgument(const std::string& Argument) {
  if (!Argument.empty() && Argument.find_first_of(" \t\"") == std::string::npos) return Argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : Argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: there each needs a second one.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + '"';
}

std::vector<std::string> TPipedProcess::SplitEnvironmentBlock(const std::string& Block) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start < Block.size()) {
    const std::size_t end = Block.find('\0', start);
    const std::size_t stop = end == std::string::npos ? Block.size() : end;
    if (stop == start) break;
    entries.push_back(Block.substr(start, stop - start));
    start = stop + 1;
  }
  return entries;
}
