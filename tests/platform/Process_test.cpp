#include "win/Process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "common/TestApp.h"

namespace {

using namespace std::string_literals;

struct SplitCase {
  std::string commandLine;
  std::vector<std::string> arguments;
};

TEST(ProcessCommandLine, SplitsByTheSystemRules) {
  const SplitCase cases[] = {
      {"", {}},
      {"   ", {}},
      {"perl -w /tmp/OmTemp.pl", {"perl", "-w", "/tmp/OmTemp.pl"}},
      {"  a   b\tc  ", {"a", "b", "c"}},
      {R"("/opt/my perl/perl" -e "print 1")", {"/opt/my perl/perl", "-e", "print 1"}},
      {R"(p a"b c"d)", {"p", "ab cd"}},
      {R"(p "a\"b")", {"p", R"(a"b)"}},
      {R"(p a\\\\"b c")", {"p", R"(a\\b c)"}},
      {R"(p \\\"x)", {"p", R"(\"x)"}},
      {R"(p a\\b c:\dir\)", {"p", R"(a\\b)", R"(c:\dir\)"}},
      {R"(p "" x)", {"p", "", "x"}},
      {R"(p "a""b")", {"p", R"(a"b)"}},
      {R"(p "unterminated quote)", {"p", "unterminated quote"}},
      // The program word by the same rules: backslashes are literal unless a quote follows.
      {R"(c:\dir\perl.exe -w)", {R"(c:\dir\perl.exe)", "-w"}},
      {R"("c:\my dir\\" x)", {R"(c:\my dir\)", "x"}},
  };
  for (const SplitCase& c : cases)
    EXPECT_EQ(TPipedProcess::SplitCommandLine(c.commandLine), c.arguments) << c.commandLine;
}

TEST(ProcessCommandLine, QuotedArgumentsSplitBackWhole) {
  const std::string arguments[] = {
      "plain", "", "two words", "tab\there", R"(say "hi")", R"(C:\dir\)", R"(a\"b)", R"(trailing\\)",
      "\"", R"(\\server\share)", "/tmp/my scripts/OmTemp.pl", R"(C:\my dir\)", R"(/opt/a "b"/perl)",
  };
  for (const std::string& argument : arguments) {
    const std::string quoted = TPipedProcess::QuoteArgument(argument);
    EXPECT_EQ(TPipedProcess::SplitCommandLine("p " + quoted), (std::vector<std::string>{"p", argument})) << quoted;
    // As the program word too: a program path with a blank that ends in a backslash comes back whole.
    EXPECT_EQ(TPipedProcess::SplitCommandLine(quoted + " -w"), (std::vector<std::string>{argument, "-w"})) << quoted;
  }
  EXPECT_EQ(TPipedProcess::QuoteArgument("plain"), "plain");
  EXPECT_EQ(TPipedProcess::SplitCommandLine(TPipedProcess::QuoteArgument("/opt/my perl/perl") + " -w"),
            (std::vector<std::string>{"/opt/my perl/perl", "-w"}));
}

TEST(ProcessCommandLine, SplitsEnvironmentBlocks) {
  EXPECT_EQ(TPipedProcess::SplitEnvironmentBlock(""), std::vector<std::string>{});
  EXPECT_EQ(TPipedProcess::SplitEnvironmentBlock("A=1\0B=x y\0\0"s), (std::vector<std::string>{"A=1", "B=x y"}));
  EXPECT_EQ(TPipedProcess::SplitEnvironmentBlock("A=1\0\0B=2\0\0"s), std::vector<std::string>{"A=1"});
  EXPECT_EQ(TPipedProcess::SplitEnvironmentBlock("A=1"), std::vector<std::string>{"A=1"});
}

// Everything the child prints until it ends, however long a loaded machine takes.
std::string RunToEnd(TPipedProcess& process) {
  std::string output;
  char buffer[4096];
  for (bool ended = false;; ended = process.WaitForExit(20)) {
    while (std::size_t count = process.Read(buffer, sizeof buffer)) output.append(buffer, count);
    if (ended) return output;
  }
}

std::string OutputOf(const TProcessStartInfo& info) {
  TPipedProcess process;
  process.Start(info);
  return RunToEnd(process);
}

TProcessStartInfo Command(const std::string& commandLine) {
  TProcessStartInfo info;
  info.CommandLine = commandLine;
  return info;
}

TEST(PipedProcess, GivesTheChildExactlyTheEnvironmentBlock) {
  TProcessStartInfo info = Command("/usr/bin/env");
  info.EnvironmentBlock = "A=1\0B=x y\0\0"s;
  EXPECT_EQ(OutputOf(info), "A=1\nB=x y\n");
}

TEST(PipedProcess, InheritsTheEnvironmentWithoutABlock) {
  setenv("CORVANE_PROCESS_TEST", "inherited", 1);
  EXPECT_NE(OutputOf(Command("/usr/bin/env")).find("CORVANE_PROCESS_TEST=inherited\n"), std::string::npos);
}

TEST(PipedProcess, FindsTheProgramOnTheParentsPathEvenWithoutPathInTheBlock) {
  TProcessStartInfo info = Command("sh -c \"echo found\"");
  info.EnvironmentBlock = "X=1\0\0"s;
  EXPECT_EQ(OutputOf(info), "found\n");
}

TEST(PipedProcess, RunsInTheGivenDirectory) {
  const std::string dir = corvane::test::MakeTempDir("process-cwd");
  TProcessStartInfo info = Command("/bin/pwd");
  info.CurrentDirectory = dir;
  EXPECT_EQ(OutputOf(info), dir + "\n");
}

TEST(PipedProcess, JoinsOutputAndErrorOnOnePipe) {
  EXPECT_EQ(OutputOf(Command(R"(/bin/sh -c "echo out; echo err 1>&2; echo out2")")), "out\nerr\nout2\n");
}

TEST(PipedProcess, UsesTheApplicationAsTheProgramAndTheCommandLineAsArguments) {
  TProcessStartInfo info = Command("echo hi \"there  you\"");
  info.Application = "/bin/echo";
  EXPECT_EQ(OutputOf(info), "hi there  you\n");
}

// Reads until the first line end has come or the child ends.
std::string FirstLine(TPipedProcess& process) {
  std::string output;
  char buffer[64];
  bool ended = false;
  while (output.find('\n') == std::string::npos && !ended) {
    ended = process.WaitForExit(20);
    while (std::size_t count = process.Read(buffer, sizeof buffer)) output.append(buffer, count);
  }
  return output.substr(0, output.find('\n'));
}

TEST(PipedProcess, KeepsTheInputOpenSoAReadingChildWaits) {
  TPipedProcess process;
  // The child looks without waiting: an input at its end (closed, or /dev/null) is readable at once.
  process.Start(Command(R"(perl -e "$| = 1; use IO::Select; my $s = IO::Select->new(\*STDIN);)"
                        R"( print $s->can_read(0) ? qq(at end\n) : qq(waiting\n); <STDIN>")"));
  EXPECT_EQ(FirstLine(process), "waiting");
  EXPECT_FALSE(process.WaitForExit(0));
  process.Terminate();
  EXPECT_TRUE(process.WaitForExit(corvane::test::kUntilTheTestTimesOut));
}

TEST(PipedProcess, WaitReturnsEarlyWhenOutputArrives) {
  TPipedProcess process;
  // A wait that sat out its whole minute would see the child end after twenty seconds.
  process.Start(Command(R"(/bin/sh -c "echo first; sleep 20")"));
  std::string output;
  char buffer[64];
  for (int i = 0; i < 100 && output.empty(); ++i) {
    EXPECT_FALSE(process.WaitForExit(60000));
    if (std::size_t count = process.Read(buffer, sizeof buffer)) output.append(buffer, count);
  }
  EXPECT_EQ(output, "first\n");
  process.Terminate();
}

// The state letter of a process, or ' ' when it no longer exists; a killed child of ours that the
// system's init has not collected yet shows 'Z'.
char ProcessState(const std::string& pid) {
  std::ifstream stat("/proc/" + pid + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const std::size_t close = text.rfind(')');
  return close == std::string::npos || close + 2 >= text.size() ? ' ' : text[close + 2];
}

// Waits until the process is gone (or a zombie), up to 20 s; the kill is delivered asynchronously.
bool Gone(const std::string& pid) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  auto gone = [&] { return ProcessState(pid) == ' ' || ProcessState(pid) == 'Z'; };
  while (!gone() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return gone();
}

TEST(PipedProcess, TerminateEndsEverythingTheChildStarted) {
  TPipedProcess process;
  // The grandchild would sleep a minute: gone well before that, it was killed.
  process.Start(Command(R"(/bin/sh -c "sleep 60 & echo $!; wait")"));
  const std::string grandchild = FirstLine(process);
  ASSERT_FALSE(grandchild.empty());
  ASSERT_NE(ProcessState(grandchild), ' ');
  process.Terminate();
  EXPECT_TRUE(process.WaitForExit(10000));
  process.Close();
  EXPECT_TRUE(Gone(grandchild)) << "grandchild state " << ProcessState(grandchild);
}

TEST(PipedProcess, TheRunsEndEndsEveryProcessItStartedHoweverItRegroupedOrWasOrphaned) {
  // Each script has a process leave the child's group, or its session, then print its id and sleep a
  // minute, quietly.
  struct Case {
    const char* what;
    const char* script;
    bool childEnds;  // the child ends by itself (the run ends), else it is stopped
  };
  const Case cases[] = {
      {"own group, stopped", "if (!fork) { setpgrp(0, 0); print qq($$\\n) } sleep 60", false},
      {"own session, orphaned as the child ends",
       "use POSIX; pipe(R, W); if (!fork) { POSIX::setsid(); print qq($$\\n); close W; sleep 60 } close W; <R>", true},
      {"daemon by double fork, stopped",
       "if (!fork) { exit if fork; setpgrp(0, 0); print qq($$\\n); sleep 60 } sleep 60", false},
  };
  for (const Case& c : cases) {
    TPipedProcess process;
    process.Start(Command("perl -e \"$| = 1; " + std::string(c.script) + "\""));
    const std::string left = FirstLine(process);
    ASSERT_FALSE(left.empty()) << c.what;
    if (!c.childEnds) {
      // Alive until stopped (a run that ends by itself may have ended it already, as it should).
      ASSERT_NE(ProcessState(left), ' ') << c.what;
      EXPECT_FALSE(process.WaitForExit(0)) << c.what;
      process.Terminate();
    }
    EXPECT_TRUE(process.WaitForExit(20000)) << c.what;
    EXPECT_TRUE(Gone(left)) << c.what << ": " << ProcessState(left);
    process.Close();
  }
}

TEST(PipedProcess, ReportsWhatCannotStart) {
  struct FailCase {
    TProcessStartInfo info;
    int errorCode;
  };
  TProcessStartInfo missingDirectory = Command("/bin/pwd");
  missingDirectory.CurrentDirectory = "/nonexistent/directory";
  TProcessStartInfo missingApplication = Command("x");
  missingApplication.Application = "/nonexistent/program";
  const FailCase cases[] = {
      {Command("/nonexistent/program -x"), ENOENT},
      {Command("corvane-no-such-program"), ENOENT},
      {missingDirectory, ENOENT},
      {missingApplication, ENOENT},
      {Command("   "), EINVAL},
  };
  for (const FailCase& c : cases) {
    TPipedProcess process;
    try {
      process.Start(c.info);
      ADD_FAILURE() << "started " << c.info.CommandLine;
    } catch (const EProcessError& E) {
      EXPECT_EQ(E.Stage, psCreate) << c.info.CommandLine;
      EXPECT_EQ(E.ErrorCode, c.errorCode) << c.info.CommandLine;
    }
  }
}

TEST(PipedProcess, RefusesASecondStart) {
  TPipedProcess process;
  process.Start(Command("/bin/true"));
  EXPECT_THROW(process.Start(Command("/bin/true")), EInvalidOperation);
}

}  // namespace
