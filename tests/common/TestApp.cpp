#include "common/TestApp.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <memory>

namespace corvane::test {

void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "corvane-test";
  static char* argv[] = {name, nullptr};
  // Kept to the end of the process on purpose: destroying it from an exit handler runs the browser
  // engine's clean-up after Qt's thread storage is gone, which crashes.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

void PumpEvents(int milliseconds) {
  QDeadlineTimer deadline(milliseconds);
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (!deadline.hasExpired());
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    PumpEvents(1);
  }
  return true;
}

void PumpPosted() {
  auto reached = std::make_shared<bool>(false);  // outlives a wait that gives up
  QTimer::singleShot(0, qApp, [reached] { *reached = true; });
  PumpUntil([&] { return *reached; });
}

std::string MakeTempDir(const std::string& prefix) {
  QTemporaryDir dir(QDir::tempPath() + "/" + QString::fromStdString(prefix) + "-XXXXXX");
  dir.setAutoRemove(false);
  return dir.path().toStdString();
}

}  // namespace corvane::test
