#include "common/TestApp.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace corvane::test {

void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "corvane-test";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QApplication> app = std::make_unique<QApplication>(argc, argv);
}

void PumpEvents(int milliseconds) {
  QDeadlineTimer deadline(milliseconds);
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (!deadline.hasExpired());
}

std::string MakeTempDir(const std::string& prefix) {
  QTemporaryDir dir(QDir::tempPath() + "/" + QString::fromStdString(prefix) + "-XXXXXX");
  dir.setAutoRemove(false);
  return dir.path().toStdString();
}

}  // namespace corvane::test
