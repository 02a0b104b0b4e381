// The completion popup opened from an editor with Ctrl+Space, driven by real keys and clicks: the word
// it starts with, how typing narrows it, and what Enter, a click or Esc leave in the text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

#include "common/TestApp.h"
#include "common/UserInput.h"
#include "editctl/qzCustomEdit.h"
#include "editaddons/qzCompletionProposal.h"
#include "qt/QtSide.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"

namespace {

using namespace corvane::test;

const std::vector<std::string> Items = {"#!/usr/bin/perl", "$line", "foreach", "print", "print $line",
                                        "while", "chomp", "open", "close", "die"};

class CompletionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    host_.reset(CreateForm<TForm>(nullptr));
    host_->SetBounds(40, 30, 500, 300);
    editor_ = new TqzCustomEdit(host_.get());
    editor_->SetParent(host_.get());
    editor_->SetBounds(0, 0, 500, 300);
    Bind();
    host_->Show();
    editor_->SetFocus();
    Settle();
  }
  void TearDown() override {
    compl_.reset();
    host_.reset();
  }

  // A fresh popup over the items, bound to the editor.
  void Bind() {
    compl_ = std::make_unique<TQzCompletionProposal>(nullptr);
    TStringList items;
    for (const std::string& item : Items) items.Add(item);
    compl_->SetItemList(&items);
    compl_->SetEditor(editor_);
  }
  // Puts one line in the editor with the caret at a 1-based column.
  void Start(const std::string& line, int column) {
    editor_->Lines()->SetText(line);
    editor_->SetCaretXY(TPoint{column, 1});
  }
  void Open() {
    Press(*editor_, Qt::Key_Space, Qt::ControlModifier);
    Settle();
  }
  TCompletionProposalForm* Popup() const { return compl_->Form(); }
  TWinControl& List() const { return *Popup()->ActiveControl(); }
  std::string Selected() const { return Popup()->ItemList()->Strings(Popup()->Position()); }

  std::unique_ptr<TForm> host_;
  TqzCustomEdit* editor_ = nullptr;
  std::unique_ptr<TQzCompletionProposal> compl_;
};

struct Case {
  const char* Name;
  std::string Line;
  int Column;
  std::string Typed;     // typed into the open popup
  Qt::Key Ends;          // Enter or Esc
  std::string Word;      // what the popup holds before the end key
  std::string Selected;  // the item selected then
  std::string After;     // the line afterwards
};

TEST_F(CompletionTest, WordBeforeCaretIsReplacedOrKept) {
  const Case cases[] = {
      {"empty word", "print ", 7, "", Qt::Key_Return, "", "#!/usr/bin/perl", "print #!/usr/bin/perl"},
      {"caret at line start", "print $li", 1, "", Qt::Key_Return, "", "#!/usr/bin/perl", "#!/usr/bin/perlprint $li"},
      {"no match keeps the selection", "zzz", 4, "", Qt::Key_Return, "zzz", "#!/usr/bin/perl", "#!/usr/bin/perl"},
      {"one match after a space", "print $li", 10, "", Qt::Key_Return, "$li", "$line", "print $line"},
      {"word at line start", "whi", 4, "", Qt::Key_Return, "whi", "while", "while"},
      {"stops at an end-of-token character", "die(pri", 8, "", Qt::Key_Return, "pri", "print", "die(print"},
      {"typing narrows", "c", 2, "lo", Qt::Key_Return, "clo", "close", "close"},
      {"typing past the end of the list", "wh", 3, "ilex", Qt::Key_Return, "whilex", "while", "while"},
      {"Esc keeps the text", "pr", 3, "i", Qt::Key_Escape, "pri", "print", "pri"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Bind();
    Start(c.Line, c.Column);
    Open();
    ASSERT_TRUE(Popup()->Visible());
    Type(List(), c.Typed);
    EXPECT_EQ(Popup()->CurrentString(), c.Word);
    EXPECT_EQ(Selected(), c.Selected);
    Press(List(), c.Ends);
    EXPECT_EQ(editor_->LineText(), c.After);
    EXPECT_TRUE(PumpUntil([&] { return !Popup()->Visible(); }));
    // A fresh binding per case: the editor's hooks go back to what they were.
    compl_.reset();
  }
}

TEST_F(CompletionTest, ShortCutTypesNothingAndReadOnlyNeverOpens) {
  Start("ab", 3);
  Open();
  EXPECT_TRUE(Popup()->Visible());
  EXPECT_EQ(editor_->LineText(), "ab");
  Press(List(), Qt::Key_Escape);
  ASSERT_TRUE(PumpUntil([&] { return !Popup()->Visible(); }));

  editor_->SetReadOnly(true);
  Open();
  EXPECT_FALSE(Popup()->Visible());
  EXPECT_EQ(editor_->LineText(), "ab");
}

TEST_F(CompletionTest, BackspaceRemovesFromWordAndText) {
  Start("pr", 3);
  Open();
  Type(List(), "x");
  EXPECT_EQ(editor_->LineText(), "prx");
  Press(List(), Qt::Key_Backspace);
  EXPECT_EQ(Popup()->CurrentString(), "pr");
  EXPECT_EQ(editor_->LineText(), "pr");
  EXPECT_EQ(Selected(), "print");
}

TEST_F(CompletionTest, KeysMoveTheSelectionWithinTheList) {
  Start("", 1);
  Open();
  struct Step {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    int Position;
  } steps[] = {
      {Qt::Key_Up, Qt::NoModifier, 0},         {Qt::Key_PageDown, Qt::NoModifier, 6},
      {Qt::Key_PageDown, Qt::NoModifier, 9},   {Qt::Key_Down, Qt::NoModifier, 9},
      {Qt::Key_PageUp, Qt::NoModifier, 3},     {Qt::Key_Home, Qt::NoModifier, 3},
      {Qt::Key_End, Qt::ControlModifier, 9},   {Qt::Key_Home, Qt::ControlModifier, 0},
      {Qt::Key_Down, Qt::ControlModifier, 9},  {Qt::Key_Up, Qt::ControlModifier, 0},
      {Qt::Key_Down, Qt::NoModifier, 1},
  };
  for (const Step& s : steps) {
    Press(List(), s.Key, s.Modifiers);
    EXPECT_EQ(Popup()->Position(), s.Position) << "after key " << s.Key;
    EXPECT_LE(Popup()->ScrollPosition(), Popup()->Position());
    EXPECT_GT(Popup()->ScrollPosition() + Popup()->NbLinesInWindow(), Popup()->Position());
  }
}

TEST_F(CompletionTest, ScrollingKeepsTheSelectionOnAVisibleRow) {
  Start("", 1);
  Open();
  TScrollBar& bar = *Popup()->ScrollBar();
  ASSERT_EQ(bar.Max(), 4);
  // The bar's lower arrow scrolls one row: the top row, selected, leaves the window.
  Click(bar, {bar.Width() / 2, bar.Height() - 3});
  EXPECT_EQ(Popup()->ScrollPosition(), 1);
  EXPECT_EQ(Popup()->Position(), 1);
  EXPECT_FALSE(bar.Focused());
}

TEST_F(CompletionTest, AnsiStringsIgnoresAsciiCase) {
  Popup()->ItemList()->Clear();
  Popup()->ItemList()->Add("while");
  Popup()->ItemList()->Add("foreach my $x");
  compl_->SetCurrentString("Foreach");
  EXPECT_EQ(compl_->Position(), 0);
  compl_->SetAnsiStrings(true);
  compl_->SetCurrentString("Foreach");
  EXPECT_EQ(compl_->Position(), 1);
}

TEST_F(CompletionTest, ClickChoosesTheRowUnderTheMouse) {
  Start("x", 2);
  Open();
  const int h = Popup()->ItemHeight();
  Click(List(), {10, 3 * h + h / 2});
  EXPECT_EQ(Selected(), "print");
  Press(List(), Qt::Key_Return);
  EXPECT_EQ(editor_->LineText(), "print");
}

TEST_F(CompletionTest, PopupIsDrawnJustBelowTheCaret) {
  Start("    print $li", 14);
  Open();
  const TPoint caret =
      editor_->ClientToScreen(TPoint{editor_->CaretXPix(), editor_->CaretYPix() + editor_->LineHeight()});
  EXPECT_EQ(Popup()->Left(), caret.x);
  EXPECT_EQ(Popup()->Top(), caret.y);

  QWidget* window = WidgetOf(Popup());
  ASSERT_TRUE(PumpUntil([&] { return window->isVisible(); }));
  EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(caret.x, caret.y));
  const QImage shot = window->grab().toImage();
  const int h = Popup()->ItemHeight();
  const QColor black(Qt::black);
  // The frame along the edges, the selected row ("$line") in the selection colour.
  EXPECT_EQ(shot.pixelColor(0, 0), black);
  EXPECT_EQ(shot.pixelColor(shot.width() - 1, shot.height() - 1), black);
  const TColor sel = ColorToRGB(Popup()->ClSelect());
  const QColor selected(GetRValue(sel), GetGValue(sel), GetBValue(sel));
  const int x = Popup()->ScrollBar()->Left() - 3;
  EXPECT_EQ(shot.pixelColor(x, 1 + h + h / 2), selected);
  EXPECT_NE(shot.pixelColor(x, 1 + h / 2), selected);
}

}  // namespace
