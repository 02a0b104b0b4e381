// What a user sees on a real X server (Xvfb, the xcb platform): the time from starting Corvane to the
// first frame on the screen, found by reading the screen's pixels, not by the program's own report.
// - without an argument: to the first visual change of the screen;
// - with the 1.27-million-line corpus (39 MB) on the command line: to the first frame whose editor
//   shows the text, i.e. dark ink where the editor of a start without a file is blank.
// Also reports the program's peak resident memory, when the frame appears and once the program has
// had a second more for the work it does after the first paint.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <xcb/xcb.h>

#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/PerlCorpus.h"
#include "CorvaneProgram.h"
#include "common/TestApp.h"
#include "common/VirtualDisplay.h"

namespace {

const std::string& Folder() {
  static const std::string dir = corvane::test::MakeTempDir("corvane-first-frame");
  return dir;
}

const std::string& Corpus() {
  static const std::string name = [] {
    const std::string file = Folder() + "/corpus.pl";
    std::ofstream(file, std::ios::binary) << corvane::test::PerlCorpusText(4);
    return file;
  }();
  return name;
}

using TFrame = std::vector<unsigned>;  // 0xRRGGBB per pixel, row by row

struct TConnectionCloser {
  void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};

class TScreenReader {
 public:
  explicit TScreenReader(const QString& name)
      : connection_(xcb_connect(name.toLocal8Bit().constData(), nullptr)) {}
  bool IsOpen() const { return connection_ && !xcb_connection_has_error(connection_.get()); }

  // The root window's pixels, 24-bit colour in 32-bit words as Xvfb's default visual keeps them.
  TFrame Grab() const {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_.get())).data;
    const xcb_get_image_cookie_t cookie =
        xcb_get_image(connection_.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0, screen->width_in_pixels,
                      screen->height_in_pixels, ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(connection_.get(), cookie, nullptr), &std::free);
    TFrame frame;
    if (!reply) return frame;
    const auto* words = reinterpret_cast<const unsigned*>(xcb_get_image_data(reply.get()));
    const size_t count = static_cast<size_t>(xcb_get_image_data_length(reply.get())) / sizeof(unsigned);
    frame.reserve(count);
    for (size_t i = 0; i < count; ++i) frame.push_back(words[i] & 0xFFFFFF);
    return frame;
  }

 private:
  std::unique_ptr<xcb_connection_t, TConnectionCloser> connection_;
};

int Luminance(unsigned pixel) {
  return (299 * ((pixel >> 16) & 0xFF) + 587 * ((pixel >> 8) & 0xFF) + 114 * (pixel & 0xFF)) / 1000;
}

// Any pixel changed: the first visual change.
bool AnyChange(const TFrame& blank, const TFrame& frame) { return frame.size() == blank.size() && frame != blank; }

// Text ink where the empty editor was white and the bare screen (Xvfb's black and white weave) has
// another colour: a screenful of lines gives thousands of such pixels, a status bar change a few hundred.
auto TextShown(const TFrame& blank) {
  return [&blank](const TFrame& empty, const TFrame& frame) {
    if (frame.size() != empty.size() || frame.size() != blank.size()) return false;
    int ink = 0;
    for (size_t i = 0; i < frame.size(); ++i)
      if (empty[i] == 0xFFFFFF && frame[i] != blank[i] && Luminance(frame[i]) < 160) ++ink;
    return ink > 3000;
  };
}

long PeakResidentKb(qint64 pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

struct TRun {
  double ms = -1;
  long peakAtFrameKb = -1;
  long peakAfterKb = -1;
};

class TCorvaneOnDisplay {
 public:
  TCorvaneOnDisplay(const QString& display, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(Folder()));
    env.insert("CORVANE_REGISTRY", QString::fromStdString(Folder() + "/registry.sqlite3"));
    env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    process_.setProcessEnvironment(env);
    clock_.start();
    process_.start(QString::fromStdString(CorvaneProgram()), args);
  }
  ~TCorvaneOnDisplay() {
    process_.terminate();
    if (!process_.waitForFinished(30000)) process_.kill();
  }
  double Elapsed() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }
  qint64 Pid() const { return process_.processId(); }

 private:
  QElapsedTimer clock_;
  QProcess process_;
};

// Waits until the screen shows `blank` again, that is the window of the run before is gone.
bool WaitForBlank(const TScreenReader& screen, const TFrame& blank) {
  for (int tries = 0; tries < 3000; ++tries) {
    if (screen.Grab() == blank) return true;
    QThread::msleep(10);
  }
  return false;
}

// Starts Corvane on a blank screen and reads the screen until `seen` holds against `reference`; the time
// is that of the read that saw it, a few milliseconds late at most. The pauses between reads leave the
// X server to the program: a read copies the whole screen.
template <typename Seen>
TRun TimeToFrame(const TScreenReader& screen, const QString& display, const QStringList& args, const TFrame& blank,
                 const TFrame& reference, Seen seen) {
  TRun run;
  if (!WaitForBlank(screen, blank)) return run;
  TCorvaneOnDisplay corvane(display, args);
  while (corvane.Elapsed() < 60000) {
    TFrame frame = screen.Grab();
    if (seen(reference, frame)) {
      run.ms = corvane.Elapsed();
      run.peakAtFrameKb = PeakResidentKb(corvane.Pid());
      QThread::msleep(1000);
      run.peakAfterKb = PeakResidentKb(corvane.Pid());
      return run;
    }
    QThread::usleep(2000);
  }
  return run;
}

// The screen once Corvane without a file has shown its window and settled: the same frame twice, half
// a second apart.
TFrame SettledEmptyWindow(const TScreenReader& screen, const QString& display, const TFrame& blank) {
  WaitForBlank(screen, blank);
  TCorvaneOnDisplay corvane(display, {});
  TFrame last = blank;
  for (int tries = 0; tries < 120; ++tries) {
    QThread::msleep(500);
    TFrame now = screen.Grab();
    if (now != blank && now == last) return now;
    last = std::move(now);
  }
  return last;
}

struct TSession {
  corvane::test::TVirtualDisplay display;
  std::optional<TScreenReader> screen;
  TFrame blank;
};

// A display, a reader of its screen and the blank screen; false, with the benchmark skipped, without them.
bool OpenSession(benchmark::State& state, TSession& session) {
  corvane::test::EnsureApplication();
  const char* error = nullptr;
  if (QStandardPaths::findExecutable("Xvfb").isEmpty())
    error = "needs Xvfb";
  else if (session.display.Name().isEmpty())
    error = "Xvfb did not start";
  else if (!session.screen.emplace(session.display.Name()).IsOpen())
    error = "cannot open the display";
  if (error) {
    state.SkipWithError(error);
    return false;
  }
  session.blank = session.screen->Grab();
  return true;
}

template <typename Seen>
void Measure(benchmark::State& state, TSession& session, const QStringList& args, const TFrame& reference, Seen seen) {
  double peakAtFrame = 0;
  double peakAfter = 0;
  for (auto _ : state) {
    const TRun run = TimeToFrame(*session.screen, session.display.Name(), args, session.blank, reference, seen);
    if (run.ms < 0) {
      state.SkipWithError("no frame");
      return;
    }
    state.SetIterationTime(run.ms / 1000.0);
    peakAtFrame = std::max(peakAtFrame, run.peakAtFrameKb / 1024.0);
    peakAfter = std::max(peakAfter, run.peakAfterKb / 1024.0);
  }
  state.counters["peak_MB_at_frame"] = peakAtFrame;
  state.counters["peak_MB_1s_later"] = peakAfter;
}

void BM_StartupToFirstVisualChange(benchmark::State& state) {
  TSession session;
  if (!OpenSession(state, session)) return;
  const QString& display = session.display.Name();
  TimeToFrame(*session.screen, display, {}, session.blank, session.blank, AnyChange);  // warms caches, registry
  Measure(state, session, {}, session.blank, AnyChange);
}

void BM_OpenCorpusToTextShown(benchmark::State& state) {
  TSession session;
  if (!OpenSession(state, session)) return;
  const QString& display = session.display.Name();
  const QStringList args{QString::fromStdString(Corpus())};
  const TFrame empty = SettledEmptyWindow(*session.screen, display, session.blank);
  TimeToFrame(*session.screen, display, args, session.blank, empty, TextShown(session.blank));  // warms the file cache
  Measure(state, session, args, empty, TextShown(session.blank));
  const auto fileBytes = std::ifstream(Corpus(), std::ios::ate | std::ios::binary).tellg();
  state.counters["file_MB"] = static_cast<double>(fileBytes) / (1024.0 * 1024.0);
}

BENCHMARK(BM_StartupToFirstVisualChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_OpenCorpusToTextShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace

BENCHMARK_MAIN();
