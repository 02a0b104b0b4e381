// The editor driven by the mouse, the clipboard, dropped files and the input method, through real Qt
// events sent to its window.
#include <QClipboard>
#include <QGuiApplication>
#include <QFont>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EditText.h"
#include "TestEdit.h"
#include "common/DragInput.h"
#include "editctl/qzCustomEdit.h"
#include "qt/QtSide.h"
#include "vcl/Clipbrd.h"
#include "win/CodePage.h"

namespace {

using corvane::test::DoubleClickLeft;
using corvane::test::DragTo;
using corvane::test::PressLeft;
using corvane::test::ReleaseLeft;
using Lines = std::vector<std::string>;

class Mouse : public testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    SetACP(TAnsiCodePage::cp1251);
    edit = std::make_unique<TTestEdit>();
    edit->SetOptions(QZ_DEFAULT_OPTIONS - TqzEditorOptions{qzeoScrollPastEol});
    SetLines(*edit, {"alpha beta gamma", "delta epsilon", "zeta eta theta", "iota"});
    QGuiApplication::clipboard()->clear();
  }

  QWidget* Window() const { return WidgetOf(edit.get()); }
  // A client point inside the cell left of which the caret stands at (column, line).
  QPoint At(int column, int line) const {
    const TPoint p = edit->RowColumnToPixels(TPoint{column, line});
    return QPoint(p.x + 1, p.y + edit->LineHeight() / 2);
  }
  void Drag(TPoint from, TPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    PressLeft(Window(), At(from.x, from.y), modifiers);
    DragTo(Window(), At(to.x, to.y), modifiers);
    ReleaseLeft(Window(), At(to.x, to.y), modifiers);
  }
  // Drags the selection from a point on it to a drop point, well past both drag thresholds.
  void DragSelection(TPoint from, TPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    PressLeft(Window(), At(from.x, from.y), modifiers);
    const QPoint start = At(from.x, from.y);
    DragTo(Window(), start + QPoint(0, 30), modifiers);
    DragTo(Window(), start + QPoint(0, 60), modifiers);
    DragTo(Window(), At(to.x, to.y), modifiers);
    ReleaseLeft(Window(), At(to.x, to.y), modifiers);
  }
  void Select(TPoint begin, TPoint end) {
    edit->SetBlockBegin(begin);
    edit->SetBlockEnd(end);
  }
  int UndoSteps() {
    int steps = 0;
    for (; edit->CanUndo(); ++steps) edit->Undo();
    return steps;
  }

  std::unique_ptr<TTestEdit> edit;
};

TEST_F(Mouse, ClicksAndDragsPlaceTheCaretAndSelect) {
  struct Case {
    const char* name;
    TSelectionMode mode;
    TPoint press;
    TPoint release;
    Qt::KeyboardModifiers modifiers;
    TPoint caret;
    std::string selected;
  };
  const Case cases[] = {
      {"click", smNormal, {3, 2}, {3, 2}, Qt::NoModifier, {3, 2}, ""},
      {"click past the line end", smNormal, {40, 4}, {40, 4}, Qt::NoModifier, {5, 4}, ""},
      {"drag forward", smNormal, {7, 1}, {6, 2}, Qt::NoModifier, {6, 2}, "beta gamma\r\ndelta"},
      {"drag backward", smNormal, {6, 2}, {7, 1}, Qt::NoModifier, {7, 1}, "beta gamma\r\ndelta"},
      {"drag in columns", smColumn, {2, 1}, {5, 3}, Qt::NoModifier, {5, 3}, "lph\r\nelt\r\neta"},
      {"drag by lines", smLine, {3, 2}, {2, 3}, Qt::NoModifier, {2, 3}, "delta epsilon\r\nzeta eta theta\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->SetSelectionMode(c.mode);
    edit->SetCaretXY(TPoint{1, 1});
    edit->SetBlockBegin(TPoint{1, 1});
    Drag(c.press, c.release, c.modifiers);
    EXPECT_EQ(edit->CaretXY(), c.caret);
    EXPECT_EQ(edit->SelText(), c.selected);
  }
}

TEST_F(Mouse, ShiftClickExtendsTheSelectionFromItsBegin) {
  Drag({7, 1}, {7, 1});
  Drag({6, 2}, {6, 2}, Qt::ShiftModifier);
  EXPECT_EQ(edit->SelText(), "beta gamma\r\ndelta");
}

TEST_F(Mouse, DoubleClickSelectsTheWordUnderIt) {
  DoubleClickLeft(Window(), At(8, 1));
  EXPECT_EQ(edit->SelText(), "beta");
  // On a blank between words there is no word to take.
  DoubleClickLeft(Window(), At(6, 2));
  EXPECT_FALSE(edit->SelectionAvailable());
  EXPECT_EQ(edit->CaretXY(), (TPoint{6, 2}));
}

TEST_F(Mouse, AClickOnTheSelectionCollapsesItWhereReleased) {
  Select({1, 1}, {12, 1});
  Drag({3, 1}, {3, 1});
  EXPECT_FALSE(edit->SelectionAvailable());
  EXPECT_EQ(edit->CaretXY(), (TPoint{3, 1}));
}

TEST_F(Mouse, DraggingTheSelectionMovesItOrWithCtrlCopiesIt_OneUndoEach) {
  struct Case {
    const char* name;
    Qt::KeyboardModifiers modifiers;
    TPoint drop;
    Lines after;
    // "beta" unless a row says otherwise; grabbed at a point inside.
    TSelectionMode mode = smNormal;
    TPoint begin{7, 1};
    TPoint end{11, 1};
    TPoint grab{8, 1};
  };
  const Case cases[] = {
      {"move down", Qt::NoModifier, {1, 3}, {"alpha  gamma", "delta epsilon", "betazeta eta theta", "iota"}},
      {"move along its own line", Qt::NoModifier, {17, 1}, {"alpha  gammabeta", "delta epsilon", "zeta eta theta", "iota"}},
      {"move left along its own line", Qt::NoModifier, {3, 1}, {"albetapha  gamma", "delta epsilon", "zeta eta theta", "iota"}},
      {"copy", Qt::ControlModifier, {1, 4}, {"alpha beta gamma", "delta epsilon", "zeta eta theta", "betaiota"}},
      // Dropped right of the block on its last line: the drop point moves left with the text there.
      {"move a column block", Qt::NoModifier, {12, 2}, {"aa beta gamma", "da epsillphon", "zeta etaelt theta", "iota"},
       smColumn, {2, 1}, {5, 2}, {3, 1}},
  };
  const Lines before = LinesOf(*edit);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->ClearUndo();
    edit->SetSelectionMode(c.mode);
    Select(c.begin, c.end);
    DragSelection(c.grab, c.drop, c.modifiers);
    EXPECT_EQ(LinesOf(*edit), c.after);
    EXPECT_EQ(UndoSteps(), 1);
    EXPECT_EQ(LinesOf(*edit), before);
  }
}

TEST_F(Mouse, DroppingTheSelectionIntoItselfChangesNothing) {
  Select({1, 1}, {12, 1});
  DragSelection({2, 1}, {6, 1});
  EXPECT_EQ(LinesOf(*edit), (Lines{"alpha beta gamma", "delta epsilon", "zeta eta theta", "iota"}));
  EXPECT_FALSE(edit->CanUndo());
}

TEST_F(Mouse, AReadOnlyEditorTakesNoDrop) {
  edit->SetReadOnly(true);
  Select({7, 1}, {11, 1});
  DragSelection({8, 1}, {1, 3});
  EXPECT_EQ(edit->Lines()->Get(0), "alpha beta gamma");
}

TEST_F(Mouse, HoldingTheButtonBelowTheWindowScrollsAPageFarOutAndALineNearBy) {
  std::vector<std::string> many;
  for (int i = 1; i <= 400; ++i) many.push_back("line " + std::to_string(i));
  SetLines(*edit, many);
  const int page = edit->LinesInWindow();
  const int below = edit->ClientHeight();

  PressLeft(Window(), At(1, 2));
  DragTo(Window(), QPoint(40, below + 50));
  EXPECT_EQ(edit->TopLine(), 1 + page);
  // Steps follow without pause while the pointer stays far out.
  EXPECT_TRUE(corvane::test::PumpUntil([&] { return edit->TopLine() >= 1 + 3 * page; }));
  ReleaseLeft(Window(), QPoint(40, below + 50));
  EXPECT_EQ(edit->BlockBegin(), (TPoint{1, 2}));
  EXPECT_EQ(edit->BlockEnd().y, edit->TopLine() + page - 1);

  edit->SetTopLine(1);
  edit->SetBlockBegin(TPoint{1, 1});
  PressLeft(Window(), At(1, 2));
  DragTo(Window(), QPoint(40, below + 5));
  EXPECT_EQ(edit->TopLine(), 2);
  EXPECT_TRUE(corvane::test::PumpUntil([&] { return edit->TopLine() == 3; }));
  ReleaseLeft(Window(), QPoint(40, below + 5));
}

// ---- Clipboard

TEST_F(Mouse, ACopiedColumnBlockPastesAsAColumnBelowWhichTheCaretWaits) {
  edit->SetSelectionMode(smColumn);
  Select({1, 1}, {3, 2});
  QTest::keyClick(Window(), Qt::Key_C, Qt::ControlModifier);
  edit->SetSelectionMode(smNormal);
  edit->SetCaretXY(TPoint{5, 2});
  edit->SetBlockBegin(edit->CaretXY());
  QTest::keyClick(Window(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(LinesOf(*edit), (Lines{"alpha beta gamma", "deltala epsilon", "zetade eta theta", "iota"}));
  EXPECT_EQ(edit->CaretXY(), (TPoint{5, 4}));
  EXPECT_EQ(UndoSteps(), 1);
  EXPECT_EQ(edit->Lines()->Get(1), "delta epsilon");
}

// Copied in this program the block keeps its line ends as they were; each of CR LF, LF and a lone CR
// ends one line, and the text's last line joins what stood right of the caret.
TEST_F(Mouse, PastedLinesGoInAtTheCaretAndOneUndoAndRedoRoundTripThem) {
  struct Case {
    std::string text;
    Lines expected;
    TPoint caret;
  };
  const std::vector<Case> cases{
      {"X\r\nY\r\nZ", {"alpha beta gamma", "delX", "Y", "Zta epsilon", "zeta eta theta", "iota"}, {2, 4}},
      {"X\nY\n", {"alpha beta gamma", "delX", "Y", "ta epsilon", "zeta eta theta", "iota"}, {1, 4}},
      {"X\rY\r\rZ", {"alpha beta gamma", "delX", "Y", "", "Zta epsilon", "zeta eta theta", "iota"}, {2, 5}},
      {"\r\n", {"alpha beta gamma", "del", "ta epsilon", "zeta eta theta", "iota"}, {1, 3}},
      {"X  \n\r\n  Y\n\rZ", {"alpha beta gamma", "delX  ", "", "  Y", "", "Zta epsilon", "zeta eta theta", "iota"}, {2, 6}},
  };
  const Lines before = LinesOf(*edit);
  for (const Case& c : cases) {
    SetLines(*edit, before);
    Clipboard()->SetFormatData(RegisterClipboardFormat("qzEdit Control Block Type"), std::string(1, '\0') + c.text + '\0');
    edit->SetCaretXY(TPoint{4, 2});
    edit->SetBlockBegin(edit->CaretXY());
    QTest::keyClick(Window(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(LinesOf(*edit), c.expected) << c.text;
    EXPECT_EQ(edit->CaretXY(), c.caret) << c.text;
    edit->Undo();
    EXPECT_EQ(LinesOf(*edit), before) << c.text;
    EXPECT_FALSE(edit->CanUndo()) << c.text;
    edit->Redo();
    EXPECT_EQ(LinesOf(*edit), c.expected) << c.text;
  }
}

TEST_F(Mouse, ASelectionCopiedAndPastedOverItselfLeavesTheTextAsItWas) {
  edit->Lines()->Put(1, "delta epsilon  ");
  const Lines before = LinesOf(*edit);
  Select({3, 1}, {3, 4});
  QTest::keyClick(Window(), Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(Window(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(LinesOf(*edit), before);
  EXPECT_EQ(edit->CaretXY(), (TPoint{3, 4}));
  QTest::keyClick(Window(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(LinesOf(*edit), (Lines{"alpha beta gamma", "delta epsilon  ", "zeta eta theta", "iopha beta gamma",
                                   "delta epsilon  ", "zeta eta theta", "iota"}));
  EXPECT_EQ(UndoSteps(), 2);
  EXPECT_EQ(LinesOf(*edit), before);
}

TEST_F(Mouse, TextFromAnotherProgramPastesAsAStreamOverTheSelection) {
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Привет\nмир"));
  edit->SetSelectionMode(smColumn);
  Select({1, 1}, {6, 2});
  QTest::keyClick(Window(), Qt::Key_V, Qt::ControlModifier);
  // The block's columns go, and the text goes in where the caret was, as one stream.
  EXPECT_EQ(LinesOf(*edit), (Lines{" beta gamma", "\xCF\xF0\xE8\xE2\xE5\xF2", "\xEC\xE8\xF0 epsilon",
                                   "zeta eta theta", "iota"}));
  EXPECT_EQ(UndoSteps(), 1);
  EXPECT_EQ(edit->Lines()->Get(0), "alpha beta gamma");
}

TEST_F(Mouse, CopiedTextReachesOtherProgramsAsUnicode) {
  edit->Lines()->Put(3, "\xEA\xEE\xF2 cat");
  Select({1, 4}, {4, 4});
  edit->CopyToClipboard();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "кот");
  EXPECT_TRUE(edit->CanPaste());
}

TEST_F(Mouse, CutTakesTheSelectionAwayInOneUndo) {
  Select({1, 1}, {7, 1});
  QTest::keyClick(Window(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(edit->Lines()->Get(0), "beta gamma");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "alpha ");
  EXPECT_EQ(UndoSteps(), 1);
  EXPECT_EQ(edit->Lines()->Get(0), "alpha beta gamma");
}

TEST_F(Mouse, AnEmptyOrNonTextClipboardPastesNothing) {
  const Lines before = LinesOf(*edit);
  auto image = std::make_unique<QMimeData>();
  image->setData("image/png", QByteArray("\x89PNG", 4));
  for (QMimeData* data : {new QMimeData, image.release()}) {
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_FALSE(edit->CanPaste());
    Select({1, 1}, {6, 1});
    QTest::keyClick(Window(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(LinesOf(*edit), before);
    EXPECT_FALSE(edit->CanUndo());
  }
  QGuiApplication::clipboard()->setText(QString());
  edit->PasteFromClipboard();
  EXPECT_EQ(LinesOf(*edit), before);
}

TEST_F(Mouse, ABlockWithoutDataCannotBePasted) {
  Clipboard()->SetFormatData(RegisterClipboardFormat("qzEdit Control Block Type"), "");
  try {
    edit->PasteFromClipboard();
    ADD_FAILURE() << "no error";
  } catch (const EqzEditError& error) {
    EXPECT_STREQ(error.what(), "Clipboard paste operation failed.");
  }
}

// ---- Dropped files and the input method

TEST_F(Mouse, FilesDroppedFromTheDesktopReachTheHandlerWithTheirWholeNames) {
  edit->SetOption(qzeoDropFiles, true);
  std::vector<std::string> received;
  TPoint where;
  edit->OnDropFiles = [&](TObject*, int X, int Y, TStrings* Files) {
    for (int i = 0; i < Files->Count(); ++i) received.push_back(Files->Get(i));
    where = TPoint{X, Y};
  };
  const std::string longName = "/tmp/" + std::string(300, 'n') + ".pl";
  EXPECT_TRUE(corvane::test::DropFileUrls(Window(), QPoint(50, 20), {"/tmp/a b.pl", longName}));
  EXPECT_EQ(received, (std::vector<std::string>{"/tmp/a b.pl", longName}));
  EXPECT_EQ(where, (TPoint{50, 20}));

  edit->SetOption(qzeoDropFiles, false);
  EXPECT_FALSE(corvane::test::DropFileUrls(Window(), QPoint(50, 20), {"/tmp/c.pl"}));
}

TEST_F(Mouse, InputMethodTextReplacesTheSelectionInOneUndo) {
  Select({7, 1}, {11, 1});
  QInputMethodEvent preedit(QString::fromUtf8("м"), {});
  QCoreApplication::sendEvent(Window(), &preedit);
  EXPECT_EQ(edit->Lines()->Get(0), "alpha beta gamma");
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("мир€"));
  QCoreApplication::sendEvent(Window(), &commit);
  EXPECT_EQ(edit->Lines()->Get(0), "alpha \xEC\xE8\xF0\x88 gamma");
  EXPECT_EQ(UndoSteps(), 1);
  EXPECT_EQ(edit->Lines()->Get(0), "alpha beta gamma");
}

// The input method asks which font to compose in; the editor answers with its own, as it is now.
TEST_F(Mouse, TheInputMethodComposesInTheEditorsFont) {
  struct Case {
    const char* name;
    int height;
  };
  for (const Case& c : {Case{"DejaVu Sans Mono", -19}, Case{"Liberation Mono", -11}}) {
    SCOPED_TRACE(c.name);
    edit->Font()->SetName(c.name);
    edit->Font()->SetHeight(c.height);
    QInputMethodQueryEvent query(Qt::ImFont);
    QCoreApplication::sendEvent(Window(), &query);
    const QFont font = query.value(Qt::ImFont).value<QFont>();
    EXPECT_EQ(font.family(), QString(c.name));
    EXPECT_EQ(font.pixelSize(), -c.height);
  }
}

}  // namespace
