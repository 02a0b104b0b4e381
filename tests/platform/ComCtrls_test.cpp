#include <gtest/gtest.h>

#include <QTabBar>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/ComCtrls.h"

namespace {

class ComCtrlsTest : public ::testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }
  TComponent owner{nullptr};
};

TEST_F(ComCtrlsTest, PageControlShowsOnlyTheActivePageAndReportsOnlyTheUsersChoice) {
  auto* pages = new TPageControl(&owner);
  pages->SetBounds(0, 0, 300, 200);
  auto* edit = new TTabSheet(&owner);
  edit->SetCaption("Edit");
  edit->SetPageControl(pages);
  auto* run = new TTabSheet(&owner);
  run->SetCaption("Run");
  run->SetPageControl(pages);
  std::vector<int> changes;
  bool allow = true;
  pages->OnChanging = [&](TObject*, bool& ok) { ok = allow; };
  pages->OnChange = [&](TObject*) { changes.push_back(pages->ActivePageIndex()); };

  EXPECT_EQ(pages->ActivePage(), edit);  // the first page becomes active
  pages->SetActivePage(run);
  EXPECT_TRUE(run->Visible());
  EXPECT_FALSE(edit->Visible());
  EXPECT_TRUE(changes.empty());

  auto* tabs = WidgetOf(pages)->findChild<QTabBar*>();
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->currentIndex(), 1);
  tabs->setCurrentIndex(0);  // as a click on the tab does
  EXPECT_EQ(changes, std::vector<int>{0});
  allow = false;
  tabs->setCurrentIndex(1);
  EXPECT_EQ(pages->ActivePage(), edit);
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(changes, std::vector<int>{0});

  // Pages fill the area under the tabs.
  EXPECT_GT(edit->Top(), 0);
  EXPECT_LT(edit->Top() + edit->Height(), 200);
  delete run;
  EXPECT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(tabs->count(), 1);
}

TEST_F(ComCtrlsTest, StatusBarPanelsSitSideBySideAndSimpleModeTakesTheWholeBar) {
  auto* bar = new TStatusBar(&owner);
  bar->SetBounds(0, 0, 300, 19);
  for (int width : {65, 70, 70}) bar->Panels()->Add()->SetWidth(width);
  EXPECT_EQ(bar->PanelRect(0).Left, 0);
  EXPECT_EQ(bar->PanelRect(1).Left, 67);
  EXPECT_EQ(bar->PanelRect(2).Left, 139);
  EXPECT_EQ(bar->PanelRect(2).Right, 209);
  EXPECT_EQ(bar->PanelRect(-1).Width(), 300);
  bar->SetWidth(150);
  EXPECT_EQ(bar->PanelRect(2).Right, 150);  // cut at the edge
  bar->Panels()->Items(1)->SetText("Modified");
  EXPECT_EQ(bar->Panels()->Items(1)->Text(), "Modified");
}

TEST_F(ComCtrlsTest, ToolBarLaysButtonsOutInOrderAndCheckButtonsToggle) {
  auto* bar = new TToolBar(&owner);
  bar->SetButtonSize(25, 25);
  bar->SetBounds(0, 0, 400, 29);
  std::vector<TToolButton*> buttons;
  for (TToolButtonStyle style : {tbsButton, tbsSeparator, tbsCheck}) {
    auto* b = new TToolButton(&owner);
    b->SetStyle(style);
    b->SetParent(bar);
    buttons.push_back(b);
  }
  EXPECT_EQ(buttons[0]->Left(), 1);
  EXPECT_EQ(buttons[1]->Left(), 26);
  EXPECT_EQ(buttons[2]->Left(), 34);
  EXPECT_EQ(buttons[2]->Width(), 25);
  int clicks = 0;
  buttons[2]->OnClick = [&](TObject*) { ++clicks; };
  auto* tool = qobject_cast<QToolButton*>(WidgetOf(buttons[2]));
  ASSERT_NE(tool, nullptr);
  tool->click();
  EXPECT_TRUE(buttons[2]->Down());
  EXPECT_EQ(clicks, 1);
  buttons[0]->Hide();
  EXPECT_EQ(buttons[1]->Left(), 1);

  // Pointing at a button shows its long hint on the status line, its short one as the tooltip.
  buttons[2]->SetHint("Run|Run the script");
  EXPECT_EQ(tool->toolTip(), "Run");
  auto* early = new TToolButton(&owner);  // a hint given before the button has its window
  early->SetHint("Save|Save the script");
  early->SetParent(bar);
  EXPECT_EQ(WidgetOf(early)->toolTip(), "Save");
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(tool, &enter);
  EXPECT_EQ(Application->Hint(), "Run the script");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(tool, &leave);
  EXPECT_EQ(Application->Hint(), "");
}

TEST_F(ComCtrlsTest, HotKeyFieldTakesKeysWithAModifierAndClearsOnBackspace) {
  auto* field = new THotKey(&owner);
  int changes = 0;
  field->OnChange = [&](TObject*) { ++changes; };
  const struct {
    WORD key;
    TShiftState shift;
    THKModifiers substitute;
    TShortCut result;
  } cases[] = {
      {'5', {ssCtrl}, {THKModifier::hkAlt}, ShortCut('5', {ssCtrl})},
      {'A', {}, {THKModifier::hkAlt}, ShortCut('A', {ssAlt})},             // no modifier: Alt is put in
      {'B', {ssShift}, {THKModifier::hkCtrl}, ShortCut('B', {ssCtrl})},    // Shift alone is not enough
      {'C', {ssShift, ssCtrl}, {THKModifier::hkAlt}, ShortCut('C', {ssShift, ssCtrl})},
      {'D', {}, {}, ShortCut('C', {ssShift, ssCtrl})},                     // refused: nothing to put in
      {VK_CONTROL, {ssCtrl}, {THKModifier::hkAlt}, ShortCut('C', {ssShift, ssCtrl})},
      {VK_BACK, {}, {THKModifier::hkAlt}, 0},
  };
  for (const auto& c : cases) {
    field->Modifiers = c.substitute;
    field->PressKey(c.key, c.shift);
    EXPECT_EQ(field->HotKey(), c.result) << c.key;
  }
  EXPECT_EQ(changes, 5);
  field->SetHotKey(ShortCut('9', {ssCtrl}));
  auto* edit = static_cast<QLineEdit*>(WidgetOf(field));
  EXPECT_EQ(edit->text(), "Ctrl+9");
  QTest::keyClick(edit, Qt::Key_F7, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(field->HotKey(), ShortCut(VkF(7), {ssShift, ssCtrl}));
  EXPECT_EQ(edit->text(), "Shift+Ctrl+F7");
}

}  // namespace
