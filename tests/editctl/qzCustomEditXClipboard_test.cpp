// The editor's clipboard shared with other programs through a real X server: a virtual display of
// the test's own, the xcb platform, and xclip as the other program.
#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "EditText.h"
#include "TestEdit.h"
#include "editctl/qzCustomEdit.h"
#include "win/CodePage.h"

namespace {

using Lines = std::vector<std::string>;

// An X server on a free display, started before the application object so that it connects there.
class TXDisplay : public testing::Environment {
 public:
  void SetUp() override {
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xclip").isEmpty())
      return;
    server_ = std::make_unique<QProcess>();
    server_->start("Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
    if (!server_->waitForStarted(5000) || !server_->waitForReadyRead(10000)) return;
    display_ = ":" + server_->readLine().trimmed().toStdString();
    setenv("DISPLAY", display_.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  void TearDown() override {
    if (!server_) return;
    server_->kill();
    server_->waitForFinished(5000);
    server_.reset();
  }
  static const std::string& Display() { return display_; }

 private:
  std::unique_ptr<QProcess> server_;
  static inline std::string display_;
};

[[maybe_unused]] const auto* const kDisplay = testing::AddGlobalTestEnvironment(new TXDisplay);

// Runs xclip on the clipboard selection with the arguments, feeding it Input; its output, or
// nothing when it failed. The event loop runs meanwhile, so this program can answer xclip.
QByteArray XClip(const QStringList& arguments, const QByteArray& input = {}) {
  QProcess xclip;
  xclip.start("xclip", QStringList{"-selection", "clipboard"} + arguments);
  if (!xclip.waitForStarted(5000)) return {};
  if (!input.isNull()) {
    xclip.write(input);
    xclip.closeWriteChannel();
  }
  if (!corvane::test::PumpUntil([&] { return xclip.state() == QProcess::NotRunning; }, 15000)) return {};
  return xclip.exitCode() == 0 ? xclip.readAllStandardOutput() : QByteArray();
}

class XClipboard : public testing::Test {
 protected:
  void SetUp() override {
    if (TXDisplay::Display().empty()) GTEST_SKIP() << "needs Xvfb and xclip";
    corvane::test::EnsureApplication();
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    SetACP(TAnsiCodePage::cp1251);
    edit = std::make_unique<TTestEdit>();
    SetLines(*edit, {"\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!", "one two", "three four"});
  }

  // Waits until the clipboard this program sees holds what another program put there.
  static bool ClipboardOffers(const char* mimeType) {
    return corvane::test::PumpUntil([mimeType] {
      const QClipboard* clipboard = QGuiApplication::clipboard();
      const QMimeData* data = clipboard->ownsClipboard() ? nullptr : clipboard->mimeData();
      return data && data->hasFormat(mimeType);
    });
  }

  void Press(Qt::Key key) { QTest::keyClick(edit->Widget(), key, Qt::ControlModifier); }

  std::unique_ptr<TTestEdit> edit;
};

TEST_F(XClipboard, CyrillicCopiedHereReadsBackAsUtf8Elsewhere) {
  edit->SetBlockBegin(TPoint{1, 1});
  edit->SetBlockEnd(TPoint{4, 2});
  Press(Qt::Key_C);
  // With the line ends of this desktop.
  EXPECT_EQ(XClip({"-o"}).toStdString(), "Привет, мир!\none");
  // The block with its mode goes under a type of its own, beside the text.
  EXPECT_TRUE(XClip({"-o", "-t", "TARGETS"}).contains("qzEdit Control Block Type"));
}

TEST_F(XClipboard, Utf8PutThereByAnotherProgramPastesInTheCodePage) {
  XClip({"-i"}, QByteArray("Добрый день €"));
  ASSERT_TRUE(ClipboardOffers("text/plain"));
  edit->SetCaretXY(TPoint{1, 2});
  Press(Qt::Key_V);
  EXPECT_EQ(edit->Lines()->Get(1), "\xC4\xEE\xE1\xF0\xFB\xE9 \xE4\xE5\xED\xFC \x88one two");
}

TEST_F(XClipboard, AColumnBlockKeepsItsModeOnTheWayThroughTheServer) {
  edit->SetSelectionMode(smColumn);
  edit->SetBlockBegin(TPoint{1, 2});
  edit->SetBlockEnd(TPoint{4, 3});
  Press(Qt::Key_C);
  edit->SetSelectionMode(smNormal);
  edit->SetCaretXY(TPoint{8, 2});
  edit->SetBlockBegin(edit->CaretXY());
  Press(Qt::Key_V);
  EXPECT_EQ(LinesOf(*edit), (Lines{"\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!", "one twoone", "three fthrour"}));
}

TEST_F(XClipboard, AnEmptyOrAPictureClipboardPastesNothing) {
  const auto before = LinesOf(*edit);
  struct Case {
    const char* type;
    QByteArray data;
  };
  for (const Case& c : {Case{"text/plain", QByteArray("")}, Case{"image/png", QByteArray("\x89PNG\r\n", 6)}}) {
    SCOPED_TRACE(c.type);
    XClip({"-i", "-t", c.type}, c.data);
    ASSERT_TRUE(ClipboardOffers(c.type));
    edit->SetBlockBegin(TPoint{1, 2});
    edit->SetBlockEnd(TPoint{4, 2});
    Press(Qt::Key_V);
    EXPECT_EQ(LinesOf(*edit), before);
    EXPECT_FALSE(edit->CanUndo());
  }
}

}  // namespace
