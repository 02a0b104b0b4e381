#pragma once
// A hidden console child with redirected standard handles: its output and error arrive on one pipe,
// its input is a second pipe that the parent keeps. Reads never block. The child runs below a keeper
// process of its own, which inherits whatever the child's processes leave behind, so that the end of
// the run ends every process it started, in whatever group or session.
#include <cstddef>
#include <string>
#include <vector>

#include "vcl/SysUtils.h"

struct TProcessStartInfo {
  // The program file, used as given (no search); empty: the first word of CommandLine, searched for
  // on the parent's PATH.
  std::string Application;
  // Split into the child's arguments by the system's rules (see SplitCommandLine).
  std::string CommandLine;
  // "name=value" entries each ended by a NUL, the block ended by one more NUL. Empty: the child gets
  // the parent's environment; otherwise it gets exactly these entries.
  std::string EnvironmentBlock;
  // Empty: the parent's current directory.
  std::string CurrentDirectory;
  // The child leads a group of its own.
  bool NewProcessGroup = true;
  // Buffer asked for each pipe; 0 or a size the system refuses leaves its default.
  std::size_t PipeSize = 0;
};

enum TProcessStage { psPipe, psCreate, psWait };

// A failure of the system, with its error code and the stage that failed.
class EProcessError : public EOSError {
 public:
  EProcessError(TProcessStage stage, int errorCode);
  TProcessStage Stage;
  int ErrorCode;
};

class TPipedProcess {
 public:
  TPipedProcess() = default;
  TPipedProcess(const TPipedProcess&) = delete;
  TPipedProcess& operator=(const TPipedProcess&) = delete;
  // A child still running is terminated: a run never outlives its owner.
  ~TPipedProcess();

  // Creates the pipes and the child; EProcessError (psPipe or psCreate) on failure.
  void Start(const TProcessStartInfo& Info);
  // Copies up to Size waiting output bytes into Buffer; 0 when nothing is waiting.
  std::size_t Read(char* Buffer, std::size_t Size);
  // Waits up to TimeoutMs for the run to end and says whether it has: the child has ended, and with it
  // every process it started. Output that arrives ends the wait early, so a caller polling for output
  // is not held back. EProcessError (psWait) on failure.
  bool WaitForExit(int TimeoutMs);
  // Kills the child and every process it started, at once.
  void Terminate();
  // Closes the pipes, terminates what still runs and waits until it is gone.
  void Close();
  // The child's process id.
  int ProcessId() const { return programPid_; }

  // The system's rules for a command line: blanks and tabs separate arguments, double quotes group
  // (and "" inside quotes is one quote), backslashes are literal except before a double quote, where
  // each pair gives one backslash and an odd one makes the quote literal. The first word (the
  // program) follows the same rules, so QuoteArgument and SplitCommandLine are exact inverses.
  static std::vector<std::string> SplitCommandLine(const std::string& CommandLine);
  // The argument as SplitCommandLine gives it back: unchanged without blanks, tabs and quotes, else
  // in double quotes with the backslashes and quotes inside escaped.
  static std::string QuoteArgument(const std::string& Argument);
  // The entries of an environment block, up to its empty entry.
  static std::vector<std::string> SplitEnvironmentBlock(const std::string& Block);

 private:
  bool HasEnded();
  void CloseDescriptor(int& fd);

  int pid_ = 0;         // the keeper, which ends once the run has ended
  int programPid_ = 0;
  int pidFd_ = -1;      // readable once the keeper ends; -1 when the system has none
  int outputFd_ = -1;   // parent's read end of the child's output and error
  int inputFd_ = -1;    // parent's write end of the child's input
  int lifeFd_ = -1;     // closed (also by the parent's death) to have the keeper end the run
  bool outputClosed_ = false;  // every writer of the output pipe has gone
  bool ended_ = false;
  bool reaped_ = false;
};
