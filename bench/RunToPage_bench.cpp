// F9 on a script that prints 1,000 lines of HTML, until its page shows on the screen, against the
// interpreter's own run of the same command: the difference is what the editor adds (starting the
// child, reading and cutting its output, writing and loading the page, painting it).
//
// Measured as a user sees it: on a real X server (Xvfb, the xcb platform), the page counted as shown
// when the X server's pixels at the browser pane have the page's colour. Each session is a fresh
// process that sets up its window the way the program does; the first F9 of a session comes a given
// time after the window's first paint (0: at once; 2000: a user who opens a script and runs it), the
// warm ones follow it with the browser engine running.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "common/VirtualDisplay.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "win/Process.h"
#include "win/RegistryStore.h"

using namespace Corvane;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The report, in colours of its own, so that no earlier page (nor the engine's fill before a page has
// painted) passes for it: a block at its top left, on a background.
struct TPageColours {
  QRgb Block, Background;
};
TPageColours ColoursOfRun(int run) {
  return {qRgb(0xc0, 0x30 + 7 * run, 0x20), qRgb(0x20 + 7 * run, 0x60, 0xb0)};
}
std::string Css(QRgb colour) { return QColor(colour).name().toStdString(); }

std::string Script(const TPageColours& colours) {
  return "print \"Content-type: text/html\\n\\n<html><head><title>Report</title></head>"
         "<body style='margin:0;background:" + Css(colours.Background) + "'>\\n\";\n"
         "print \"<div style='width:60px;height:60px;background:" + Css(colours.Block) + "'></div>\\n\";\n"
         "print \"<p class='row'>Line $_ of the report, with <b>bold</b> and <i>italic</i> text.</p>\\n\" for 1..1000;\n"
         "print \"</body></html>\\n\";\n";
}

// Runs the event loop, sleeping between events, until done() holds, looking every millisecond or two;
// false after a minute.
bool WaitUntil(const std::function<bool()>& done) {
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done() || Clock::now() > deadline) loop.quit();
  });
  poll.start(1);
  if (!done()) loop.exec();
  return done();
}

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
  return Milliseconds(Clock::now() - start);
}

// True once the window has painted for the first time.
class TPaintWatch : public QObject {
 public:
  explicit TPaintWatch(QWidget* window) { window->installEventFilter(this); }
  bool Painted() const { return painted_; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  bool painted_ = false;
};

// One session in this process: prints "first <ms> <interpreter ms>" for its first F9, then
// "warm <ms> <interpreter ms>" for each further one.
int RunSession(int delayMs, int warmRuns) {
  corvane::test::EnsureApplication();
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
  const std::string script = dir + "/report.pl";
  std::ofstream(script) << Script(ColoursOfRun(0));
  TPaintWatch paint(WidgetOf(form.get()));
  form->WebBrowser1->StartEngineAfterFirstPaint();  // as the program does
  form->Show();
  form->Open(script, false);
  if (!WaitUntil([&] { return paint.Painted(); })) return 1;
  const auto typed = Clock::now() + std::chrono::milliseconds(delayMs);
  WaitUntil([&] { return Clock::now() >= typed; });

  for (int run = 0; run <= warmRuns; ++run) {
    const TPageColours colours = ColoursOfRun(run);
    form->Editor->Lines()->SetText(Script(colours));
    QWidget* pane = WidgetOf(form->WebBrowser1);
    auto shows = [&](QPoint point, QRgb colour) {
      const QPoint at = pane->mapToGlobal(point);
      const QImage pixel = QApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage();
      return !pixel.isNull() && (pixel.pixel(0, 0) & 0xffffff) == (colour & 0xffffff);
    };
    auto shown = [&] {
      return pane->isVisible() && shows(QPoint(30, 30), colours.Block) &&
             shows(QPoint(pane->width() - 40, pane->height() / 2), colours.Background);
    };
    const auto start = Clock::now();
    QKeyEvent f9(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
    QApplication::sendEvent(WidgetOf(form->Editor), &f9);
    if (!WaitUntil(shown)) return 1;
    const double total = Milliseconds(Clock::now() - start);
    QApplication::sendEvent(WidgetOf(form->Editor), &f9);  // back to editing
    const double alone = InterpreterRun(form->Conio->Command, form->Conio->Environment);
    std::printf("%s %.2f %.2f\n", run == 0 ? "first" : "warm", total, alone);
    std::fflush(stdout);
  }
  form.reset();
  fs::remove_all(dir);
  return 0;
}

std::string& SelfPath() {
  static std::string path;
  return path;
}

// Runs a session in a fresh process on the display; its figures as (total, interpreter) pairs by kind.
struct TSessionFigures {
  std::vector<std::pair<double, double>> First, Warm;
};
bool RunChildSession(const QString& display, int delayMs, int warmRuns, TSessionFigures& figures) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", display);
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QString::fromStdString(SelfPath()),
              {"--session", QString::number(delayMs), QString::number(warmRuns)});
  if (!child.waitForFinished(300000) || child.exitCode() != 0) return false;
  std::istringstream lines(child.readAllStandardOutput().toStdString());
  std::string kind;
  double total = 0, alone = 0;
  while (lines >> kind >> total >> alone) (kind == "first" ? figures.First : figures.Warm).emplace_back(total, alone);
  return true;
}

corvane::test::TVirtualDisplay& Display() {
  static corvane::test::TVirtualDisplay display;
  return display;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

void Report(benchmark::State& state, const std::vector<std::pair<double, double>>& figures) {
  std::vector<double> beyond;
  double interpreter = 0;
  for (const auto& [total, alone] : figures) {
    beyond.push_back(total - alone);
    interpreter += alone;
  }
  const double count = static_cast<double>(std::max<std::size_t>(figures.size(), 1));
  state.counters["beyond_interpreter_ms"] = std::accumulate(beyond.begin(), beyond.end(), 0.0) / count;
  state.counters["beyond_median_ms"] = Median(beyond);
  state.counters["beyond_max_ms"] = beyond.empty() ? 0 : *std::max_element(beyond.begin(), beyond.end());
  state.counters["interpreter_ms"] = interpreter / count;
}

// The first F9 of a session, each iteration a session of its own.
void BM_FirstRunToPage(benchmark::State& state) {
  if (Display().Name().isEmpty()) {
    state.SkipWithError("needs Xvfb");
    return;
  }
  TSessionFigures figures;
  for (auto _ : state) {
    const std::size_t before = figures.First.size();
    if (!RunChildSession(Display().Name(), static_cast<int>(state.range(0)), 0, figures) ||
        figures.First.size() != before + 1) {
      state.SkipWithError("the session showed no page");
      return;
    }
    state.SetIterationTime(figures.First.back().first / 1000);
  }
  Report(state, figures.First);
}
BENCHMARK(BM_FirstRunToPage)->Arg(0)->Arg(2000)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// F9 once the browser engine has shown a page: twenty runs of one session.
void BM_WarmRunToPage(benchmark::State& state) {
  if (Display().Name().isEmpty()) {
    state.SkipWithError("needs Xvfb");
    return;
  }
  TSessionFigures figures;
  if (!RunChildSession(Display().Name(), 0, static_cast<int>(state.max_iterations), figures) ||
      figures.Warm.size() != static_cast<std::size_t>(state.max_iterations)) {
    state.SkipWithError("the session showed no page");
    return;
  }
  std::size_t run = 0;
  for (auto _ : state) state.SetIterationTime(figures.Warm[run++].first / 1000);
  Report(state, figures.Warm);
}
BENCHMARK(BM_WarmRunToPage)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  SelfPath() = fs::canonical("/proc/self/exe").string();
  if (argc == 4 && std::strcmp(argv[1], "--session") == 0) return RunSession(std::atoi(argv[2]), std::atoi(argv[3]));
  corvane::test::EnsureApplication();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
