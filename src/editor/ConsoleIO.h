#pragma once
// Runs one console program as a hidden child, reads what it prints on a worker thread, cuts it into
// lines and hands every event to the GUI thread by synchronised calls.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Threads.h"
#include "win/Process.h"

namespace Corvane {

enum TAppType { at16bit, at32bit, atDontCare };
enum TPipeSize { ps1k, ps2k, ps4k, ps8k, ps16k, ps32k, ps64k, ps96K, ps128k, ps256k };
enum TBufferSize { bs256, bs512, bs1k, bs2k, bs4k, bs8k };
using TTimeOutDelay = std::uint16_t;  // milliseconds, 10 to 10000

std::size_t PipeSizeBytes(TPipeSize Size);
std::size_t BufferSizeBytes(TBufferSize Size);

using TStartEvent = TEvent<void(TObject* Sender, const std::string& Command)>;
using TDoneEvent = TEvent<void(TObject* Sender)>;
using TSendLine = TEvent<void(TObject* Sender, const std::string& Line)>;
using TError = TEvent<void(TObject* Sender, const std::string& Error)>;
using TTimeOut = TEvent<void(TObject* Sender, bool& Kill)>;
using TStatusEvent = TEvent<void(TObject* Sender, const std::string& Status)>;
using TPromptEvent = TEvent<void(TObject* Sender, const std::string& Line)>;
using TPreTerminateEvent = TEvent<void(TObject* Sender)>;

// Failures of a run: they end the run silently and reach the host through OnError.
class EConsoleIOError : public EAbort { using EAbort::EAbort; };
class EProcessCreate : public EConsoleIOError { using EConsoleIOError::EConsoleIOError; };
class EPipeCreate : public EConsoleIOError { using EConsoleIOError::EConsoleIOError; };
class EWaitError : public EConsoleIOError { using EConsoleIOError::EConsoleIOError; };

// Everything a run takes from its component: copied when the run's worker is made, so changes made
// during a run apply to the next one.
struct TConsoleSettings {
  std::string Application;    // program to start; empty: the command line names it
  TAppType AppType = at32bit;
  std::string Environment;    // "name=value" entries each ended by a NUL, plus one NUL; empty: inherited
  std::string Command;
  std::string HomeDirectory;  // empty: the editor's current directory
  std::string LogFile;        // receives every delivered line
  std::string Prompt;         // text that marks a prompt at the end of a line
  bool AutoTerminate = false;
  TPipeSize PipeSize = ps128k;
  TBufferSize BufferSize = bs1k;
  TTimeOutDelay TimeOutDelay() const { return timeOutDelay_; }
  // EConvertError outside 10 to 10000.
  void SetTimeOutDelay(TTimeOutDelay Value);
  TThreadPriority Priority = tpNormal;

  TStartEvent OnStart;
  TDoneEvent OnDone;
  TSendLine OnLine;
  TError OnError;
  TTimeOut OnTimeOut;
  TStatusEvent OnStatus;
  TPromptEvent OnPrompt;
  TPreTerminateEvent OnPreTerminate;

 private:
  TTimeOutDelay timeOutDelay_ = 50;
};

// Cuts a run's output into lines as it arrives in pieces of any size. A line ends at CR LF, CR or LF;
// a CR LF parted between two pieces gives an empty line between them, dropped with the other empty
// lines by the run. The bytes after the last line end wait for the next piece.
class TLineCutter {
 public:
  // The lines this piece completes, empty ones included.
  std::vector<std::string> Cut(const char* Data, std::size_t Count);
  // The partial line waiting for its line end.
  const std::string& Partial() const { return partial_; }
  // Hands the partial line over and forgets it.
  std::string TakePartial();

 private:
  std::string partial_;
};

class TGUI2Console;
class TConsoleThread;

// What the component and its worker share, touched on the GUI thread only (Quiet is read by the
// worker as well). It outlives both, so a worker that outlives its component finds Owner cleared.
struct TConsoleLink {
  TGUI2Console* Owner = nullptr;
  std::atomic<bool> Quiet{false};
  int Delivering = 0;  // event handlers running now: the worker waits for them to return
};

class TGUI2Console : public TComponent, public TConsoleSettings {
 public:
  explicit TGUI2Console(TComponent* AOwner);
  // During a run: no event is delivered any more, the run is stopped and waited for a while.
  ~TGUI2Console() override;
  std::string ClassName() const override { return "TGUI2Console"; }

  // Starts a run; while one is active, OnError gets "Process Already Running" and nothing starts.
  void Start();
  // Asks the current run to stop and returns at once.
  void Stop();
  // A run is active until its OnDone (also while it stops).
  bool Running() const { return worker_ != nullptr; }

 private:
  friend class TConsoleThread;
  TConsoleThread* worker_ = nullptr;  // frees itself when it ends
  std::shared_ptr<TConsoleLink> link_;
};

// The worker of one run.
class TConsoleThread : public TThread {
 public:
  TConsoleThread(TGUI2Console* Console, std::shared_ptr<TConsoleLink> Link);
  std::string ClassName() const override { return "TConsoleThread"; }

 protected:
  void Execute() override;

 private:
  void Run(const std::string& commandLine);
  void StartProcess(const std::string& commandLine);
  // The bytes read, at most BatchLimit; more may be waiting when that is reached.
  std::size_t ReadStep();
  std::size_t BatchLimit() const;
  void DeliverLines(const std::vector<std::string>& lines);
  void IdleHandling();
  bool PromptTest(const std::string& line) const;
  void NoticePrompt(const std::string& line);
  // Runs Call(Sender) on the GUI thread unless the component has gone quiet.
  template <class F>
  void Deliver(F&& Call);
  void DeliverError(const std::string& message);
  void Finish();

  TConsoleSettings settings_;
  std::shared_ptr<TConsoleLink> link_;
  TPipedProcess process_;
  TLineCutter cutter_;
  std::string promptLine_;    // the line the prompt was seen on
  bool promptSeen_ = false;
  int idleTime_ = 0;          // milliseconds without output
  std::vector<char> buffer_;
  std::unique_ptr<TFileStream> logFile_;
};

}  // namespace Corvane
