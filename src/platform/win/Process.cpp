#include "win/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
extern "C" {  // this C library's header lacks the C linkage block
#include <sys/pidfd.h>
}
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

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

// What the child needs to become the program, all made before the fork: after it only calls that
// are safe in the copy of a threaded process are made.
struct TLaunch {
  std::vector<std::string> Candidates;  // the program files to try, in order
  std::vector<char*> Argv;
  char** Environment = nullptr;
  const char* Directory = nullptr;  // nullptr: the parent's
  bool NewProcessGroup = true;
};

// The program named by the command line's first word: a name without a folder is looked for on the
// parent's PATH, as a shell would; a relative path names a file of the parent's current directory.
std::vector<std::string> ProgramCandidates(const std::string& program, bool search) {
  if (!search || program.find('/') != std::string::npos) return {ExpandFileName(program)};
  const char* path = std::getenv("PATH");
  const std::string folders = path ? path : "/bin:/usr/bin";
  std::vector<std::string> candidates;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = folders.find(':', start);
    const std::string folder = folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
    candidates.push_back((folder.empty() ? std::string(".") : folder) + "/" + program);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return candidates;
}

// What the keeper tells the parent once the program has started, or why it could not.
struct TStartReport {
  pid_t Program = 0;
  int Error = 0;
};

// The signals a keeper reads instead of being ended by them: a keeper ended before its run would
// leave the run's processes behind.
sigset_t KeeperSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (int signal : {SIGCHLD, SIGTERM, SIGINT, SIGHUP, SIGQUIT}) sigaddset(&signals, signal);
  return signals;
}

// The editor's handlers are of no use in a copy of it, which would run them without the editor.
void DefaultSignalHandling() {
  for (int signal = 1; signal < NSIG; ++signal) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
  }
}

// In the program's process, before it becomes the program: default signal handling and no signal
// blocked, whatever the editor ignores or blocks; on failure the reason goes to errorFd.
[[noreturn]] void BecomeProgram(const TLaunch& launch, int errorFd) {
  DefaultSignalHandling();
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  int error = 0;
  if (launch.NewProcessGroup && setpgid(0, 0) != 0) error = errno;
  if (error == 0 && launch.Directory && chdir(launch.Directory) != 0) error = errno;
  if (error == 0) {
    error = ENOENT;
    for (const std::string& candidate : launch.Candidates) {
      execve(candidate.c_str(), launch.Argv.data(), launch.Environment);
      if (errno != ENOENT) error = errno;  // a file found but refused says more than one not found
    }
  }
  [[maybe_unused]] const ssize_t n = write(errorFd, &error, sizeof error);
  _exit(127);
}

// Ends every process left below the keeper, however it regrouped: as a subreaper the keeper inherits
// the orphans of the whole tree, so killing its children until none is left ends the tree. Without the
// system's list of children only the program's group can be ended, as a group leader's kill does.
void EndEveryChild(pid_t program) {
  for (;;) {
    const int list = open("/proc/thread-self/children", O_RDONLY | O_CLOEXEC);
    if (list < 0) {
      if (program > 0) kill(-program, SIGKILL);
      return;
    }
    char text[4096];
    pid_t pid = 0;
    for (ssize_t count; (count = read(list, text, sizeof text)) > 0;) {
      for (ssize_t i = 0; i < count; ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
          pid = pid * 10 + (text[i] - '0');
        } else if (pid != 0) {
          kill(pid, SIGKILL);
          pid = 0;
        }
      }
    }
    if (pid != 0) kill(pid, SIGKILL);
    close(list);
    if (waitpid(-1, nullptr, __WALL) < 0 && errno == ECHILD) return;
  }
}

// Waits until the program has ended, the parent asks for the end (or has gone: lifeFd is at its end),
// or a signal asks the keeper to end.
void AwaitEnd(pid_t program, int signalFd, int lifeFd) {
  for (;;) {
    pollfd watched[2] = {{signalFd, POLLIN, 0}, {lifeFd, POLLIN, 0}};
    if (poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watched[1].revents != 0) return;
    signalfd_siginfo info;
    if (read(signalFd, &info, sizeof info) != sizeof info) continue;
    if (info.ssi_signo != SIGCHLD) return;
    for (pid_t ended; (ended = waitpid(-1, nullptr, WNOHANG | __WALL)) > 0;)
      if (ended == program) return;
  }
}

// The keeper of one run, the parent's child and the program's parent. Everything the program starts
// stays below it, so the run's end can end all of it. Its standard handles are the program's.
[[noreturn]] void KeepRun(const TLaunch& launch, int input, int output, int reportFd, int lifeFd) {
  // Lifted above every handle it keeps before they are laid out from 0 on; the rest are the parent's.
  const int keep[] = {input, output, reportFd, lifeFd};
  int lifted[4];
  for (int i = 0; i < 4; ++i) lifted[i] = fcntl(keep[i], F_DUPFD, 8);
  dup2(lifted[0], STDIN_FILENO);
  dup2(lifted[1], STDOUT_FILENO);
  dup2(lifted[1], STDERR_FILENO);
  reportFd = dup2(lifted[2], 3);
  lifeFd = dup2(lifted[3], 4);
  close_range(5, ~0U, 0);
  fcntl(reportFd, F_SETFD, FD_CLOEXEC);
  fcntl(lifeFd, F_SETFD, FD_CLOEXEC);

  prctl(PR_SET_CHILD_SUBREAPER, 1);
  DefaultSignalHandling();
  signal(SIGPIPE, SIG_IGN);  // a parent gone before the report must not end the keeper
  const sigset_t signals = KeeperSignals();
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);
  TStartReport report;
  int errorPipe[2] = {-1, -1};
  if (signalFd < 0 || pipe2(errorPipe, O_CLOEXEC) != 0) {
    report.Error = errno;
  } else {
    report.Program = fork();
    if (report.Program == 0) BecomeProgram(launch, errorPipe[1]);
    if (report.Program < 0) report.Error = errno;
    close(errorPipe[1]);
    int error = 0;
    if (report.Program > 0 && read(errorPipe[0], &error, sizeof error) == sizeof error) report.Error = error;
  }
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) close(fd);
  [[maybe_unused]] const ssize_t n = write(reportFd, &report, sizeof report);
  close(reportFd);
  if (report.Error == 0) AwaitEnd(report.Program, signalFd, lifeFd);
  EndEveryChild(report.Program);
  _exit(0);
}

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
  int report[2] = {-1, -1};
  int life[2] = {-1, -1};
  if (!OpenPipe(output) || !OpenPipe(input) || !OpenPipe(report) || !OpenPipe(life)) {
    const int error = errno;
    for (int fd : {output[0], output[1], input[0], input[1], report[0], report[1], life[0], life[1]}) CloseIfOpen(fd);
    throw EProcessError(psPipe, error);
  }
  if (Info.PipeSize > 0) {
    fcntl(output[0], F_SETPIPE_SZ, static_cast<int>(Info.PipeSize));
    fcntl(input[0], F_SETPIPE_SZ, static_cast<int>(Info.PipeSize));
  }
  fcntl(output[0], F_SETFL, fcntl(output[0], F_GETFL) | O_NONBLOCK);

  TLaunch launch;
  launch.Candidates = ProgramCandidates(program, Info.Application.empty());
  for (std::string& argument : arguments) launch.Argv.push_back(argument.data());
  launch.Argv.push_back(nullptr);
  std::vector<std::string> entries = SplitEnvironmentBlock(Info.EnvironmentBlock);
  std::vector<char*> envp;
  for (std::string& entry : entries) envp.push_back(entry.data());
  envp.push_back(nullptr);
  launch.Environment = Info.EnvironmentBlock.empty() ? environ : envp.data();
  if (!Info.CurrentDirectory.empty()) launch.Directory = Info.CurrentDirectory.c_str();
  launch.NewProcessGroup = Info.NewProcessGroup;

  const pid_t keeper = fork();
  if (keeper == 0) KeepRun(launch, input[0], output[1], report[1], life[0]);
  const int forkError = errno;
  for (int fd : {input[0], output[1], report[1], life[0]}) close(fd);
  TStartReport started;
  if (keeper < 0) {
    started.Error = forkError;
  } else {
    ssize_t got = 0;
    while ((got = read(report[0], &started, sizeof started)) < 0 && errno == EINTR) {
    }
    if (got != sizeof started) started.Error = EIO;  // the keeper ended before it could tell
  }
  close(report[0]);
  if (started.Error != 0) {
    close(life[1]);
    close(input[1]);
    close(output[0]);
    if (keeper > 0)
      while (waitpid(keeper, nullptr, 0) < 0 && errno == EINTR) {
      }
    throw EProcessError(psCreate, started.Error);
  }
  pid_ = keeper;
  programPid_ = started.Program;
  pidFd_ = pidfd_open(keeper, 0);
  outputFd_ = output[0];
  inputFd_ = input[1];
  lifeFd_ = life[1];
  outputClosed_ = false;
  ended_ = false;
  reaped_ = false;
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
  // The keeper sees its end of the pipe close and ends the whole run at once.
  CloseDescriptor(lifeFd_);
}

void TPipedProcess::Close() {
  CloseDescriptor(inputFd_);
  CloseDescriptor(outputFd_);
  Terminate();
  if (pid_ != 0) {
    if (!reaped_) {
      int status = 0;
      while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
    pid_ = 0;
    programPid_ = 0;
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
