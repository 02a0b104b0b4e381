// The memory a run's output costs the editor: F9 on a script that prints a given number of megabytes
// in lines of 100 bytes, "As Text" shown, until the run's end has been shown. Counted in this process
// (the editor's): the peak above the resident size before F9, and what stays resident after the run.
// The page's rendering happens in the browser engine's own processes and is not counted.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "ProcessMemory.h"
#include "common/TestApp.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "win/RegistryStore.h"

using namespace Corvane;

namespace {

namespace fs = std::filesystem;

void BM_RunOutputMemory(benchmark::State& state) {
  corvane::test::EnsureApplication();
  const std::string dir = corvane::test::MakeTempDir("runoutput");
  fs::create_directories(dir + "/runtime");
  RegistryStore::Instance().SetPath(dir + "/registry.sqlite3");
  setenv("XDG_RUNTIME_DIR", (dir + "/runtime").c_str(), 1);
  RegWriteBool(kSettingsKey, "NoAssociation", true);
  RegWriteBool(kSettingsKey, "RunBrowserView", false);
  static char name[] = "Corvane";
  static char* argv[] = {name, nullptr};
  Application->Initialize(1, argv);
  const long long megabytes = state.range(0);
  const std::string script = dir + "/output.pl";
  // 99 bytes and a line end; the line number makes each line its own.
  std::ofstream(script) << "printf \"%09d%s\\n\", $_, 'x' x 90 for 1.." << megabytes * 10000 << ";\n";
  const double outputMb = static_cast<double>(megabytes) * 10000 * 100 / 1e6;
  for (auto _ : state) {
    std::unique_ptr<TForm1> form(CreateForm<TForm1>(nullptr));
    form->Show();
    form->Open(script, false);
    corvane::test::PumpEvents(100);
    const double before = StatusKilobytes("VmRSS");
    ResetPeakResident();
    form->Memo1->Hint.clear();
    QKeyEvent f9(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
    QApplication::sendEvent(WidgetOf(form->Editor), &f9);
    if (!corvane::test::PumpUntil([&] { return form->Memo1->Hint == "Done. Plese pres F9 to return to Edit mode."; },
                                  600000)) {
      state.SkipWithError("the run did not end");
      return;
    }
    corvane::test::PumpEvents(200);
    const double peak = StatusKilobytes("VmHWM") - before;
    const double after = StatusKilobytes("VmRSS") - before;
    malloc_trim(0);  // what is still in use, without the memory freed but kept by the allocator
    const double inUse = StatusKilobytes("VmRSS") - before;
    state.counters["output_MB"] = outputMb;
    state.counters["peak_MB"] = peak / 1024 * 1.024 * 1.024;
    state.counters["after_MB"] = after / 1024 * 1.024 * 1.024;
    state.counters["after_per_output"] = after * 1024 / (outputMb * 1e6);
    state.counters["in_use_per_output"] = inUse * 1024 / (outputMb * 1e6);
    state.counters["peak_per_output"] = peak * 1024 / (outputMb * 1e6);
    form.reset();
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_RunOutputMemory)->Arg(20)->Arg(200)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  corvane::test::EnsureApplication();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
