#include "editor/ConsoleIO.h"

#include <iterator>
#include <mutex>
#include <utility>

namespace Corvane {

namespace {

// Only one test-and-create of a run at a time in the whole process.
TCriticalSection startSection;

constexpr int PollMilliseconds = 5;
constexpr int DestroyWaitPasses = 10000;
// CREATE_NEW_PROCESS_GROUP: the run leads a group of its own.
constexpr unsigned NewProcessGroupFlag = 0x200;
constexpr unsigned SeparateVdmFlag = 0x800;
constexpr unsigned NormalPriorityClass = 0x20;

unsigned CreationFlags(TAppType type) {
  return (type == at16bit ? SeparateVdmFlag : NewProcessGroupFlag) | NormalPriorityClass;
}

std::string CommandLineOf(const TConsoleSettings& settings) {
  if (!settings.Application.empty() && !settings.Command.empty())
    return settings.Application + " " + settings.Command;
  return settings.Command;
}

// The last line end within the bytes from `from` on, npos when they hold none.
std::size_t LastLineEnd(const std::string& text, std::size_t from) {
  for (std::size_t i = text.size(); i > from; --i)
    if (text[i - 1] == '\r' || text[i - 1] == '\n') return i - 1;
  return std::string::npos;
}

}  // namespace

std::size_t PipeSizeBytes(TPipeSize Size) {
  static constexpr std::size_t bytes[] = {1024, 2048, 4096, 8192, 16384, 32768, 65536, 98304, 131072, 262144};
  return bytes[Size];
}

std::size_t BufferSizeBytes(TBufferSize Size) { return std::size_t{256} << Size; }

void TConsoleSettings::SetTimeOutDelay(TTimeOutDelay Value) {
  if (Value < 10 || Value > 10000)
    throw EConvertError("TimeOutDelay must lie between 10 and 10000, not " + IntToStr(Value));
  timeOutDelay_ = Value;
}

std::vector<std::string> TLineCutter::Cut(const char* Data, std::size_t Count) {
  // Only the new bytes can hold a line end: the partial line held none before.
  const std::size_t scanFrom = partial_.size();
  partial_.append(Data, Count);
  const std::size_t lastEnd = LastLineEnd(partial_, scanFrom);
  if (lastEnd == std::string::npos) return {};
  std::vector<std::string> lines = SplitLines(partial_.substr(0, lastEnd + 1));
  partial_.erase(0, lastEnd + 1);
  return lines;
}

std::string TLineCutter::TakePartial() { return std::exchange(partial_, std::string()); }

// ---------------------------------------------------------------------------------------------------

TGUI2Console::TGUI2Console(TComponent* AOwner) : TComponent(AOwner), link_(std::make_shared<TConsoleLink>()) {
  link_->Owner = this;
}

TGUI2Console::~TGUI2Console() {
  if (worker_) {
    link_->Quiet = true;
    if (!worker_->Terminated()) worker_->Terminate();
    // The worker clears worker_ in its last synchronised call, so those calls must go on being served;
    // from inside one of its event handlers, though, it cannot get on before this returns.
    for (int pass = 0; worker_ && link_->Delivering == 0 && pass < DestroyWaitPasses; ++pass) CheckSynchronize(1);
  }
  link_->Owner = nullptr;
}

void TGUI2Console::Start() {
  std::lock_guard guard(startSection);
  if (worker_) {
    if (OnError && !link_->Quiet) OnError(this, "Process Already Running");
    return;
  }
  auto* worker = new TConsoleThread(this, link_);  // owned by itself: FreeOnTerminate
  worker->SetPriority(tpLower);
  worker->FreeOnTerminate = true;
  worker_ = worker;
  worker->Resume();
}

void TGUI2Console::Stop() {
  if (worker_) worker_->Terminate();
}

// ---------------------------------------------------------------------------------------------------

TConsoleThread::TConsoleThread(TGUI2Console* Console, std::shared_ptr<TConsoleLink> Link)
    : settings_(*Console), link_(std::move(Link)) {
  SetPriority(settings_.Priority);
  if (settings_.LogFile.empty()) return;
  try {
    logFile_ = std::make_unique<TFileStream>(settings_.LogFile, fmCreate);
  } catch (const Exception& E) {
    DeliverError(E.Message);
  }
}

template <class F>
void TConsoleThread::Deliver(F&& Call) {
  if (link_->Quiet) return;
  Synchronize([&] {
    if (link_->Quiet || !link_->Owner) return;
    ++link_->Delivering;
    struct Done {
      int& count;
      ~Done() { --count; }
    } done{link_->Delivering};
    Call(link_->Owner);
  });
}

void TConsoleThread::DeliverError(const std::string& message) {
  if (settings_.OnError) Deliver([&](TObject* sender) { settings_.OnError(sender, message); });
}

void TConsoleThread::Execute() {
  const std::string commandLine = CommandLineOf(settings_);
  try {
    Run(commandLine);
  } catch (const std::exception& E) {
    try {
      DeliverError(E.what());
    } catch (const std::exception&) {
      // A failing error handler must not keep OnDone from its host.
    }
  }
  process_.Close();
  buffer_ = std::vector<char>();
  Finish();
}

void TConsoleThread::Finish() {
  Synchronize([&] {
    TGUI2Console* owner = link_->Owner;
    if (!owner) return;
    // Idle again before OnDone, so that the host may start the next run from there.
    if (owner->worker_ == this) owner->worker_ = nullptr;
    if (!link_->Quiet && settings_.OnDone) settings_.OnDone(owner);
  });
}

void TConsoleThread::Run(const std::string& commandLine) {
  buffer_.resize(BufferSizeBytes(settings_.BufferSize));
  if (settings_.OnStart) Deliver([&](TObject* sender) { settings_.OnStart(sender, commandLine); });
  // A child takes the priority of the thread that starts it, and this worker runs lowered: started
  // from the GUI thread, the program runs at the editor's own priority.
  Synchronize([&] { StartProcess(commandLine); });

  idleTime_ = 0;
  bool ended = false;
  do {
    ReadStep();
    try {
      ended = process_.WaitForExit(PollMilliseconds);
    } catch (const EProcessError& E) {
      throw EWaitError(Format("Process Error Error Code :%d", E.ErrorCode));
    }
  } while (!ended && !Terminated());

  if (!Terminated())
    while (ReadStep() >= BatchLimit() && !Terminated()) {
    }
  // A last line without a line end is still output the host wants to see.
  if (!Terminated() && !cutter_.Partial().empty()) DeliverLines({cutter_.TakePartial()});

  if (settings_.OnPreTerminate) Deliver([&](TObject* sender) { settings_.OnPreTerminate(sender); });
  const std::string status = "Normal Thread Termination";
  if (settings_.OnStatus) Deliver([&](TObject* sender) { settings_.OnStatus(sender, status); });
  process_.Terminate();
}

void TConsoleThread::StartProcess(const std::string& commandLine) {
  const unsigned flags = CreationFlags(settings_.AppType);
  TProcessStartInfo info;
  info.Application = settings_.Application;
  info.CommandLine = commandLine;
  info.EnvironmentBlock = settings_.Environment;
  info.CurrentDirectory = settings_.HomeDirectory;
  info.NewProcessGroup = (flags & NewProcessGroupFlag) != 0;
  info.PipeSize = PipeSizeBytes(settings_.PipeSize);
  try {
    process_.Start(info);
  } catch (const EProcessError& E) {
    if (E.Stage == psPipe) throw EPipeCreate(Format("Error Opening Pipe Error Code :%d", E.ErrorCode));
    throw EProcessCreate(Format("%s  Error Code :%d", "Error Creating Process", E.ErrorCode));
  }
}

std::size_t TConsoleThread::BatchLimit() const { return PipeSizeBytes(settings_.PipeSize); }

std::size_t TConsoleThread::ReadStep() {
  // All that is waiting, a buffer at a time, goes to the GUI thread in one synchronised call: a call per
  // buffer would have a long output wait for the GUI thread once a kilobyte. A child that writes
  // faster than this reads is still served a pipe's worth at a time.
  std::size_t total = 0;
  std::vector<std::string> lines;
  while (total < BatchLimit() && !Terminated()) {
    const std::size_t count = process_.Read(buffer_.data(), buffer_.size());
    if (count == 0) break;
    total += count;
    std::vector<std::string> cut = cutter_.Cut(buffer_.data(), count);
    lines.insert(lines.end(), std::make_move_iterator(cut.begin()), std::make_move_iterator(cut.end()));
  }
  if (total == 0) {
    IdleHandling();
    return 0;
  }
  idleTime_ = 0;
  if (!lines.empty()) DeliverLines(lines);
  if (!cutter_.Partial().empty()) NoticePrompt(cutter_.Partial());
  return total;
}

void TConsoleThread::DeliverLines(const std::vector<std::string>& lines) {
  // One synchronised call per read hands over all of its lines.
  auto deliverAll = [&](TObject* sender) {
    for (const std::string& line : lines) {
      if (Terminated()) break;
      if (line.empty()) continue;
      if (sender && settings_.OnLine) {
        if (logFile_) {
          logFile_->WriteBuffer(line.data(), static_cast<std::int64_t>(line.size()));
          logFile_->WriteBuffer("\r\n", 2);
        }
        settings_.OnLine(sender, line);
      }
      NoticePrompt(line);
    }
  };
  if (settings_.OnLine && !link_->Quiet)
    Deliver(deliverAll);
  else
    deliverAll(nullptr);
}

bool TConsoleThread::PromptTest(const std::string& line) const {
  const std::string& prompt = settings_.Prompt;
  return !prompt.empty() && line.size() >= prompt.size() &&
         line.compare(line.size() - prompt.size(), prompt.size(), prompt) == 0;
}

void TConsoleThread::NoticePrompt(const std::string& line) {
  promptSeen_ = PromptTest(line);
  if (promptSeen_) promptLine_ = line;
}

void TConsoleThread::IdleHandling() {
  idleTime_ += PollMilliseconds;
  if (idleTime_ < settings_.TimeOutDelay()) return;
  idleTime_ = 0;
  if (promptSeen_) {
    // The prompt is usually the partial line the child waits behind, not the last whole line.
    if (settings_.OnPrompt) Deliver([&](TObject* sender) { settings_.OnPrompt(sender, promptLine_); });
    promptSeen_ = false;
  } else if (settings_.AutoTerminate) {
    Terminate();
  } else if (settings_.OnTimeOut) {
    bool kill = false;
    Deliver([&](TObject* sender) { settings_.OnTimeOut(sender, kill); });
    if (kill) Terminate();
  }
}

}  // namespace Corvane
