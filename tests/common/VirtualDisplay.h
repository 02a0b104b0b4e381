#pragma once
// A private X server for tests that need a real desktop (focus, window titles, keys typed by xdotool,
// the CPU a real window takes), and xdotool run against it.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>

namespace corvane::test {

// Xvfb and xdotool, which a test on a virtual display needs.
inline bool VirtualDisplayToolsInstalled() {
  return !QStandardPaths::findExecutable("Xvfb").isEmpty() && !QStandardPaths::findExecutable("xdotool").isEmpty();
}

// An X server of its own on a free display, for as long as the object lives.
class TVirtualDisplay {
 public:
  TVirtualDisplay() {
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (server_.waitForStarted(-1) && server_.waitForReadyRead(-1))
      display_ = ":" + server_.readLine().trimmed();
  }
  ~TVirtualDisplay() {
    server_.terminate();
    server_.waitForFinished(-1);
  }
  const QString& Name() const { return display_; }
  // Whether the server still runs, and what it said: for the message of a test that could not reach it.
  QString Report() {
    return QString("Xvfb %1; it said: %2")
        .arg(server_.state() == QProcess::Running ? "runs" : "has ended")
        .arg(QString::fromLocal8Bit(server_.readAllStandardError().right(2000)));
  }

 private:
  QProcess server_;
  QString display_;
};

// Runs xdotool on the display once; true when it succeeded.
inline bool XdoToolOnce(const QString& display, const QStringList& arguments, QString* output) {
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DISPLAY", display);
  tool.setProcessEnvironment(environment);
  tool.start("xdotool", arguments);
  if (!tool.waitForFinished(-1) || tool.exitCode() != 0) return false;
  if (output) *output = QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
  return true;
}

// Runs xdotool on the display; true when it succeeded. A search that waits for its window ("--sync")
// is asked again until it finds one: xdotool's own wait gives up when a window of the tree it walks
// goes away under it (an X error), which a busy start of a program does often.
inline bool XdoTool(const QString& display, const QStringList& arguments, QString* output = nullptr) {
  if (arguments.value(0) != "search" || !arguments.contains("--sync")) return XdoToolOnce(display, arguments, output);
  QStringList once = arguments;
  once.removeAll("--sync");
  QString found;
  while (!XdoToolOnce(display, once, &found) || found.isEmpty()) QThread::msleep(100);
  if (output) *output = found;
  return true;
}

}  // namespace corvane::test
