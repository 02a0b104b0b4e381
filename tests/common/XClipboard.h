#pragma once
// The clipboard shared with other programs through a real X server: a virtual display of the test's
// own, the xcb platform, and xclip as the other program.
#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "common/TestApp.h"

namespace corvane::test {

// An X server on a free display, started before the application object so that it connects there.
// A test executable registers one with testing::AddGlobalTestEnvironment; without Xvfb or xclip
// Display() stays empty.
class TXClipboardDisplay : public testing::Environment {
 public:
  static bool ToolsInstalled() {
    return !QStandardPaths::findExecutable("Xvfb").isEmpty() && !QStandardPaths::findExecutable("xclip").isEmpty();
  }
  void SetUp() override {
    if (!ToolsInstalled()) return;
    server_ = std::make_unique<QProcess>();
    server_->start("Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
    if (!server_->waitForStarted(-1) || !server_->waitForReadyRead(-1)) return;
    display_ = ":" + server_->readLine().trimmed().toStdString();
    setenv("DISPLAY", display_.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  void TearDown() override {
    if (!server_) return;
    // Asked to end, as the desktop tests' server is, so that it removes its socket instead of leaving a
    // dead one in the machine's X socket folder.
    server_->terminate();
    server_->waitForFinished(-1);
    server_.reset();
  }
  static const std::string& Display() { return display_; }

 private:
  std::unique_ptr<QProcess> server_;
  static inline std::string display_;
};

// Runs xclip on the clipboard selection with the arguments, feeding it Input; its output, or
// nothing when it failed. The event loop runs meanwhile, so this program can answer xclip.
inline QByteArray XClip(const QStringList& arguments, const QByteArray& input = {}) {
  QProcess xclip;
  xclip.start("xclip", QStringList{"-selection", "clipboard"} + arguments);
  if (!xclip.waitForStarted(-1)) return {};
  if (!input.isNull()) {
    xclip.write(input);
    xclip.closeWriteChannel();
  }
  if (!PumpUntil([&] { return xclip.state() == QProcess::NotRunning; })) return {};
  return xclip.exitCode() == 0 ? xclip.readAllStandardOutput() : QByteArray();
}

// Waits until the clipboard this program sees holds what another program put there.
inline bool ClipboardOffers(const char* mimeType) {
  return PumpUntil([mimeType] {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->ownsClipboard() ? nullptr : clipboard->mimeData();
    return data && data->hasFormat(mimeType);
  });
}

// The type under which the editor's column and line blocks travel.
inline const char* const kBlockMimeType = "application/x-qt-windows-mime;value=\"qzEdit Control Block Type\"";

}  // namespace corvane::test
