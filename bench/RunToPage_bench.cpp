// F9 on a script that prints 1,000 lines of HTML, until the page has loaded in the browser control,
// against the interpreter's own run of the same command: the difference is what the editor adds
// (starting the child, reading and cutting its output, writing and loading the page).
// The browser engine is started by a first run before anything is measured.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "common/TestApp.h"
#include "editor/Unit1.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "win/Process.h"
#include "win/RegistryStore.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kScript =
    "print \"Content-type: text/html\\n\\n<html><head><title>Report</title></head><body>\\n\";\n"
    "print \"<p class='row'>Line $_ of the report, with <b>bold</b> and <i>italic</i> text.</p>\\n\" for 1..1000;\n"
    "print \"</body></html>\\n\";\n";

void PumpUntil(const std::function<bool()>& done) {
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  while (!done() && Clock::now() < deadline) corvane::test::PumpEvents(1);
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The interpreter alone: the same command line and environment, read to its end.
double InterpreterRun(const std::string& commandLine, const std::string& environment) {
  const auto start = Clock::now();
  TPipedProcess process;
  TProcessStartInfo info;
  info.CommandLine = commandLine;
  info.EnvironmentBlock = environment;
  process.Start(info);
  char buffer[65536];
  bool ended = false;
  for (;;) {
    while (process.Read(buffer, sizeof buffer) > 0) {
    }
    if (ended) break;
    ended = process.WaitForExit(5);
  }
  return Seconds(Clock::now() - start);
}

void BM_RunToPage(benchmark::State& state) {
  corvane::test::EnsureApplication();
  namespace fs = std::filesystem;
  const std::string dir = corvane::test::MakeTempDir("runtopage");
  fs::create_directories(dir + "/runtime");
  RegistryStore::Instance().SetPath(dir + "/registry.sqlite3");
  setenv("XDG_RUNTIME_DIR", (dir + "/runtime").c_str(), 1);
  RegWriteBool(kSettingsKey, "NoAssociation", true);
  RegWriteBool(kSettingsKey, "RunBrowserView", true);
  static char name[] = "Corvane";
  static char* argv[] = {name, nullptr};
  Application->Initialize(1, argv);
  std::unique_ptr<TForm1> form(CreateForm<TForm1>(nullptr));
  form->Show();
  const std::string script = dir + "/report.pl";
  std::ofstream(script) << kScript;
  form->Open(script, false);

  bool loaded = false;
  form->WebBrowser1->OnDocumentComplete = [&](TObject*, const std::string& URL, bool Ok) {
    loaded = Ok && URL.find("OmTemp.htm") != std::string::npos;
  };
  auto runOnce = [&] {
    loaded = false;
    const auto start = Clock::now();
    form->Run1Click(nullptr);
    PumpUntil([&] { return loaded; });
    const double total = Seconds(Clock::now() - start);
    form->Run1Click(nullptr);  // back to editing
    return total;
  };
  runOnce();  // starts the browser engine

  double interpreter = 0;
  double editor = 0;
  for (auto _ : state) {
    const double total = runOnce();
    const double alone = InterpreterRun(form->Conio->Command, form->Conio->Environment);
    state.SetIterationTime(total);
    editor += total;
    interpreter += alone;
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["lines"] = form->OutputList()->Count();
  state.counters["interpreter_ms"] = interpreter / runs * 1000;
  state.counters["beyond_interpreter_ms"] = (editor - interpreter) / runs * 1000;
  form.reset();
  fs::remove_all(dir);
}
BENCHMARK(BM_RunToPage)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
