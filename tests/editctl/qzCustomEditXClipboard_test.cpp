// The editor's clipboard shared with other programs through a real X server: a virtual display of
// the test's own, the xcb platform, and xclip as the other program.
#include <QByteArray>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EditText.h"
#include "TestEdit.h"
#include "common/MissingTool.h"
#include "common/XClipboard.h"
#include "editctl/qzCustomEdit.h"
#include "qt/QtSide.h"
#include "win/CodePage.h"

namespace {

using Lines = std::vector<std::string>;
using corvane::test::ClipboardOffers;
using corvane::test::kBlockMimeType;
using corvane::test::TXClipboardDisplay;
using corvane::test::XClip;

[[maybe_unused]] const auto* const kDisplay = testing::AddGlobalTestEnvironment(new TXClipboardDisplay);

class XClipboard : public testing::Test {
 protected:
  void SetUp() override {
    if (!TXClipboardDisplay::ToolsInstalled()) SKIP_WITHOUT_TOOL("Xvfb and xclip");
    ASSERT_FALSE(TXClipboardDisplay::Display().empty()) << "Xvfb did not start";
    corvane::test::EnsureApplication();
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    SetACP(TAnsiCodePage::cp1251);
    edit = std::make_unique<TTestEdit>();
    SetLines(*edit, {"\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!", "one two", "three four"});
  }

  void Press(Qt::Key key) { QTest::keyClick(WidgetOf(edit.get()), key, Qt::ControlModifier); }

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
  // A character the code page lacks arrives as "?", and the editor tells of it once it has told of the
  // paste's change, so a status shown for it is not overwritten; the rest of the paste goes in.
  XClip({"-i"}, QByteArray("Добрый день € 中 ok"));
  ASSERT_TRUE(ClipboardOffers("text/plain"));
  std::string told;  // "s" for each status change, "?" and the character for the replaced ones
  edit->OnStatusChange = [&told](TObject*, TqzStatusChanges) { told += "s"; };
  edit->OnUnmappedChars = [&told](TObject*, const TUnmappedChars& chars, bool replaced) {
    if (replaced && chars.Count == 1 && chars.First == U'中') told += "?";
  };
  edit->SetCaretXY(TPoint{1, 2});
  told.clear();
  Press(Qt::Key_V);
  EXPECT_EQ(edit->Lines()->Get(1), "\xC4\xEE\xE1\xF0\xFB\xE9 \xE4\xE5\xED\xFC \x88 ? okone two");
  EXPECT_EQ(edit->CaretXY(), (TPoint{19, 2}));
  EXPECT_EQ(told, "s?");
}

TEST_F(XClipboard, AColumnBlockKeepsItsModeOnTheWayThroughTheServer) {
  // Copied here, the block reaches another program with its mode byte first.
  edit->SetSelectionMode(smColumn);
  edit->SetBlockBegin(TPoint{1, 2});
  edit->SetBlockEnd(TPoint{4, 3});
  Press(Qt::Key_C);
  EXPECT_EQ(XClip({"-o", "-t", kBlockMimeType}), QByteArray("\x01one\r\nthr\0", 10));

  // Put there by another program, it pastes as a column, whatever the mode here.
  XClip({"-i", "-t", kBlockMimeType}, QByteArray("\x01" "AB\r\nCD\0", 8));
  ASSERT_TRUE(ClipboardOffers(kBlockMimeType));
  edit->SetSelectionMode(smNormal);
  edit->SetCaretXY(TPoint{8, 2});
  edit->SetBlockBegin(edit->CaretXY());
  Press(Qt::Key_V);
  EXPECT_EQ(LinesOf(*edit), (Lines{"\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!", "one twoAB", "three fCDour"}));
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
