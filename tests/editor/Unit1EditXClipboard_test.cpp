// The main window's Paste button while another program changes the clipboard, through a real X
// server with xclip as that program.
#include <QByteArray>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "common/EditorWindow.h"
#include "common/XClipboard.h"
#include "editor/Unit1.h"
#include "vcl/Clipbrd.h"

namespace {

using corvane::test::TXClipboardDisplay;

[[maybe_unused]] const auto* const kDisplay = testing::AddGlobalTestEnvironment(new TXClipboardDisplay);

class Unit1EditXClipboard : public corvane::test::EditorWindowTest {
 protected:
  void SetUp() override {
    if (TXClipboardDisplay::Display().empty()) GTEST_SKIP() << "needs Xvfb and xclip";
    EditorWindowTest::SetUp();
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
  }
};

TEST_F(Unit1EditXClipboard, ThePasteButtonFollowsWhatAnotherProgramPutsOnTheClipboard) {
  // Told after the window, which listened first.
  int changes = 0;
  const TClipboardViewer counter([&changes](TObject*) { ++changes; });
  struct Case {
    const char* type;
    QByteArray data;
    bool canPaste;
  };
  const Case cases[] = {
      {"text/plain", QByteArray("print 1;"), true},
      {"image/png", QByteArray("\x89PNG\r\n", 6), false},
      {"text/plain", QByteArray("Привет"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    const int before = changes;
    corvane::test::XClip({"-i", "-t", c.type}, c.data);
    ASSERT_TRUE(corvane::test::ClipboardOffers(c.type));
    ASSERT_TRUE(corvane::test::PumpUntil([&] { return changes > before; }));
    EXPECT_EQ(form_->PasteButton->Enabled(), c.canPaste);
  }
}

}  // namespace
