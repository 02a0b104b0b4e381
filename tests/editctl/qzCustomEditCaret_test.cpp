#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "EditText.h"
#include "TestEdit.h"
#include "common/UserInput.h"
#include "editctl/qzCustomEdit.h"
#include "qt/QtSide.h"
#include "win/Caret.h"
#include "win/HintWindow.h"
#include "win/ScrollBars.h"

namespace {

class Caret : public testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    edit = std::make_unique<TTestEdit>();
  }

  void Select(TSelectionMode mode, TPoint begin, TPoint end) {
    edit->SetSelectionMode(mode);
    edit->SetBlock(begin, end);
  }

  std::unique_ptr<TTestEdit> edit;
};

TEST_F(Caret, PositionsAreClampedWithAndWithoutScrollPastEol) {
  struct Case {
    TPoint asked;
    bool pastEol;
    TPoint expected;
  };
  const Case cases[] = {
      {{5000, 1}, true, {1025, 1}}, {{5000, 1}, false, {6, 1}}, {{0, 1}, false, {1, 1}},
      {{-3, 2}, true, {1, 2}},      {{3, 99}, false, {3, 2}},   {{10, 2}, true, {10, 2}},
      {{10, 2}, false, {3, 2}},     {{4, 0}, false, {1, 1}},    {{4, 0}, true, {4, 1}},
  };
  SetLines(*edit, {"hello", "ab"});
  for (const Case& c : cases) {
    edit->SetOption(qzeoScrollPastEol, c.pastEol);
    edit->SetCaretXY(TPoint{1, 1});
    edit->SetCaretXY(c.asked);
    EXPECT_EQ(edit->CaretXY(), c.expected) << c.asked.x << "," << c.asked.y << (c.pastEol ? " past eol" : "");
  }
}

TEST_F(Caret, SelTextInEachMode) {
  struct Case {
    TSelectionMode mode;
    TPoint begin, end;
    const char* text;
  };
  const Case cases[] = {
      {smNormal, {2, 1}, {3, 1}, "b"},
      {smNormal, {3, 3}, {5, 1}, "ef\r\ngh\r\nkl"},  // the stored ends may come in any order
      {smColumn, {2, 1}, {5, 3}, "bcd\r\nh  \r\nlmn"},  // a short line is padded to the block
      {smColumn, {5, 3}, {2, 1}, "bcd\r\nh  \r\nlmn"},
      {smColumn, {3, 1}, {3, 3}, ""},  // both ends in one column: no selection
      {smLine, {4, 1}, {1, 2}, "abcdef\r\ngh\r\n"},
      {smLine, {1, 2}, {2, 3}, "gh\r\nklmnop"},  // no line end after the last line
  };
  SetLines(*edit, {"abcdef", "gh", "klmnop"});
  for (const Case& c : cases) {
    Select(c.mode, c.begin, c.end);
    EXPECT_EQ(edit->SelText(), c.text) << c.mode << " " << c.begin.x << "," << c.begin.y;
    EXPECT_EQ(edit->SelectionAvailable(), *c.text != '\0');
  }
}

TEST_F(Caret, StreamInsertionSplitsTheLineAndMovesMarksBelow) {
  SetLines(*edit, {"ab", "cd"});
  auto mark = std::make_unique<TMark>(edit.get());
  mark->SetLine(2);
  TMark* below = mark.get();
  edit->Marks()->Add(std::move(mark));

  edit->SetCaretXY(TPoint{2, 1});
  edit->SetSelTextPrimitive(smNormal, "x\r\ny");
  EXPECT_EQ(LinesOf(*edit), (std::vector<std::string>{"ax", "yb", "cd"}));
  EXPECT_EQ(edit->CaretXY(), (TPoint{2, 2}));
  EXPECT_EQ(below->Line(), 3);
}

TEST_F(Caret, ColumnInsertionTakesEveryKindOfLineBreak) {
  SetLines(*edit, {"abc", "def", "gh"});
  edit->SetCaretXY(TPoint{2, 1});
  edit->SetSelTextPrimitive(smColumn, "X\nY\r\nZ");
  EXPECT_EQ(LinesOf(*edit), (std::vector<std::string>{"aXbc", "dYef", "gZh"}));

  // Past the last line each segment starts a new line at the column.
  edit->SetCaretXY(TPoint{4, 3});
  int width = 0;
  edit->SetSelTextPrimitive(smColumn, "12\r45\n78", &width);
  EXPECT_EQ(LinesOf(*edit), (std::vector<std::string>{"aXbc", "dYef", "gZh12", "   45", "   78"}));
  EXPECT_EQ(width, 2);
  EXPECT_EQ(edit->CaretXY(), (TPoint{6, 5}));
}

// Marks below a deletion move up with their lines; a mark whose line is removed whole goes with it.
TEST_F(Caret, DeletingSelectionsMovesMarks) {
  struct Case {
    TSelectionMode mode;
    TPoint begin, end;
    std::vector<std::string> lines;
    std::vector<int> marks;  // the lines of the marks left, of those on lines 2, 3 and 5 before
  };
  const Case cases[] = {
      {smNormal, {2, 2}, {2, 4}, {"l1", "l4", "l5"}, {2, 3}},   // line 3 goes; line 4's rest joins line 2
      {smLine, {1, 3}, {1, 4}, {"l1", "l2", "l5"}, {2, 3}},     // lines 3 and 4 go
      {smColumn, {1, 2}, {2, 4}, {"l1", "2", "3", "4", "l5"}, {2, 3, 5}},
  };
  for (const Case& c : cases) {
    edit = std::make_unique<TTestEdit>();
    SetLines(*edit, {"l1", "l2", "l3", "l4", "l5"});
    for (int line : {2, 3, 5}) {
      auto mark = std::make_unique<TMark>(edit.get());
      mark->SetLine(line);
      edit->Marks()->Add(std::move(mark));
    }
    Select(c.mode, c.begin, c.end);
    edit->SetSelTextPrimitive(c.mode, "");
    EXPECT_EQ(LinesOf(*edit), c.lines) << c.mode;
    std::vector<int> marks;
    for (int i = 0; i < edit->Marks()->Count(); ++i) marks.push_back(edit->Marks()->Items(i)->Line());
    EXPECT_EQ(marks, c.marks) << c.mode;
  }
}

TEST_F(Caret, SelectWordAt) {
  struct Case {
    const char* line;
    int column;
    TPoint begin, end;
  };
  const Case cases[] = {
      {"hello world", 3, {1, 1}, {6, 1}},  // a word at the line start selects from column 1
      {"hello world", 9, {7, 1}, {12, 1}},
      {"foo.bar", 6, {5, 1}, {8, 1}},
      {"a  b", 2, {1, 1}, {1, 1}},  // a blank selects nothing
  };
  for (const Case& c : cases) {
    SetLines(*edit, {c.line});
    edit->SetCaretXY(TPoint{1, 1});
    edit->SetBlockBegin(TPoint{1, 1});
    edit->SelectWordAt(TPoint{c.column, 1});
    EXPECT_EQ(edit->BlockBegin(), c.begin) << c.line << " at " << c.column;
    EXPECT_EQ(edit->BlockEnd(), c.end) << c.line << " at " << c.column;
  }
  SetLines(*edit, {"abc"});
  edit->SelectWordAt(TPoint{9, 1});
  EXPECT_EQ(edit->CaretXY(), (TPoint{4, 1}));
  EXPECT_FALSE(edit->SelectionAvailable());
}

TEST_F(Caret, PointInSelection) {
  struct Case {
    TSelectionMode mode;
    TPoint point;
    bool inside;
  };
  const Case cases[] = {
      {smNormal, {3, 2}, true},  {smNormal, {2, 2}, false}, {smNormal, {9, 3}, true},
      {smNormal, {2, 4}, false}, {smNormal, {1, 4}, true},  {smColumn, {2, 3}, true},
      {smColumn, {3, 3}, false}, {smColumn, {1, 3}, false}, {smLine, {9, 4}, true},
      {smLine, {1, 5}, false},
  };
  SetLines(*edit, {"l1", "l2", "l3", "l4", "l5"});
  for (const Case& c : cases) {
    Select(c.mode, {3, 2}, {2, 4});
    EXPECT_EQ(edit->IsPointInSelection(c.point), c.inside) << c.mode << " " << c.point.x << "," << c.point.y;
  }
}

TEST_F(Caret, WheelKeepsTheRemainderOfHalfNotches) {
  std::vector<std::string> lines(300, "x");
  SetLines(*edit, lines);
  edit->SetTopLine(100);
  auto wheel = [&](int delta, WORD keys) {
    edit->Perform(WM_MOUSEWHEEL, MAKELONG(keys, static_cast<WORD>(static_cast<short>(delta))), 0);
  };
  const int notch = std::min(GetWheelScrollLines(), edit->LinesInWindow());
  wheel(-60, 0);
  EXPECT_EQ(edit->TopLine(), 100);
  wheel(-60, 0);
  EXPECT_EQ(edit->TopLine(), 100 + notch);
  wheel(120, 0);
  EXPECT_EQ(edit->TopLine(), 100);

  wheel(-120, MK_CONTROL);
  EXPECT_EQ(edit->TopLine(), 100 + edit->LinesInWindow());
  edit->SetOption(qzeoHalfPageScroll, true);
  wheel(120, MK_CONTROL);
  EXPECT_EQ(edit->TopLine(), 100 + edit->LinesInWindow() - edit->LinesInWindow() / 2);
}

TEST_F(Caret, VerticalBarIsScaledBeyond32767Lines) {
  SetLines(*edit, std::vector<std::string>(40000, "x"));
  ASSERT_EQ(edit->LineCount(), 40000);
  edit->SetTopLine(1);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(edit.get(), SB_VERT, info));
  EXPECT_EQ(info.nMin, 0);
  EXPECT_EQ(info.nMax, 32767);

  // The thumb dragged to its end shows the last page.
  const int end = info.nMax - static_cast<int>(info.nPage) + 1;
  edit->Perform(WM_VSCROLL, MAKELONG(SB_THUMBTRACK, static_cast<WORD>(end)), 0);
  EXPECT_GE(edit->TopLine(), edit->LineCount() - edit->LinesInWindow() + 1);
  EXPECT_TRUE(TqzCustomEdit::ScrollHintWindow().Showing());
  EXPECT_EQ(TqzCustomEdit::ScrollHintWindow().Caption(), "Top Line: " + std::to_string(edit->TopLine()));
  edit->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
  EXPECT_FALSE(TqzCustomEdit::ScrollHintWindow().Showing());

  // Unscaled below the limit: the position is the top line.
  SetLines(*edit, std::vector<std::string>(500, "y"));
  edit->Perform(WM_VSCROLL, MAKELONG(SB_THUMBPOSITION, 321), 0);
  EXPECT_EQ(edit->TopLine(), 321);
  edit->Perform(WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(edit->TopLine(), 320);
  edit->Perform(WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(edit->TopLine(), 500);
}

TEST_F(Caret, HorizontalScrollingClampsTheLeftColumn) {
  edit->Perform(WM_HSCROLL, MAKELONG(SB_THUMBTRACK, 50), 0);
  EXPECT_EQ(edit->LeftColumn(), 50);
  edit->Perform(WM_HSCROLL, SB_RIGHT, 0);
  EXPECT_EQ(edit->LeftColumn(), 1024 - edit->CharsInWindow() + 1);
  edit->Perform(WM_HSCROLL, SB_LINELEFT, 0);
  EXPECT_EQ(edit->LeftColumn(), 1024 - edit->CharsInWindow());
  edit->Perform(WM_HSCROLL, SB_LEFT, 0);
  EXPECT_EQ(edit->LeftColumn(), 1);

  // A wider window holds more columns, so the last possible left column moves back.
  edit->Perform(WM_HSCROLL, SB_RIGHT, 0);
  const int narrow = edit->CharsInWindow();
  const int lines = edit->LinesInWindow();
  edit->SetBounds(0, 0, 800, 900);
  EXPECT_GT(edit->CharsInWindow(), narrow);
  EXPECT_GT(edit->LinesInWindow(), lines);
  EXPECT_EQ(edit->LeftColumn(), 1024 - edit->CharsInWindow() + 1);
}

TEST_F(Caret, CaretShapeFollowsTheMode) {
  struct Case {
    bool insertMode;
    TCaretType type;
    int width;
    int height;
  };
  const int cw = edit->CharWidth();
  const int lh = edit->LineHeight();
  const Case cases[] = {
      {true, ctVerticalLine, 2, lh - 2},
      {true, ctHorizontalLine, cw, 2},
      {false, ctHalfBlock, cw, (lh - 2) / 2},
      {false, ctBlock, cw, lh - 2},
  };
  for (const Case& c : cases) {
    edit->SetInsertMode(c.insertMode);
    if (c.insertMode)
      edit->SetInsertCaret(c.type);
    else
      edit->SetOverwriteCaret(c.type);
    edit->Perform(WM_SETFOCUS);
    const TCaretState caret = GetCaretState();
    EXPECT_EQ(caret.Owner, edit.get());
    EXPECT_EQ(caret.Bounds.Width(), c.width) << c.type;
    EXPECT_EQ(caret.Bounds.Height(), c.height) << c.type;
    edit->Perform(WM_KILLFOCUS);
    EXPECT_EQ(GetCaretState().Owner, nullptr);
  }
}

// Painting hides and shows the caret; that must not ask for another paint, or an idle window keeps
// repainting itself for ever.
TEST_F(Caret, AnIdleFocusedWindowPaintsOnceAndRests) {
  const int flashTime = QApplication::cursorFlashTime();
  QApplication::setCursorFlashTime(0);  // no blinking: a further paint could only come from the caret
  SetLines(*edit, {"some text"});
  QWidget* window = WidgetOf(edit.get());
  window->show();
  window->activateWindow();
  edit->SetFocus();
  ASSERT_TRUE(corvane::test::PumpUntil([] { return GetCaretState().Visible; }));
  corvane::test::EventCounter paints(window, QEvent::Paint);
  edit->Invalidate();
  ASSERT_TRUE(paints.WaitFor(1));
  const int painted = paints.Count();
  for (int round = 0; round < 10; ++round) corvane::test::Settle();
  EXPECT_EQ(paints.Count(), painted);
  EXPECT_TRUE(GetCaretState().Visible);
  QApplication::setCursorFlashTime(flashTime);
}

TEST_F(Caret, DialogCodeAsksForTabsOnlyWithWantTabs) {
  EXPECT_EQ(edit->Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
  edit->SetWantTabs(true);
  EXPECT_EQ(edit->Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
  SetKeyboardShiftState(TShiftState{ssCtrl});
  EXPECT_EQ(edit->Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
  SetKeyboardShiftState(TShiftState{});
}

TEST_F(Caret, PixelsAndTextPositionsMapBothWays) {
  SetLines(*edit, std::vector<std::string>(50, "some text here"));
  edit->SetTopLine(5);
  const TPoint cell = edit->RowColumnToPixels(TPoint{3, 7});
  EXPECT_EQ(cell.x, edit->GutterWidth() + 2 + 2 * edit->CharWidth());
  EXPECT_EQ(cell.y, 2 * edit->LineHeight() + 1);
  EXPECT_EQ(edit->PixelsToRowColumn(TPoint{cell.x + 1, cell.y + 1}), (TPoint{3, 7}));
  // Past the middle of a cell the nearer boundary is the next column.
  EXPECT_EQ(edit->PixelsToRowColumn(TPoint{cell.x + edit->CharWidth() * 3 / 4, cell.y}), (TPoint{4, 7}));
}

}  // namespace
