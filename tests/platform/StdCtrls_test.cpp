#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "common/TestApp.h"
#include "common/UserInput.h"
#include "qt/QtSide.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "win/WinUser.h"

namespace {

class StdCtrlsTest : public ::testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }
  TComponent owner{nullptr};
};

TEST_F(StdCtrlsTest, EditReportsEveryChangeOnceWhetherTypedOrSet) {
  auto* edit = new TEdit(&owner);
  std::vector<std::string> seen;
  edit->OnChange = [&](TObject*) { seen.push_back(edit->Text()); };
  edit->SetText("ab");  // before the window exists
  edit->SetText("ab");  // no change, no event
  QTest::keyClicks(WidgetOf(edit), "c");
  EXPECT_EQ(static_cast<QLineEdit*>(WidgetOf(edit))->text(), "abc");
  EXPECT_EQ(seen, (std::vector<std::string>{"ab", "abc"}));
  EXPECT_TRUE(edit->Modified);
}

// Only input is refused: the program's own text keeps a byte the code page has no character for
// (0x98 in Windows-1251) without a beep.
TEST_F(StdCtrlsTest, EditRefusesWhatTheCodePageLacksInInputOnly) {
  auto* edit = new TEdit(&owner);
  WidgetOf(edit);  // the text goes into the field the user types into
  const int beeps = MessageBeepCount();
  edit->SetText("a\x98");
  EXPECT_EQ(static_cast<QLineEdit*>(WidgetOf(edit))->text(), QString::fromUtf8("a\uFFFD"));
  EXPECT_EQ(edit->Text(), "a\x98");
  EXPECT_EQ(MessageBeepCount() - beeps, 0);
  edit->SetText("a");
  corvane::test::CommitText(*edit, QString::fromUtf8("é"));
  EXPECT_EQ(edit->Text(), "a");
  EXPECT_EQ(MessageBeepCount() - beeps, 1);
}

TEST_F(StdCtrlsTest, MemoLinesAndTextAgreeBothWays) {
  auto* memo = new TMemo(&owner);
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  TStringList source;
  source.SetText("one\r\ntwo\r\nthree");
  memo->SetLines(&source);  // one change for the whole assignment
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(memo->Text(), "one\r\ntwo\r\nthree");
  EXPECT_EQ(memo->Lines()->Text(), "one\r\ntwo\r\nthree\r\n");
  auto* widget = static_cast<QPlainTextEdit*>(WidgetOf(memo));
  EXPECT_EQ(widget->toPlainText(), "one\ntwo\nthree");
  widget->moveCursor(QTextCursor::End);
  QTest::keyClicks(widget, "!");
  ASSERT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Get(2), "three!");
  memo->Clear();
  EXPECT_EQ(memo->Lines()->Count(), 0);
  EXPECT_TRUE(widget->toPlainText().isEmpty());
}

TEST_F(StdCtrlsTest, AReadOnlyMemoShowsItsLinesScrollsAndCopiesWhatTheUserSelects) {
  auto* memo = new TMemo(&owner);
  memo->SetReadOnly(true);
  memo->SetScrollBars(ssBoth);
  memo->SetWordWrap(false);
  memo->SetBounds(0, 0, 300, 120);
  TStringList source;
  std::string all;
  for (int i = 0; i < 200; ++i) {
    source.Add("line " + std::to_string(i));
    all += (i > 0 ? "\n" : "") + source.Get(i);
  }
  memo->SetLines(&source);
  auto* area = static_cast<QAbstractScrollArea*>(WidgetOf(memo));
  area->show();
  QWidget* viewport = area->viewport();
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QImage shown = viewport->grab().toImage();
  int ink = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) ink += shown.pixel(x, y) != shown.pixel(0, shown.height() - 1);
  EXPECT_GT(ink, 50) << "no text drawn";

  QTest::keyClick(area, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(area, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text().toStdString(), all);

  // From the start of the first line to after "li" on the second, by the mouse.
  const QFontMetrics metrics = viewport->fontMetrics();
  const int margin = metrics.averageCharWidth() / 2;
  const int row = metrics.lineSpacing();
  corvane::test::PressMouse(viewport, {1, row / 2});
  corvane::test::DragMouse(viewport, {margin + metrics.horizontalAdvance("li"), row + row / 2});
  corvane::test::ReleaseMouse(viewport, {margin + metrics.horizontalAdvance("li"), row + row / 2});
  QTest::keyClick(area, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text().toStdString(), "line 0\nli");

  QScrollBar* bar = area->verticalScrollBar();
  QTest::keyClick(area, Qt::Key_End, Qt::ControlModifier);
  EXPECT_GT(bar->value(), 150);
  EXPECT_EQ(bar->value(), bar->maximum());
  QTest::keyClick(area, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), 0);

  // New lines: the widest one can be scrolled to, and nothing stays selected.
  memo->SetText(std::string(400, 'w'));
  EXPECT_GT(area->horizontalScrollBar()->maximum(), 0);
  clipboard->setText("before");
  QTest::keyClick(area, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text().toStdString(), "before");
}

TEST_F(StdCtrlsTest, CheckBoxClicksOnEveryChangeOfState) {
  auto* box = new TCheckBox(&owner);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  static_cast<QCheckBox*>(WidgetOf(box))->click();  // the user unticks it
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);
}

TEST_F(StdCtrlsTest, ScrollBarStaysInRangeAndReportsEveryMove) {
  auto* bar = new TScrollBar(&owner);
  bar->SetKind(sbVertical);
  std::vector<int> seen;
  bar->OnChange = [&](TObject*) { seen.push_back(bar->Position()); };
  bar->SetMax(4);
  bar->SetPosition(9);  // beyond the range
  bar->SetPosition(4);  // no change, no event
  auto* widget = static_cast<QScrollBar*>(WidgetOf(bar));
  EXPECT_EQ(widget->value(), 4);
  EXPECT_EQ(widget->orientation(), Qt::Vertical);
  EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
  bar->SetMax(2);  // a smaller range pulls the position in
  widget->triggerAction(QAbstractSlider::SliderSingleStepSub);  // the user scrolls up
  EXPECT_EQ(seen, (std::vector<int>{4, 2, 1}));
}

TEST_F(StdCtrlsTest, RadioButtonsOfOneParentExcludeEachOther) {
  auto* group = new TGroupBox(&owner);
  auto* other = new TGroupBox(&owner);
  auto make = [&](TWinControl* parent) {
    auto* r = new TRadioButton(&owner);
    r->SetParent(parent);
    return r;
  };
  TRadioButton* a = make(group);
  TRadioButton* b = make(group);
  TRadioButton* c = make(other);
  a->SetChecked(true);
  c->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(c->Checked());
}

TEST_F(StdCtrlsTest, ButtonsCloseAModalFormWithTheirResultAndAnswerEnterAndEsc) {
  TForm* form = CreateForm<TForm>(&owner);
  auto* ok = new TButton(&owner);
  ok->SetParent(form);
  ok->SetDefault(true);
  ok->ModalResult = mrOk;
  auto* cancel = new TButton(&owner);
  cancel->SetParent(form);
  cancel->Cancel = true;
  cancel->ModalResult = mrCancel;
  auto* edit = new TEdit(&owner);
  edit->SetParent(form);
  form->Show();
  QTest::keyClick(WidgetOf(edit), Qt::Key_Escape);
  EXPECT_EQ(form->ModalResult(), mrCancel);
  QTest::keyClick(WidgetOf(edit), Qt::Key_Return);
  EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(StdCtrlsTest, LabelShowsItsAcceleratorOnlyWithAControlToFocus) {
  auto* label = new TLabel(&owner);
  label->SetCaption("&Host");
  QWidget* w = WidgetOf(label);
  EXPECT_EQ(static_cast<QLabel*>(w)->text(), "Host");
  auto* edit = new TEdit(&owner);
  label->SetFocusControl(edit);
  EXPECT_EQ(static_cast<QLabel*>(w)->text(), "&Host");
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

}  // namespace
