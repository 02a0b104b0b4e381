// The main window's Paste button while another program changes the clipboard, and what another
// program's text becomes when pasted, through a real X server with xclip as that program.
#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "common/EditorWindow.h"
#include "common/MissingTool.h"
#include "common/XClipboard.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "vcl/Clipbrd.h"
#include "win/WinUser.h"

using namespace Corvane;

namespace {

using corvane::test::TXClipboardDisplay;

[[maybe_unused]] const auto* const kDisplay = testing::AddGlobalTestEnvironment(new TXClipboardDisplay);

class Unit1EditXClipboard : public corvane::test::EditorWindowTest {
 protected:
  void SetUp() override {
    if (!TXClipboardDisplay::ToolsInstalled()) SKIP_WITHOUT_TOOL("Xvfb and xclip");
    ASSERT_FALSE(TXClipboardDisplay::Display().empty()) << "Xvfb did not start";
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

// Another program's text goes in whole: a character the code page lacks as "?", with one beep and one
// message that counts them and names the first, until the editor's next change.
TEST_F(Unit1EditXClipboard, APasteSaysHowManyCharactersItReplaced) {
  struct Case {
    const char* text;  // UTF-8, as the other program holds it
    bool byMenu;       // Edit > Paste, else Ctrl+V
    std::string line;  // in Windows-1251
    std::string status;
  };
  const std::string three = "Pasted as \"?\": 3 characters not in Windows-1251, the first U+00E9";
  const Case cases[] = {
      {"Привет", false, "\xCF\xF0\xE8\xE2\xE5\xF2", ""},
      {"P: é ü € ñ", false, "P: ? ? \x88 ?", three},
      {"P: é ü € ñ", true, "P: ? ? \x88 ?", three},
      {"x 😀", false, "x ?", "Pasted as \"?\": U+1F600, not in Windows-1251"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    form_->Editor->SetText("");
    corvane::test::XClip({"-i"}, QByteArray(c.text));
    ASSERT_TRUE(corvane::test::PumpUntil([&] { return QGuiApplication::clipboard()->text() == QString::fromUtf8(c.text); }));
    const int beeps = MessageBeepCount();
    if (c.byMenu)
      form_->Paste1->Click();
    else
      QTest::keyClick(WidgetOf(form_->Editor), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form_->Editor->Lines()->Get(0), c.line);
    EXPECT_EQ(form_->StatusBar1->SimplePanel() ? form_->StatusBar1->SimpleText() : "", c.status);
    EXPECT_EQ(MessageBeepCount() - beeps, c.status.empty() ? 0 : 1);
  }
  // The next change brings the panels back.
  QTest::keyClick(WidgetOf(form_->Editor), Qt::Key_Home);
  EXPECT_FALSE(form_->StatusBar1->SimplePanel());
}

}  // namespace
