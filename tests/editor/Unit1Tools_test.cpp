#include <gtest/gtest.h>

#include "common/MainWindow.h"
#include "common/TestFiles.h"
#include "editor/KoiConv.h"
#include "win/Shell.h"

using namespace Corvane;

namespace {

using Unit1Tools = corvane::test::MainWindowTest;

std::vector<std::string> LinesOf(TqzCustomEdit* editor) {
  std::vector<std::string> lines;
  for (int i = 0; i < editor->LineCount(); ++i) lines.push_back(editor->Lines()->Get(i));
  return lines;
}

void SetLines(TqzCustomEdit* editor, const std::vector<std::string>& lines) {
  editor->SetText(lines[0]);
  for (std::size_t i = 1; i < lines.size(); ++i) editor->Lines()->Add(lines[i]);
}

void Select(TqzCustomEdit* editor, TPoint from, TPoint to) {
  editor->SetCaretXY(to);
  editor->SetBlockBegin(from);
  editor->SetBlockEnd(to);
}

// Each command rewrites the selection alone, through the Tools menu and through the popup, and one
// undo brings the text back.
TEST_F(Unit1Tools, EachCommandRewritesTheSelectionAsOneUndoStep) {
  TForm1* form = Start();
  const struct {
    const char* name;
    TMenuItem* tool;
    TMenuItem* popup;
    std::vector<std::string> text;
    TPoint from, to;
    std::vector<std::string> expected;
  } cases[] = {
      // Two whole lines with the last line end: the empty item after it is commented too.
      {"comment", form->Comment1, form->PopComment1, {"one", "two", ""}, {1, 1}, {1, 3}, {"# one", "# two", "# "}},
      {"comment mid-line", form->Comment1, form->PopComment1, {"my $a;", "b"}, {4, 1}, {2, 2}, {"my # $a;", "# b"}},
      {"remove formatting", form->RemoveFormatting1, form->PopRemoveFormatting1,
       {"  if (1) {", "\t \x01print;", "}"}, {1, 1}, {2, 3}, {"if (1) {", "print;", "}"}},
      {"uppercase", form->Uppercase1, form->PopUppercase1, {"abc \xe0\xff xyz"}, {1, 1}, {12, 1},
       {"ABC \xe0\xff XYZ"}},
      {"lowercase", form->Lowercase1, form->PopLowercase1, {"ABC \xc0\xdf XYZ"}, {5, 1}, {12, 1},
       {"ABC \xc0\xdf xyz"}},
      {"url encode", form->UrlEncode1, form->PopUrlEncode1, {"q=a b&c"}, {3, 1}, {8, 1}, {"q=a+b%26c"}},
      {"url decode", form->UrlDecode1, form->PopUrlDecode1, {"x a+b%26c"}, {3, 1}, {10, 1}, {"x a b&c"}},
  };
  for (const auto& c : cases) {
    for (TMenuItem* item : {c.tool, c.popup}) {
      SCOPED_TRACE(std::string(c.name) + (item == c.tool ? " from the menu" : " from the popup"));
      form->Editor->ClearUndo();
      SetLines(form->Editor, c.text);
      form->Editor->SetCaretXY(TPoint{1, 1});
      // Without a selection the menu offers none of them.
      auto choose = [&] {
        return item == c.tool ? Choose(form->Tools1, item) : ChooseFromPopup(form->PopupMenu1, item);
      };
      EXPECT_FALSE(choose());
      Select(form->Editor, c.from, c.to);
      ASSERT_TRUE(choose());
      EXPECT_EQ(LinesOf(form->Editor), c.expected);
      Press(Qt::Key_Z, Qt::ControlModifier);
      EXPECT_EQ(LinesOf(form->Editor), c.text);
    }
  }
}

TEST_F(Unit1Tools, CommentHasItsShortCut) {
  TForm1* form = Start();
  form->Editor->SetText("a\nb");
  Select(form->Editor, {1, 1}, {2, 2});
  Press(Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(LinesOf(form->Editor), (std::vector<std::string>{"# a", "# b"}));
}

// With nothing selected the conversion takes the whole text, and back again gives every byte as it was.
TEST_F(Unit1Tools, KoiConversionRoundTripsTheWholeText) {
  TForm1* form = Start();
  const std::vector<std::string> text = {"print \"\xcf\xf0\xe8\xe2\xe5\xf2, \xa8\xb8\";", "# \xb9 \xa9 ~"};
  SetLines(form->Editor, text);
  form->Editor->SetCaretXY(TPoint{3, 2});
  Press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(LinesOf(form->Editor), (std::vector<std::string>{WinToKoi(text[0]), text[1]}));
  EXPECT_NE(form->Editor->Lines()->Get(0), text[0]);
  EXPECT_EQ(form->Editor->CaretXY(), (TPoint{3, 2}));
  Press(Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(LinesOf(form->Editor), text);
  // Only the selection when there is one.
  Select(form->Editor, {8, 1}, {10, 1});
  Press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(form->Editor->Lines()->Get(0), text[0].substr(0, 7) + WinToKoi(text[0].substr(7, 2)) + text[0].substr(9));
}

TEST_F(Unit1Tools, ThePopupEnablesWhatTheEditorCanDo) {
  TForm1* form = Start();
  form->Editor->SetText("abc");
  form->Editor->ClearUndo();
  form->PopupMenu1->Popup(0, 0);
  EXPECT_FALSE(form->PopUndo1->Enabled());
  for (TMenuItem* item : {form->PopCut1, form->PopCopy1, form->PopComment1, form->PopUrlDecode1})
    EXPECT_FALSE(item->Enabled()) << item->Caption();
  EXPECT_TRUE(form->PopSelectAll1->Enabled());
  SubMenuOf(form->PopupMenu1->Items())->hide();
  EXPECT_TRUE(ChooseFromPopup(form->PopupMenu1, form->PopSelectAll1));
  EXPECT_EQ(form->Editor->SelText(), "abc");
  QTest::keyClicks(WidgetOf(form->Editor), "x");
  form->PopupMenu1->Popup(0, 0);
  EXPECT_TRUE(form->PopUndo1->Enabled());
  EXPECT_FALSE(form->PopCut1->Enabled());
  SubMenuOf(form->PopupMenu1->Items())->hide();
  EXPECT_TRUE(ChooseFromPopup(form->PopupMenu1, form->PopUndo1));
  EXPECT_EQ(form->Editor->Lines()->Get(0), "abc");
}

// A quick insert replaces the selection with its text, from the menu and by its stored short-cut.
TEST_F(Unit1Tools, QuickInsertsGoInThroughTheMenuAndTheirShortCuts) {
  RegWriteString(kSettingsKey, "Quick7", "use strict;");
  RegWriteString(kSettingsKey, "QuickHotkey7", "Shift+Ctrl+F7");
  TForm1* form = Start();
  form->Editor->SetText("a xx b");
  Select(form->Editor, {3, 1}, {5, 1});
  ASSERT_TRUE(Choose(form->QuickInsert1, form->QuickItems[1]));
  EXPECT_EQ(form->Editor->Lines()->Get(0), "a print \"\\n\"; b");
  form->Editor->SetText("");
  form->Editor->SetCaretXY(TPoint{1, 1});
  Press(Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(form->Editor->Lines()->Get(0), "<html><head><title></title>");
  form->Editor->SetText("");
  form->Editor->SetCaretXY(TPoint{1, 1});
  Press(Qt::Key_F7, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(form->Editor->Lines()->Get(0), "use strict;");
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->Editor->Lines()->Get(0), "");
}

// The header takes the place of line 1, however often it is set, and where the caret is.
TEST_F(Unit1Tools, ThePerlHeaderReplacesTheFirstLine) {
  RegWriteString(kSettingsKey, "PerlHeader", "#!/usr/local/bin/perl -w");
  TForm1* form = Start();
  const struct {
    std::vector<std::string> text;
  } cases[] = {{{"#!/usr/bin/perl", "print 1;"}}, {{"", "print 1;"}}, {{"print 1;"}}};
  for (const auto& c : cases) {
    SetLines(form->Editor, c.text);
    form->Editor->SetCaretXY(TPoint{2, static_cast<int>(c.text.size())});
    Press(Qt::Key_H, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(Choose(form->QuickInsert1, form->SetPerlHeader1));
    std::vector<std::string> expected = c.text;
    expected[0] = "#!/usr/local/bin/perl -w";
    EXPECT_EQ(LinesOf(form->Editor), expected);
  }
}

// The desktop's text editor stands in for Notepad and gets the script's file.
TEST_F(Unit1Tools, LaunchNotepadHandsTheScriptToTheDesktopsEditor) {
  setenv("VISUAL", "/bin/true", 1);
  TForm1* form = Start();
  std::vector<TShellRequest> started;
  TShellHookScope hook([&](const TShellRequest& request) {
    started.push_back(request);
    return 33;
  });
  corvane::test::WriteFile(Path("a b.pl"), "1;\n");
  form->Open(Path("a b.pl"), false);
  EXPECT_TRUE(Choose(form->Tools1, form->LaunchNotepad1));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].File, "/bin/true");
  EXPECT_EQ(started[0].Parameters, "\"" + Path("a b.pl") + "\"");
  // No Dreamweaver here, so its item is hidden.
  EXPECT_FALSE(Choose(form->Tools1, form->LaunchDreamweaver1));
  unsetenv("VISUAL");
}

}  // namespace
