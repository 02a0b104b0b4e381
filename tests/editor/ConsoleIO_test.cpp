#include "editor/ConsoleIO.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "common/TestFiles.h"

using namespace Corvane;

namespace {

namespace fs = std::filesystem;
using corvane::test::PumpUntil;
using corvane::test::ReadFile;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The state letter of a process, ' ' once it is gone; 'Z' is a killed one nobody collected yet.
char ProcessState(const std::string& pid) {
  const std::string text = ReadFile("/proc/" + pid + "/stat");
  const std::size_t close = text.rfind(')');
  return close == std::string::npos || close + 2 >= text.size() ? ' ' : text[close + 2];
}

bool Gone(const std::string& pid) {
  const char state = ProcessState(pid);
  return state == ' ' || state == 'Z';
}

// Records every event of one console component, in order.
struct Recorder {
  std::vector<std::string> events;  // "start", "line", "prompt", ... in the order they came
  std::vector<std::string> lines;
  std::vector<std::string> errors;
  std::vector<std::string> statuses;
  std::vector<std::string> prompts;
  std::string command;
  int done = 0;
  int timeOuts = 0;
  bool killOnTimeOut = false;

  void Bind(TGUI2Console& console) {
    console.OnStart = [this](TObject*, const std::string& Command) {
      events.push_back("start");
      command = Command;
    };
    console.OnLine = [this](TObject*, const std::string& Line) {
      events.push_back("line");
      lines.push_back(Line);
    };
    console.OnError = [this](TObject*, const std::string& Error) {
      events.push_back("error");
      errors.push_back(Error);
    };
    console.OnStatus = [this](TObject*, const std::string& Status) {
      events.push_back("status");
      statuses.push_back(Status);
    };
    console.OnPrompt = [this](TObject*, const std::string& Line) {
      events.push_back("prompt");
      prompts.push_back(Line);
    };
    console.OnTimeOut = [this](TObject*, bool& Kill) {
      events.push_back("timeout");
      ++timeOuts;
      Kill = killOnTimeOut;
    };
    console.OnPreTerminate = [this](TObject*) { events.push_back("preterminate"); };
    console.OnDone = [this](TObject*) {
      events.push_back("done");
      ++done;
    };
  }
};

// Whether this process has the file open.
bool OpenHere(const std::string& path) {
  const fs::path file = fs::weakly_canonical(path);
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (fs::read_symlink(entry.path(), error) == file) return true;
  }
  return false;
}

class ConsoleIOTest : public ::testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    dir_ = corvane::test::MakeTempDir("consoleio");
    console_ = std::make_unique<TGUI2Console>(nullptr);
    // The longest silence the component allows: a slow start on a loaded machine must not pass for a
    // prompt or a time-out. The tests of those set their own.
    console_->SetTimeOutDelay(10000);
    recorder_.Bind(*console_);
  }

  // Writes a Perl script and points the component at it.
  void UseScript(const std::string& body) {
    const std::string file = dir_ + "/script.pl";
    std::ofstream(file, std::ios::binary) << body;
    console_->Command = "perl " + file;
  }

  bool RunToDone(int timeoutMs = corvane::test::kUntilTheTestTimesOut) {
    console_->Start();
    return PumpUntil([&] { return recorder_.done > 0; }, timeoutMs);
  }

  std::string dir_;
  std::unique_ptr<TGUI2Console> console_;
  Recorder recorder_;
};

struct LineCase {
  const char* name;
  std::string script;
  std::vector<std::string> lines;
};

TEST_F(ConsoleIOTest, CutsOutputIntoNonEmptyLines) {
  const std::string pause = "select(undef, undef, undef, 0.15);";
  const LineCase cases[] = {
      {"empty lines dropped", R"(print "a\r\n\r\nb\r\n";)", {"a", "b"}},
      {"CR, LF and CR LF all end lines", R"(print "a\rb\nc\r\nd\n\n";)", {"a", "b", "c", "d"}},
      {"line split across reads", "$| = 1; print \"ab\"; " + pause + " print \"cd\\n\";", {"abcd"}},
      {"CR LF split across reads", "$| = 1; print \"a\\r\"; " + pause + " print \"\\nb\\n\";", {"a", "b"}},
      {"last line without line end", R"(print "x\ny";)", {"x", "y"}},
      {"error output joined", R"($| = 1; print "out\n"; print STDERR "err\n"; print "out2\n";)",
       {"out", "err", "out2"}},
      {"nothing printed", "exit 3;", {}},
      {"only line ends", R"(print "\r\n\n\r";)", {}},
  };
  for (const LineCase& c : cases) {
    recorder_ = Recorder();
    recorder_.Bind(*console_);
    UseScript(c.script);
    ASSERT_TRUE(RunToDone()) << c.name;
    EXPECT_EQ(recorder_.lines, c.lines) << c.name;
    EXPECT_TRUE(recorder_.errors.empty()) << c.name;
  }
}

TEST_F(ConsoleIOTest, DeliversStartLinesPreTerminateStatusAndDoneInOrder) {
  console_->SetTimeOutDelay(10000);  // an interpreter slow to start on a loaded machine is no idle time-out
  UseScript(R"(print "one\n";)");
  ASSERT_TRUE(RunToDone());
  EXPECT_EQ(recorder_.command, console_->Command);
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"start", "line", "preterminate", "status", "done"}));
  EXPECT_EQ(recorder_.statuses, std::vector<std::string>{"Normal Thread Termination"});
}

TEST_F(ConsoleIOTest, JoinsApplicationAndCommandAndPassesEnvironmentAndDirectory) {
  const std::string script = dir_ + "/env.pl";
  std::ofstream(script) << "use Cwd; print getcwd(), \"\\n\"; print \"$_=$ENV{$_}\\n\" for sort keys %ENV;";
  console_->Application = "/usr/bin/perl";
  console_->Command = script;
  console_->Environment = std::string("B=2\0A=x y\0\0", 12);
  console_->HomeDirectory = dir_;
  ASSERT_TRUE(RunToDone());
  EXPECT_EQ(recorder_.command, "/usr/bin/perl " + script);
  EXPECT_EQ(recorder_.lines, (std::vector<std::string>{dir_, "A=x y", "B=2"}));
}

// The worker runs lowered; the program must not inherit that from it, or a script runs slower than
// it would from a terminal whenever the machine is busy.
TEST_F(ConsoleIOTest, TheProgramRunsAtTheEditorsPriorityNotTheWorkers) {
  UseScript(R"(print getpriority(0, 0), "\n";)");
  ASSERT_TRUE(RunToDone());
  EXPECT_EQ(recorder_.lines, std::vector<std::string>{std::to_string(getpriority(PRIO_PROCESS, 0))});
}

TEST_F(ConsoleIOTest, ReportsAProgramThatCannotStartAndStillEnds) {
  console_->Command = "/nonexistent/perl -w x.pl";
  ASSERT_TRUE(RunToDone());
  EXPECT_EQ(recorder_.errors, std::vector<std::string>{"Error Creating Process  Error Code :2"});
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"start", "error", "done"}));
}

TEST_F(ConsoleIOTest, ASecondStartReportsProcessAlreadyRunningAndStartsNothing) {
  UseScript(R"($| = 1; print "first\n"; select(undef, undef, undef, 0.3); print "end\n";)");
  console_->Start();
  console_->Command = "perl -e \"print qq(second\\n)\"";
  console_->Start();
  EXPECT_EQ(recorder_.errors, std::vector<std::string>{"Process Already Running"});
  ASSERT_TRUE(PumpUntil([&] { return recorder_.done > 0; }));
  EXPECT_EQ(recorder_.lines, (std::vector<std::string>{"first", "end"}));
  // A run the refused start had made after all would have ended before a run started later.
  console_->Command = "perl -e \"print qq(third\\n)\"";
  console_->Start();
  ASSERT_TRUE(PumpUntil([&] { return recorder_.done > 1; }));
  EXPECT_EQ(recorder_.lines, (std::vector<std::string>{"first", "end", "third"}));
  EXPECT_EQ(recorder_.done, 2);
}

TEST_F(ConsoleIOTest, TheNextRunCanStartFromOnDone) {
  UseScript(R"(print "first\n";)");
  console_->OnDone = [&](TObject*) {
    if (++recorder_.done == 1) {
      console_->Command = "perl -e \"print qq(second\\n)\"";
      console_->Start();
    }
  };
  console_->Start();
  ASSERT_TRUE(PumpUntil([&] { return recorder_.done == 2; }));
  EXPECT_TRUE(recorder_.errors.empty());
  EXPECT_EQ(recorder_.lines, (std::vector<std::string>{"first", "second"}));
}

TEST_F(ConsoleIOTest, FiresThePromptAfterTheTimeOutDelayOfSilence) {
  console_->Prompt = "Name? ";
  console_->SetTimeOutDelay(200);
  UseScript(R"($| = 1; print "Hello\nName? "; my $answer = <STDIN>;)");
  const auto start = Clock::now();
  console_->Start();
  ASSERT_TRUE(PumpUntil([&] { return !recorder_.prompts.empty(); }));
  const auto waited = Clock::now() - start;
  EXPECT_EQ(recorder_.prompts, std::vector<std::string>{"Name? "});
  EXPECT_EQ(recorder_.lines, std::vector<std::string>{"Hello"});
  EXPECT_GE(waited, milliseconds(200));
  // Seen once, told once: the next silence is a time-out.
  ASSERT_TRUE(PumpUntil([&] { return recorder_.timeOuts > 0; }));
  EXPECT_EQ(recorder_.prompts.size(), 1u);
  console_->Stop();
  ASSERT_TRUE(PumpUntil([&] { return recorder_.done > 0; }));
}

TEST_F(ConsoleIOTest, APromptNeedsTheExactEndOfTheLine) {
  console_->Prompt = "> ";
  console_->SetTimeOutDelay(50);
  // Only the silence after the output ends the run: a slow start may time out before it.
  console_->OnTimeOut = [&](TObject*, bool& Kill) {
    recorder_.events.push_back("timeout");
    Kill = !recorder_.lines.empty();
  };
  UseScript(R"($| = 1; print "a > b\n>"; my $answer = <STDIN>;)");
  ASSERT_TRUE(RunToDone());
  EXPECT_TRUE(recorder_.prompts.empty());
  const auto line = std::find(recorder_.events.begin(), recorder_.events.end(), "line");
  ASSERT_NE(line, recorder_.events.end());
  EXPECT_EQ(std::vector<std::string>(line, recorder_.events.end()),
            (std::vector<std::string>{"line", "timeout", "preterminate", "status", "done"}));
}

TEST_F(ConsoleIOTest, TimeOutKillAndAutoTerminateStopASilentRun) {
  struct Case {
    bool autoTerminate;
    int expectedTimeOuts;
  };
  for (const Case c : {Case{false, 1}, Case{true, 0}}) {
    recorder_ = Recorder();
    recorder_.Bind(*console_);
    recorder_.killOnTimeOut = true;
    console_->AutoTerminate = c.autoTerminate;
    console_->SetTimeOutDelay(30);
    UseScript("sleep 60;");
    // Well within the script's minute: the silence ended the run, not the script.
    ASSERT_TRUE(RunToDone(20000)) << c.autoTerminate;
    EXPECT_EQ(recorder_.timeOuts, c.expectedTimeOuts) << c.autoTerminate;
  }
}

// The grandchild would sleep a minute: ending well within that shows the stop did not wait for it. How
// fast a stop is belongs to the benchmarks.
TEST_F(ConsoleIOTest, StopEndsTheScriptAndWhatItStartedPromptly) {
  UseScript(R"($| = 1; my $pid = fork(); if (!$pid) { sleep 60; exit; } print "$pid\n"; 1 while 1;)");
  console_->Start();
  ASSERT_TRUE(PumpUntil([&] { return !recorder_.lines.empty(); }));
  const std::string grandchild = recorder_.lines.front();
  ASSERT_FALSE(Gone(grandchild));
  console_->Stop();
  ASSERT_TRUE(PumpUntil([&] { return Gone(grandchild) && recorder_.done > 0; }, 20000));
}

TEST_F(ConsoleIOTest, ARunOfAHundredMegabytesDeliversEveryLine) {
  constexpr int count = 1'000'000;  // lines of 100 bytes with their line end
  UseScript("my $pad = 'x' x 90; printf \"%08d %s\\n\", $_, $pad for 1.." + std::to_string(count) + ";");
  // The largest read buffer: with 1 KiB reads, each a round trip to this thread, a loaded machine
  // spends minutes on scheduling alone. The reads still cut lines, 8 KiB not being a multiple of 100.
  console_->BufferSize = bs8k;
  int received = 0;
  bool inOrder = true;
  console_->OnLine = [&](TObject*, const std::string& Line) {
    ++received;
    inOrder = inOrder && Line.size() == 99 && std::stoi(Line.substr(0, 8)) == received;
  };
  // No bound on the whole run, which a loaded machine (the worker runs at a lowered priority) stretches
  // at will; a run that delivers nothing for a minute has lost its way.
  console_->Start();
  int seen = -1;
  auto lastProgress = Clock::now();
  PumpUntil([&] {
    if (received != seen) {
      seen = received;
      lastProgress = Clock::now();
    }
    return recorder_.done > 0 || Clock::now() - lastProgress > std::chrono::minutes(1);
  }, std::numeric_limits<int>::max());
  ASSERT_EQ(recorder_.done, 1) << "nothing delivered for a minute after line " << received;
  EXPECT_EQ(received, count);
  EXPECT_TRUE(inOrder);
}

TEST_F(ConsoleIOTest, DestroyingTheComponentDuringARunDeliversNothingAfterwards) {
  UseScript(R"($| = 1; my $pid = fork(); if (!$pid) { sleep 60; exit; } print "$pid\n"; while (1) { print "tick\n"; select(undef, undef, undef, 0.001); })");
  console_->Start();
  ASSERT_TRUE(PumpUntil([&] { return recorder_.lines.size() > 3; }));
  const std::string grandchild = recorder_.lines.front();
  const auto destroy = Clock::now();
  console_.reset();
  // A destructor that did not stop the run would wait out its whole patience, ten seconds.
  EXPECT_LT(Clock::now() - destroy, milliseconds(5000));
  const std::vector<std::string> eventsAtDestruction = recorder_.events;
  // The group is killed after the run's last deliveries: whatever would have come has come by then.
  EXPECT_TRUE(PumpUntil([&] { return Gone(grandchild); }, 20000));
  EXPECT_EQ(recorder_.events, eventsAtDestruction);
  EXPECT_EQ(recorder_.done, 0);
}

TEST_F(ConsoleIOTest, DestroyingTheComponentFromItsOwnLineHandlerReturnsAtOnce) {
  UseScript(R"($| = 1; print "$$\n"; while (1) { print "tick\n"; select(undef, undef, undef, 0.001); })");
  const std::string log = dir_ + "/run.log";
  console_->LogFile = log;
  bool logHeld = false;
  Clock::duration destroying{};
  console_->OnLine = [&](TObject*, const std::string& Line) {
    recorder_.lines.push_back(Line);
    if (recorder_.lines.size() != 1) return;
    logHeld = OpenHere(log);
    const auto start = Clock::now();
    console_.reset();
    destroying = Clock::now() - start;
  };
  console_->Start();
  ASSERT_TRUE(PumpUntil([&] { return console_ == nullptr; }));
  // Waiting for the run from inside its own delivery would take the destructor's whole ten seconds.
  EXPECT_LT(destroying, milliseconds(5000));
  // The script is killed after the run's last deliveries: whatever would have come has come by then.
  ASSERT_EQ(recorder_.lines.size(), 1u);
  EXPECT_TRUE(PumpUntil([&] { return Gone(recorder_.lines.front()); }, 20000));
  // The worker holds its log open until it is gone, after its last synchronised call: those calls are
  // served meanwhile, and whatever they would deliver has been delivered once it is closed.
  EXPECT_TRUE(logHeld);
  EXPECT_TRUE(PumpUntil([&] { return !OpenHere(log); }, 20000));
  EXPECT_EQ(recorder_.lines.size(), 1u);
  EXPECT_EQ(recorder_.done, 0);
}

TEST_F(ConsoleIOTest, WritesEveryDeliveredLineToTheLogFile) {
  console_->LogFile = dir_ + "/run.log";
  std::ofstream(console_->LogFile) << "old content";
  UseScript(R"(print "a\n\nb";)");
  ASSERT_TRUE(RunToDone());
  EXPECT_EQ(ReadFile(console_->LogFile), "a\r\nb\r\n");
}

TEST_F(ConsoleIOTest, ALogFileThatCannotBeMadeIsReportedAndTheRunGoesOn) {
  console_->LogFile = dir_ + "/missing/run.log";
  UseScript(R"(print "still here\n";)");
  ASSERT_TRUE(RunToDone());
  ASSERT_EQ(recorder_.errors.size(), 1u);
  EXPECT_NE(recorder_.errors.front().find("run.log"), std::string::npos);
  EXPECT_EQ(recorder_.lines, std::vector<std::string>{"still here"});
}

TEST_F(ConsoleIOTest, AnExceptionOfALineHandlerEndsTheRunThroughOnError) {
  console_->OnLine = [](TObject*, const std::string&) { throw EConvertError("handler failed"); };
  UseScript(R"($| = 1; print "a\nb\n"; sleep 60;)");
  ASSERT_TRUE(RunToDone(20000));  // well within the script's minute: the exception ended the run
  EXPECT_EQ(recorder_.errors, std::vector<std::string>{"handler failed"});
}

TEST(ConsoleSettings, TimeOutDelayMustLieBetweenTenAndTenThousand) {
  TConsoleSettings settings;
  EXPECT_EQ(settings.TimeOutDelay(), 50);
  for (TTimeOutDelay good : {10, 10000}) {
    settings.SetTimeOutDelay(good);
    EXPECT_EQ(settings.TimeOutDelay(), good);
  }
  for (TTimeOutDelay bad : {0, 9, 10001}) EXPECT_THROW(settings.SetTimeOutDelay(bad), EConvertError);
  EXPECT_EQ(settings.TimeOutDelay(), 10000);
}

}  // namespace
