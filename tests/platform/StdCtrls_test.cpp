#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "common/TestApp.h"
#include "common/UserInput.h"
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
  QTest::keyClicks(edit->Widget(), "c");
  EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->text(), "abc");
  EXPECT_EQ(seen, (std::vector<std::string>{"ab", "abc"}));
  EXPECT_TRUE(edit->Modified);
}

// Only input is refused: the program's own text keeps a byte the code page has no character for
// (0x98 in Windows-1251) without a beep.
TEST_F(StdCtrlsTest, EditRefusesWhatTheCodePageLacksInInputOnly) {
  auto* edit = new TEdit(&owner);
  edit->Widget();  // the text goes into the field the user types into
  const int beeps = MessageBeepCount();
  edit->SetText("a\x98");
  EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->text(), QString::fromUtf8("a\uFFFD"));
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
  auto* widget = static_cast<QPlainTextEdit*>(memo->Widget());
  EXPECT_EQ(widget->toPlainText(), "one\ntwo\nthree");
  widget->moveCursor(QTextCursor::End);
  QTest::keyClicks(widget, "!");
  ASSERT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Get(2), "three!");
  memo->Clear();
  EXPECT_EQ(memo->Lines()->Count(), 0);
  EXPECT_TRUE(widget->toPlainText().isEmpty());
}

TEST_F(StdCtrlsTest, CheckBoxClicksOnEveryChangeOfState) {
  auto* box = new TCheckBox(&owner);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  static_cast<QCheckBox*>(box->Widget())->click();  // the user unticks it
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
  auto* widget = static_cast<QScrollBar*>(bar->Widget());
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
  QTest::keyClick(edit->Widget(), Qt::Key_Escape);
  EXPECT_EQ(form->ModalResult(), mrCancel);
  QTest::keyClick(edit->Widget(), Qt::Key_Return);
  EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(StdCtrlsTest, LabelShowsItsAcceleratorOnlyWithAControlToFocus) {
  auto* label = new TLabel(&owner);
  label->SetCaption("&Host");
  QWidget* w = label->Widget();
  EXPECT_EQ(static_cast<QLabel*>(w)->text(), "Host");
  auto* edit = new TEdit(&owner);
  label->SetFocusControl(edit);
  EXPECT_EQ(static_cast<QLabel*>(w)->text(), "&Host");
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

}  // namespace
