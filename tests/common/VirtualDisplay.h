#pragma once
// A private X server for tests that need a real desktop (focus, window titles, keys typed by xdotool,
// the CPU a real window takes), and xdotool run against it.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

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

 private:
  QProcess server_;
  QString display_;
};

// Runs xdotool on the display; true when it succeeded.
inline bool XdoTool(const QString& display, const QStringList& arguments, QString* output = nullptr) {
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DISPLAY", display);
  tool.setProcessEnvironment(environment);
  tool.start("xdotool", arguments);
  if (!tool.waitForFinished(-1) || tool.exitCode() != 0) return false;
  if (output) *output = QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
  return true;
}

}  // namespace corvane::test
