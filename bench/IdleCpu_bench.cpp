// What an idle Corvane window costs: the CPU time the program (all its threads, and the processes it
// started, such as the browser engine's) takes over 10 s of doing nothing on a real X server (Xvfb,
// the xcb platform), first after start-up, then after one run of a script whose page is shown, and
// last back on the Edit tab with the page view hidden. Reported as percent of one core; the target is
// at most 1 % in each.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CorvaneProgram.h"
#include "common/TestApp.h"
#include "common/VirtualDisplay.h"

namespace fs = std::filesystem;

namespace {

constexpr int kIdleSeconds = 10;

// The parent and the user plus system time (clock ticks) of a process, from /proc.
bool ReadStat(pid_t pid, pid_t& parent, long long& ticks) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(file, stat)) return false;
  // The command name may hold blanks; the fields after it are counted from its closing parenthesis.
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::vector<std::string> values;
  for (std::string value; fields >> value;) values.push_back(value);
  if (values.size() < 13) return false;
  parent = static_cast<pid_t>(std::stoll(values[1]));
  ticks = std::stoll(values[11]) + std::stoll(values[12]);
  return true;
}

// CPU seconds used so far by a process and every process below it.
double TreeCpuSeconds(pid_t root) {
  std::vector<std::pair<pid_t, pid_t>> parents;  // (pid, parent)
  std::vector<std::pair<pid_t, long long>> ticks;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    pid_t parent = 0;
    long long used = 0;
    const pid_t pid = static_cast<pid_t>(std::stol(name));
    if (!ReadStat(pid, parent, used)) continue;
    parents.emplace_back(pid, parent);
    ticks.emplace_back(pid, used);
  }
  std::vector<pid_t> tree{root};
  for (std::size_t i = 0; i < tree.size(); ++i)
    for (const auto& [pid, parent] : parents)
      if (parent == tree[i]) tree.push_back(pid);
  long long total = 0;
  for (const auto& [pid, used] : ticks)
    if (std::find(tree.begin(), tree.end(), pid) != tree.end()) total += used;
  return static_cast<double>(total) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Percent of one core the program takes while left alone for the idle time.
double IdlePercent(pid_t pid) {
  const double before = TreeCpuSeconds(pid);
  QElapsedTimer clock;
  clock.start();
  QThread::sleep(kIdleSeconds);
  const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  return 100.0 * (TreeCpuSeconds(pid) - before) / wall;
}

bool WaitForLine(QProcess& process, const QByteArray& line) {
  QByteArray seen;
  while (process.waitForReadyRead(30000)) {
    seen += process.readAllStandardOutput();
    if (seen.contains(line + "\n")) return true;
  }
  return false;
}

// The run's page, in the instance's own folder below the temporary folder.
bool PageWritten(const std::string& temporary) {
  std::error_code error;
  for (fs::recursive_directory_iterator entry(temporary, error), end; !error && entry != end; entry.increment(error))
    if (entry->path().filename() == "OmTemp.htm") return true;
  return false;
}

void BM_IdleWindowCpu(benchmark::State& state) {
  corvane::test::EnsureApplication();
  if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty()) {
    state.SkipWithError("needs Xvfb and xdotool");
    return;
  }
  const std::string folder = corvane::test::MakeTempDir("corvane-idle");
  const std::string script = folder + "/page.pl";
  std::ofstream(script, std::ios::binary) << "print \"Content-type: text/html\\n\\n\";\r\n"
                                              "print \"<html><body><h1>Hello</h1><p>An idle page.</p></body></html>\\n\";\r\n";
  corvane::test::TVirtualDisplay display;
  if (display.Name().isEmpty()) {
    state.SkipWithError("Xvfb did not start");
    return;
  }
  for (auto _ : state) {
    QProcess corvane;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display.Name());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(folder));
    env.insert("CORVANE_REGISTRY", QString::fromStdString(folder + "/registry.sqlite3"));
    env.insert("CORVANE_TEST_REPORT_PAINT", "1");
    env.insert("CORVANE_TEST_DIALOG_ANSWERS", "");
    env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    corvane.setProcessEnvironment(env);
    corvane.start(QString::fromStdString(CorvaneTestCopy()), {QString::fromStdString(script)});
    if (!WaitForLine(corvane, "painted")) {
      state.SkipWithError("no first paint");
      return;
    }
    QThread::sleep(5);  // start-up work that trails the first paint, the browser engine's start among it
    const auto pid = static_cast<pid_t>(corvane.processId());
    state.counters["idle_cpu_percent"] = IdlePercent(pid);

    QString window;
    corvane::test::XdoTool(display.Name(), {"search", "--sync", "--onlyvisible", "--pid", QString::number(pid)}, &window);
    corvane::test::XdoTool(display.Name(), {"windowfocus", "--sync", window.split('\n').first()});
    corvane::test::XdoTool(display.Name(), {"key", "F9"});
    for (int i = 0; i < 300 && !PageWritten(folder + "/Corvane"); ++i) QThread::msleep(100);
    if (!PageWritten(folder + "/Corvane")) {
      state.SkipWithError("the run showed no page");
      return;
    }
    QThread::sleep(5);  // the browser engine starts and shows the page
    state.counters["after_run_cpu_percent"] = IdlePercent(pid);

    corvane::test::XdoTool(display.Name(), {"key", "F9"});  // back to Edit mode: the page view hides
    QThread::sleep(5);
    state.counters["back_to_edit_cpu_percent"] = IdlePercent(pid);

    corvane.terminate();
    corvane.waitForFinished(30000);
  }
  fs::remove_all(folder);
}

BENCHMARK(BM_IdleWindowCpu)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
