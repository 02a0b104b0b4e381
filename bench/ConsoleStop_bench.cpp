// How fast a run ends when the user ends it: F9 back to editing stops the console component, closing
// the window destroys it. Each run's script has started a child of its own that sleeps, so the time
// includes ending what the script started. The piped process's own kill is measured alone as well.
#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>

#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "editor/ConsoleIO.h"
#include "win/Process.h"

using namespace Corvane;

namespace {

using Clock = std::chrono::steady_clock;

// Prints the pid of a sleeping child it started, then keeps the processor busy.
const char* const kScript = "$| = 1; my $pid = fork(); if (!$pid) { sleep 60; exit; } print \"$pid\\n\"; 1 while 1;";

bool Gone(const std::string& pid) {
  const std::string text = corvane::test::ReadFile("/proc/" + pid + "/stat");
  const std::size_t close = text.rfind(')');
  return close == std::string::npos || close + 2 >= text.size() || text[close + 2] == 'Z';
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// A console running the script, with the pid of the script's child once it has printed it.
struct TRunningConsole {
  std::unique_ptr<TGUI2Console> console = std::make_unique<TGUI2Console>(nullptr);
  std::string child;
  bool done = false;

  explicit TRunningConsole(const std::string& script) {
    console->Command = "perl " + script;
    console->OnLine = [this](TObject*, const std::string& Line) { child = Line; };
    console->OnDone = [this](TObject*) { done = true; };
    console->Start();
    corvane::test::PumpUntil([&] { return !child.empty(); }, 60000);
  }
};

std::string ScriptFile() {
  static const std::string file = [] {
    corvane::test::EnsureApplication();
    const std::string path = corvane::test::MakeTempDir("consolestop") + "/busy.pl";
    std::ofstream(path) << kScript;
    return path;
  }();
  return file;
}

void BM_ConsoleStopToDone(benchmark::State& state) {
  const std::string script = ScriptFile();
  for (auto _ : state) {
    TRunningConsole run(script);
    const auto start = Clock::now();
    run.console->Stop();
    corvane::test::PumpUntil([&] { return run.done && Gone(run.child); }, 60000);
    state.SetIterationTime(Seconds(Clock::now() - start));
  }
}
BENCHMARK(BM_ConsoleStopToDone)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_ConsoleDestroyDuringARun(benchmark::State& state) {
  const std::string script = ScriptFile();
  for (auto _ : state) {
    TRunningConsole run(script);
    const auto start = Clock::now();
    run.console.reset();
    state.SetIterationTime(Seconds(Clock::now() - start));
    corvane::test::PumpUntil([&] { return Gone(run.child); }, 60000);
  }
}
BENCHMARK(BM_ConsoleDestroyDuringARun)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_ProcessTerminateToGroupGone(benchmark::State& state) {
  for (auto _ : state) {
    TPipedProcess process;
    TProcessStartInfo info;
    info.CommandLine = R"(/bin/sh -c "sleep 60 & echo $!; wait")";
    process.Start(info);
    std::string output;
    char buffer[64];
    while (output.find('\n') == std::string::npos && !process.WaitForExit(20))
      while (std::size_t count = process.Read(buffer, sizeof buffer)) output.append(buffer, count);
    const std::string child = output.substr(0, output.find('\n'));
    const auto start = Clock::now();
    process.Terminate();
    process.WaitForExit(60000);
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (!Gone(child) && Clock::now() < deadline) {
    }
    state.SetIterationTime(Seconds(Clock::now() - start));
  }
}
BENCHMARK(BM_ProcessTerminateToGroupGone)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
