#include "editor/ConsoleIO.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "common/TestFiles.h"

namespace {

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

class ConsoleIOTest : public ::testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    dir_ = corvane::test::MakeTempDir("consoleio");
    console_ = std::make_unique<TGUI2Console>(nullptr);
    recorder_.Bind(*console_);
  }

  // Writes a Perl script and points the component at it.
  void UseScript(const std::string& body) {
    const std::string file = dir_ + "/script.pl";
    std::ofstream(file, std::ios::binary) << body;
    console_->Command = "perl " + file;
  }

  bool RunToDone(int timeoutMs = 10000) {
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
  corvane::test::PumpEvents(100);
  EXPECT_EQ(recorder_.done, 1);
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
  recorder_.killOnTimeOut = true;
  UseScript(R"($| = 1; print "a > b\n>"; my $answer = <STDIN>;)");
  ASSERT_TRUE(RunToDone());
  EXPECT_TRUE(recorder_.prompts.empty());
  EXPECT_EQ(recorder_.timeOuts, 1);
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
    UseScript("sleep 30;");
    const auto start = Clock::now();
    ASSERT_TRUE(RunToDone(3000)) << c.autoTerminate;
    EXPECT_LT(Clock::now() - start, milliseconds(1500)) << c.autoTerminate;
    EXPECT_EQ(recorder_.timeOuts, c.expectedTimeOuts) << c.autoTerminate;
  }
}

// The aim is a tenth of a second; the bound here is looser so that a loaded machine (the worker runs at
// a lowered priority) does not fail the test, while a stop that waits on the script still does.
TEST_F(ConsoleIOTest, StopEndsTheScriptAndWhatItStartedPromptly) {
  UseScript(R"($| = 1; my $pid = fork(); if (!$pid) { sleep 60; exit; } print "$pid\n"; 1 while 1;)");
  console_->Start();
  ASSERT_TRUE(PumpUntil([&] { return !recorder_.lines.empty(); }));
  const std::string grandchild = recorder_.lines.front();
  ASSERT_FALSE(Gone(grandchild));
  const auto stop = Clock::now();
  console_->Stop();
  ASSERT_TRUE(PumpUntil([&] { return Gone(grandchild) && recorder_.done > 0; }, 2000));
  const auto took = Clock::now() - stop;
  RecordProperty("stop_ms", static_cast<int>(std::chrono::duration_cast<milliseconds>(took).count()));
  EXPECT_LT(took, milliseconds(1000));
}

TEST_F(ConsoleIOTest, ARunOfAHundredMegabytesDeliversEveryLine) {
  constexpr int count = 1'000'000;  // lines of 100 bytes with their line end
  UseScript("my $pad = 'x' x 90; printf \"%08d %s\\n\", $_, $pad for 1.." + std::to_string(count) + ";");
  int received = 0;
  bool inOrder = true;
  console_->OnLine = [&](TObject*, const std::string& Line) {
    ++received;
    inOrder = inOrder && Line.size() == 99 && std::stoi(Line.substr(0, 8)) == received;
  };
  ASSERT_TRUE(RunToDone(120000));
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
  EXPECT_LT(Clock::now() - destroy, milliseconds(1000));
  const std::vector<std::string> eventsAtDestruction = recorder_.events;
  corvane::test::PumpEvents(200);
  EXPECT_EQ(recorder_.events, eventsAtDestruction);
  EXPECT_EQ(recorder_.done, 0);
  EXPECT_TRUE(PumpUntil([&] { return Gone(grandchild); }, 2000));
}

TEST_F(ConsoleIOTest, DestroyingTheComponentFromItsOwnLineHandlerReturnsAtOnce) {
  UseScript(R"($| = 1; while (1) { print "tick\n"; select(undef, undef, undef, 0.001); })");
  Clock::duration destroying{};
  console_->OnLine = [&](TObject*, const std::string& Line) {
    recorder_.lines.push_back(Line);
    if (recorder_.lines.size() != 1) return;
    const auto start = Clock::now();
    console_.reset();
    destroying = Clock::now() - start;
  };
  console_->Start();
  ASSERT_TRUE(PumpUntil([&] { return console_ == nullptr; }));
  corvane::test::PumpEvents(200);
  EXPECT_LT(destroying, milliseconds(100));
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
  UseScript(R"($| = 1; print "a\nb\n"; sleep 30;)");
  ASSERT_TRUE(RunToDone(3000));
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
