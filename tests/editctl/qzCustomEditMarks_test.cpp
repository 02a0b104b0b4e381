// Marks and the ten bookmarks: placing, moving, clearing, the bookmark keys through real key events,
// and which mark a gutter click hits.
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "EditText.h"
#include "common/DragInput.h"
#include "TestEdit.h"
#include "editctl/qzCustomEdit.h"
#include "editctl/qzSupportClasses.h"
#include "qt/QtSide.h"

namespace {

class Marks : public testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    edit = std::make_unique<TTestEdit>();
    SetLines(*edit, {"one", "two", "three", "four", "five", "six"});
  }

  // Line of bookmark n, or 0 when it is not set.
  int BookmarkLine(int n) const {
    int x = 0;
    int y = 0;
    return edit->GetBookMark(n, x, y) ? y : 0;
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(WidgetOf(edit.get()), key, modifiers);
  }

  std::unique_ptr<TTestEdit> edit;
};

TEST_F(Marks, PlacingBookmarks) {
  edit->SetBookMark(3, 5, 7);  // past the last line
  EXPECT_EQ(BookmarkLine(3), 0);
  edit->SetBookMark(10, 1, 1);  // no such number
  EXPECT_EQ(edit->Marks()->Count(), 0);

  edit->SetBookMark(3, 5, 6);
  EXPECT_EQ(BookmarkLine(3), 6);
  const TMark* mark = edit->Marks()->Items(0);
  EXPECT_EQ(mark->Column(), 5);
  EXPECT_EQ(mark->ImageIndex(), 3);
  EXPECT_TRUE(mark->Visible());
  EXPECT_TRUE(mark->InternalImage()) << "no image list: the built-in strip";

  edit->SetBookMark(5, 1, 2);
  edit->SetBookMark(2, 1, 2);  // a line holds one bookmark: 5 goes
  EXPECT_EQ(BookmarkLine(5), 0);
  EXPECT_EQ(BookmarkLine(2), 2);
  edit->SetBookMark(2, 1, 4);  // one mark per number: 2 moves
  EXPECT_EQ(BookmarkLine(2), 4);
  EXPECT_EQ(edit->Marks()->Count(), 2);

  edit->ClearBookMark(2);
  edit->ClearBookMark(2);  // cleared twice: nothing left to clear
  EXPECT_EQ(BookmarkLine(2), 0);
  EXPECT_EQ(edit->Marks()->Count(), 1);
}

TEST_F(Marks, APlaceHandlerMayChangeOrCancelTheBookmark) {
  edit->SetBookMark(1, 1, 3);
  edit->OnPlaceBookmark = [](TObject*, std::unique_ptr<TMark>& mark) { mark.reset(); };
  edit->SetBookMark(2, 1, 3);
  EXPECT_EQ(BookmarkLine(1), 3) << "the cancelled placing leaves the line's bookmark";
  EXPECT_EQ(BookmarkLine(2), 0);

  edit->OnPlaceBookmark = [](TObject*, std::unique_ptr<TMark>& mark) { mark->SetImage(7); };
  edit->SetBookMark(2, 1, 5);
  EXPECT_EQ(edit->Marks()->Items(1)->ImageIndex(), 7);
}

// A bookmark's mark taken out of the list by the host is no bookmark any more.
TEST_F(Marks, ABookmarkRemovedFromTheListLeavesItsSlot) {
  edit->SetBookMark(4, 3, 5);
  edit->Marks()->Remove(edit->Marks()->Items(0));
  edit->SetCaretXY(TPoint{1, 1});
  edit->GotoBookMark(4);
  EXPECT_EQ(edit->CaretXY(), (TPoint{1, 1}));
  edit->SetBookMark(2, 1, 5);  // finds no bookmark on line 5 to clear
  EXPECT_EQ(BookmarkLine(2), 5);
}

TEST_F(Marks, GoingToABookmark) {
  edit->SetBookMark(4, 3, 5);
  edit->SetCaretXY(TPoint{1, 1});
  edit->GotoBookMark(4);
  EXPECT_EQ(edit->CaretXY(), (TPoint{3, 5}));

  edit->SetBookMark(6, 99, 6);
  edit->GotoBookMark(6);
  EXPECT_EQ(edit->CaretXY(), (TPoint{99, 6})) << "past the line end, as the caret may stand there";

  SetLines(*edit, {"short"});  // the text got shorter than the bookmark's line
  edit->SetCaretXY(TPoint{2, 1});
  edit->GotoBookMark(4);
  EXPECT_EQ(edit->CaretXY(), (TPoint{2, 1}));
}

TEST_F(Marks, GetBookMarkSearchesTheListNotTheSlots) {
  auto mark = std::make_unique<TMark>(edit.get());
  mark->SetLine(2);
  mark->SetColumn(4);
  mark->SetBookmarkNumber(8);
  edit->Marks()->Add(std::move(mark));
  int x = 0;
  int y = 0;
  ASSERT_TRUE(edit->GetBookMark(8, x, y));
  EXPECT_EQ((TPoint{x, y}), (TPoint{4, 2}));
  EXPECT_FALSE(edit->GetBookMark(7, x, y));
}

TEST_F(Marks, MarkListLooksUpTheMarksOfALine) {
  const auto outside = std::make_unique<TMark>(edit.get());
  EXPECT_EQ(outside->GetEdit(), nullptr) << "not in the editor's list";
  for (int i = 0; i < 18; ++i) {
    auto mark = std::make_unique<TMark>(edit.get());
    mark->SetLine(i % 2 == 0 ? 3 : 4);
    mark->SetImage(i);
    edit->Marks()->Add(std::move(mark));
  }
  EXPECT_EQ(edit->Marks()->Items(0)->GetEdit(), edit.get());
  TMarkList::TLineMarks marks;
  edit->Marks()->GetMarksForLine(3, marks);
  for (int k = 0; k < 9; ++k) EXPECT_EQ(marks[static_cast<std::size_t>(k)]->ImageIndex(), 2 * k) << k;
  for (int k = 9; k < 16; ++k) EXPECT_EQ(marks[static_cast<std::size_t>(k)], nullptr) << k;

  TMark* second = edit->Marks()->Items(1);
  EXPECT_EQ(edit->Marks()->Remove(second), 1);
  EXPECT_EQ(edit->Marks()->Count(), 17);
  EXPECT_EQ(edit->Marks()->Remove(outside.get()), -1);
}

TEST_F(Marks, AVisibleMarkRepaintsTheGutterWhereItWasAndWhereItGoes) {
  edit->SetBookMark(1, 1, 2);
  TMark* mark = edit->Marks()->Items(0);
  edit->Invalidated.clear();
  mark->SetLine(4);
  const TRect gutter2{0, edit->LineHeight(), edit->GutterWidth(), 2 * edit->LineHeight()};
  const TRect gutter4{0, 3 * edit->LineHeight(), edit->GutterWidth(), 4 * edit->LineHeight()};
  EXPECT_EQ(edit->Invalidated, (std::vector<TRect>{gutter2, gutter4}));

  edit->Invalidated.clear();
  mark->SetVisible(false);
  mark->SetLine(5);  // hidden: nothing to repaint
  EXPECT_EQ(edit->Invalidated, (std::vector<TRect>{gutter4}));

  edit->Invalidated.clear();
  edit->ClearBookMark(1);
  ASSERT_FALSE(edit->Invalidated.empty()) << "the list's change repaints the whole gutter";
  EXPECT_EQ(edit->Invalidated.back(), (TRect{0, 0, edit->GutterWidth(), edit->ClientHeight()}));
}

// The keys of the default table: Ctrl+Shift+digit toggles or moves a bookmark, Ctrl+digit goes there.
TEST_F(Marks, BookmarkKeys) {
  edit->SetCaretXY(TPoint{2, 3});
  Press(Qt::Key_4, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(BookmarkLine(4), 3);
  Press(Qt::Key_4, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(BookmarkLine(4), 0) << "pressed again on its line: removed";

  Press(Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
  edit->SetCaretXY(TPoint{1, 5});
  Press(Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(BookmarkLine(3), 5) << "on another line: moved";
  edit->SetCaretXY(TPoint{1, 1});
  Press(Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(edit->CaretXY(), (TPoint{1, 5}));

  edit->BookMarkOptions()->SetEnableKeys(false);
  edit->SetCaretXY(TPoint{1, 1});
  Press(Qt::Key_3, Qt::ControlModifier);
  Press(Qt::Key_7, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(edit->CaretXY(), (TPoint{1, 1}));
  EXPECT_EQ(BookmarkLine(7), 0);
}

// A bookmark follows its line through typed line breaks and goes when its line is deleted.
TEST_F(Marks, ABookmarkMovesWithItsLineAndGoesWithIt) {
  edit->SetBookMark(2, 1, 4);
  edit->SetBookMark(5, 1, 6);
  edit->SetCaretXY(TPoint{1, 2});
  Press(Qt::Key_Return);
  Press(Qt::Key_Return);
  EXPECT_EQ(BookmarkLine(2), 6);
  EXPECT_EQ(BookmarkLine(5), 8);

  edit->SetCaretXY(TPoint{2, 6});
  Press(Qt::Key_Y, Qt::ControlModifier);  // delete the line
  EXPECT_EQ(edit->Lines()->Get(5), "five");
  EXPECT_EQ(BookmarkLine(2), 0);
  EXPECT_EQ(BookmarkLine(5), 7);
  EXPECT_EQ(edit->Marks()->Count(), 1);
  edit->GotoBookMark(2);
  EXPECT_EQ(edit->CaretXY(), (TPoint{1, 6})) << "its slot is empty";
}

TEST_F(Marks, AGutterClickReportsTheMarkUnderIt) {
  struct Reported {
    int line;
    TMark* mark;
  };
  std::vector<Reported> reported;
  edit->DoOnGutterClick(5, 5);  // no handler: nothing happens
  edit->OnGutterClick = [&](TObject*, int, int, int line, TMark* mark) { reported.push_back({line, mark}); };
  std::vector<TMark*> marks;
  for (int i = 0; i < 3; ++i) {
    auto mark = std::make_unique<TMark>(edit.get());
    mark->SetLine(2);
    marks.push_back(mark.get());
    edit->Marks()->Add(std::move(mark));
  }
  edit->BookMarkOptions()->SetXoffset(12);
  const int y = edit->LineHeight() + 2;
  const struct {
    int x;
    TMark* mark;
  } cases[] = {{0, marks[0]}, {11, marks[0]}, {12, marks[1]}, {30, marks[2]}, {35, marks[2]}, {36, nullptr}, {40, nullptr}};
  for (const auto& c : cases) {
    reported.clear();
    edit->DoOnGutterClick(c.x, y);
    ASSERT_EQ(reported.size(), 1u) << c.x;
    EXPECT_EQ(reported[0].line, 2);
    EXPECT_EQ(reported[0].mark, c.mark) << c.x;
  }
  reported.clear();
  edit->DoOnGutterClick(5, 20 * edit->LineHeight());  // below the last line
  EXPECT_TRUE(reported.empty());
}

}  // namespace

namespace {

TEST_F(Marks, AMouseClickInTheGutterIsReportedOnlyWhenItIsReleasedThere) {
  std::vector<int> lines;
  edit->OnGutterClick = [&](TObject*, int, int, int line, TMark*) { lines.push_back(line); };
  edit->SetBounds(0, 0, 300, 200);
  QWidget* widget = WidgetOf(edit.get());
  const int y = edit->LineHeight() + 2;
  const QPoint gutter(2, y);
  const QPoint text(edit->GutterWidth() + 40, y);
  corvane::test::PressLeft(widget, gutter);
  corvane::test::ReleaseLeft(widget, gutter);
  EXPECT_EQ(lines, std::vector<int>{2});
  lines.clear();
  corvane::test::PressLeft(widget, gutter);
  corvane::test::ReleaseLeft(widget, text);
  EXPECT_TRUE(lines.empty()) << "released in the text";
}

}  // namespace
