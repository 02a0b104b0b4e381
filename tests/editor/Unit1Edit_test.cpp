// The main window's Edit menu, popup and tool-bar buttons over the editor and the clipboard, files
// dropped on the editor, and what it says of typed characters its code page lacks.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/DragInput.h"
#include "common/MainWindow.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/UserInput.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "win/Shell.h"
#include "win/WinUser.h"

using namespace Corvane;

namespace {

class Unit1Edit : public corvane::test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Start();
    QGuiApplication::clipboard()->clear();
  }

  TqzCustomEdit* Editor() const { return form_->Editor; }
};

TEST_F(Unit1Edit, ThreeDroppedFilesOpenTheFirstAndStartAWindowForEachOther) {
  std::vector<std::string> files;
  for (const char* name : {"first.pl", "second file.pl", "third.cgi"}) {
    files.push_back(dir_ + "/" + name);
    corvane::test::WriteFile(files.back(), std::string("# ") + name + "\r\n");
  }
  std::vector<TShellRequest> started;
  const TShellHookScope shell([&](const TShellRequest& request) {
    started.push_back(request);
    return 33;
  });
  ASSERT_TRUE(corvane::test::DropFileUrls(WidgetOf(Editor()), QPoint(60, 30), files));
  EXPECT_EQ(form_->CurrentFileName(), files[0]);
  EXPECT_EQ(Editor()->Lines()->Get(0), "# first.pl");
  ASSERT_EQ(started.size(), 2u);
  for (std::size_t i = 0; i < started.size(); ++i) {
    EXPECT_EQ(started[i].File, Application->ExeName());
    EXPECT_EQ(started[i].Parameters, files[i + 1]);
    EXPECT_EQ(started[i].ShowCmd, SW_SHOWNORMAL);
  }
}

TEST_F(Unit1Edit, TheEditItemsAndButtonsFollowTheSelectionTheUndoListAndTheClipboard) {
  Editor()->SetText("one two\r\nthree\r\n");
  Editor()->ClearUndo();
  auto expectEnabled = [&](bool undo, bool redo, bool cutCopy, bool paste) {
    form_->Edit1->Click();  // what opening the menu does
    form_->PopupMenu1->OnPopup(form_->PopupMenu1);
    EXPECT_EQ(form_->Undo1->Enabled(), undo);
    EXPECT_EQ(form_->PopUndo1->Enabled(), undo);
    EXPECT_EQ(form_->UndoButton->Enabled(), undo);
    EXPECT_EQ(form_->Redo1->Enabled(), redo);
    for (TMenuItem* item : {form_->Cut1, form_->Copy1, form_->PopCut1, form_->PopCopy1, form_->PopComment1})
      EXPECT_EQ(item->Enabled(), cutCopy) << item->Name();
    EXPECT_EQ(form_->CutButton->Enabled(), cutCopy);
    EXPECT_EQ(form_->Paste1->Enabled(), paste);
    EXPECT_EQ(form_->PopPaste1->Enabled(), paste);
    EXPECT_EQ(form_->PasteButton->Enabled(), paste);
    EXPECT_TRUE(form_->PopSelectAll1->Enabled());
  };
  {
    SCOPED_TRACE("nothing yet");
    Press(Qt::Key_End, Qt::NoModifier);
    expectEnabled(false, false, false, false);
  }
  {
    SCOPED_TRACE("a word selected");
    Press(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    expectEnabled(false, false, true, false);
  }
  {
    SCOPED_TRACE("cut with the menu's short-cut");
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Editor()->Lines()->Get(0), "one");
    expectEnabled(true, false, false, true);
  }
  {
    SCOPED_TRACE("undone");
    form_->UndoButton->Click();
    EXPECT_EQ(Editor()->Lines()->Get(0), "one two");
    expectEnabled(false, true, true, true);
  }
}

TEST_F(Unit1Edit, CopyAllAndCopyCurrentLineGiveTheirTextAsPlainText) {
  Editor()->SetText("first\r\nsecond\r\n");
  Editor()->SetCaretXY(TPoint{2, 2});
  Press(Qt::Key_C, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "second");
  Press(Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "first\nsecond\n");
  // Plain text: pasted back it goes in as a stream.
  Editor()->SetCaretXY(TPoint{1, 1});
  form_->Paste1->Click();
  EXPECT_EQ(Editor()->Lines()->Get(0), "first");
  EXPECT_EQ(Editor()->Lines()->Get(2), "first");
}

// A character the code page lacks, typed or composed, is refused with a beep and named in the status
// bar until the editor's next change; the rest of what was typed goes in.
TEST_F(Unit1Edit, TypedCharactersTheCodePageLacksAreRefusedAloud) {
  enum class TWay { Typed, Composed, Pressed };
  struct Input {
    TWay way;
    const char* text;  // UTF-8
    Qt::Key key;
  };
  struct Case {
    std::vector<Input> inputs;
    std::string line;    // in Windows-1251
    std::string status;  // over the whole bar; empty while the bar shows its panels
    int beeps;
  };
  const Case cases[] = {
      {{{TWay::Typed, "é ü ж", {}}}, "x  \xE6", "", 2},  // the space and the letter after each one change the text
      {{{TWay::Typed, "é", {}}}, "x", "Not typed: U+00E9 is not in Windows-1251", 1},
      {{{TWay::Typed, "€ж", {}}}, "x\x88\xE6", "", 0},
      {{{TWay::Typed, "😀", {}}}, "x", "Not typed: U+1F600 is not in Windows-1251", 1},
      {{{TWay::Typed, "é", {}}, {TWay::Pressed, "", Qt::Key_Left}}, "x", "", 1},
      {{{TWay::Composed, "日本", {}}}, "x", "Not typed: 2 characters not in Windows-1251, the first U+65E5", 1},
      {{{TWay::Composed, "naïve", {}}}, "xnave", "Not typed: U+00EF is not in Windows-1251", 1},
      {{{TWay::Composed, "мир", {}}}, "x\xEC\xE8\xF0", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Editor()->SetText("x");
    Editor()->SetCaretXY(TPoint{2, 1});
    const int beeps = MessageBeepCount();
    for (const Input& input : c.inputs) {
      const QString text = QString::fromUtf8(input.text);
      if (input.way == TWay::Typed) corvane::test::TypeText(WidgetOf(Editor()), text);
      if (input.way == TWay::Composed) corvane::test::CommitText(*Editor(), text);
      if (input.way == TWay::Pressed) Press(input.key, Qt::NoModifier);
    }
    EXPECT_EQ(Editor()->Lines()->Get(0), c.line);
    EXPECT_EQ(form_->StatusBar1->SimplePanel() ? form_->StatusBar1->SimpleText() : "", c.status);
    EXPECT_EQ(MessageBeepCount() - beeps, c.beeps);
  }
}

}  // namespace
