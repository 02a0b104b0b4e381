// Start-up of the editor program under the offscreen platform, from starting the process to its main
// window's first paint: without an argument, and with a 300,000-line script on the command line.
// Each run has a registry of its own in a temporary folder, filled by the runs before it, as a user's.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/PerlCorpus.h"
#include "CorvaneProgram.h"
#include "common/TestApp.h"

namespace {

const std::string& Folder() {
  static const std::string dir = corvane::test::MakeTempDir("corvane-startup");
  return dir;
}

// The first 300,000 lines of the Perl modules, with CR LF line ends.
const std::string& LargeScript() {
  static const std::string name = [] {
    const std::string text = corvane::test::PerlCorpusText(1);
    std::string out;
    size_t start = 0;
    for (int line = 0; line < 300000 && start < text.size(); ++line) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      out.append(text, start, end - start);
      if (!out.empty() && out.back() == '\r') out.pop_back();
      out += "\r\n";
      start = end + 1;
    }
    const std::string file = Folder() + "/large.pl";
    std::ofstream(file, std::ios::binary) << out;
    return file;
  }();
  return name;
}

// Milliseconds from the start of the process to "painted", or a negative value on failure.
double TimeToFirstPaint(const QStringList& args) {
  QProcess corvane;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("CORVANE_REGISTRY", QString::fromStdString(Folder() + "/registry.sqlite3"));
  env.insert("CORVANE_TEST_REPORT_PAINT", "1");
  env.insert("CORVANE_TEST_DIALOG_ANSWERS", "");
  corvane.setProcessEnvironment(env);
  QElapsedTimer clock;
  clock.start();
  corvane.start(QString::fromStdString(CorvaneTestCopy()), args);
  QByteArray seen;
  double elapsed = -1;
  while (corvane.waitForReadyRead(30000)) {
    seen += corvane.readAllStandardOutput();
    if (seen.contains("painted\n")) {
      elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
      break;
    }
  }
  corvane.terminate();
  corvane.waitForFinished(30000);
  return elapsed;
}

void Run(benchmark::State& state, const QStringList& args) {
  corvane::test::EnsureApplication();
  TimeToFirstPaint(args);  // warms the file cache and the registry
  for (auto _ : state) {
    const double ms = TimeToFirstPaint(args);
    if (ms < 0) {
      state.SkipWithError("no first paint");
      return;
    }
    state.SetIterationTime(ms / 1000.0);
  }
}

void BM_StartupWithoutArgument(benchmark::State& state) { Run(state, {}); }
void BM_StartupWith300000Lines(benchmark::State& state) {
  Run(state, {QString::fromStdString(LargeScript())});
}

BENCHMARK(BM_StartupWithoutArgument)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartupWith300000Lines)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
