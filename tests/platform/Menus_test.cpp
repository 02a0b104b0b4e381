#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"

namespace {

class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }
};

// File > Save (Ctrl+S) and Edit > Undo (Ctrl+Z), whose Edit menu enables Undo only as it opens.
struct MenuFixture {
  TComponent owner{nullptr};
  TMainMenu* menu = new TMainMenu(&owner);
  TMenuItem* file = NewItem(&owner, "&File", 0, false, true, nullptr, "File1");
  TMenuItem* save = NewItem(&owner, "&Save", ShortCut('S', {ssCtrl}), false, true, nullptr, "Save1");
  TMenuItem* edit = NewItem(&owner, "&Edit", 0, false, true, nullptr, "Edit1");
  TMenuItem* undo = NewItem(&owner, "&Undo", ShortCut('Z', {ssCtrl}), false, false, nullptr, "Undo1");
  std::vector<std::string> log;
  bool canUndo = false;

  MenuFixture() {
    menu->Items()->Add(file);
    file->Add(save);
    menu->Items()->Add(edit);
    edit->Add(undo);
    save->OnClick = [this](TObject*) { log.push_back("save"); };
    undo->OnClick = [this](TObject*) { log.push_back("undo"); };
    edit->OnClick = [this](TObject*) {
      log.push_back("edit opens");
      undo->SetEnabled(canUndo);
    };
  }
};

TEST_F(MenusTest, AShortCutRunsTheEnablingHandlersAboveItsItemFirst) {
  MenuFixture f;
  EXPECT_FALSE(f.menu->IsShortCut(ShortCut('Z', {ssCtrl})));  // the handler keeps Undo disabled
  f.canUndo = true;
  EXPECT_TRUE(f.menu->IsShortCut(ShortCut('Z', {ssCtrl})));
  EXPECT_TRUE(f.menu->IsShortCut(ShortCut('S', {ssCtrl})));
  EXPECT_FALSE(f.menu->IsShortCut(ShortCut('S', {ssCtrl, ssShift})));
  EXPECT_EQ(f.log, (std::vector<std::string>{"edit opens", "edit opens", "undo", "save"}));
}

TEST_F(MenusTest, KeysGoToTheMenuBeforeTheFocusedControl) {
  MenuFixture f;
  TForm* form = CreateForm<TForm>(&f.owner);
  form->SetBounds(0, 0, 300, 200);
  auto* toolBar = new TWinControl(&f.owner);  // on the form before the menu is
  toolBar->SetHeight(30);
  toolBar->SetAlign(alTop);
  toolBar->SetParent(form);
  f.menu->SetWindow(form);
  auto* edit = new TEdit(&f.owner);
  edit->SetParent(form);
  form->Show();
  QWidget* target = WidgetOf(edit);
  auto press = [&](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &event);
  };
  press(Qt::Key_S, Qt::ControlModifier, QString());
  press(Qt::Key_A, Qt::NoModifier, "a");
  EXPECT_EQ(f.log, (std::vector<std::string>{"save"}));
  EXPECT_EQ(edit->Text(), "a");
  // The bar sits on top of the client area: top-aligned controls start below it.
  EXPECT_GT(toolBar->Top(), 0);
  EXPECT_EQ(toolBar->Top(), form->Controls(1)->Height());
}

TEST_F(MenusTest, OpeningASubmenuRunsItsEnablingHandlerAndItemsHintTheStatusLine) {
  MenuFixture f;
  f.undo->SetHint("Undo|Undo the last change");
  std::vector<std::string> hints;
  Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
  QMenu* menu = SubMenuOf(f.edit);
  menu->popup(QPoint(0, 0));
  EXPECT_EQ(f.log, std::vector<std::string>{"edit opens"});
  ActionOf(f.undo)->hover();
  menu->hide();  // a closed menu leaves no hint behind
  Application->OnHint = nullptr;
  EXPECT_EQ(hints, (std::vector<std::string>{"Undo the last change", ""}));
}

TEST_F(MenusTest, AControlsPopupMenuOpensOnItsContextMenuRequest) {
  TComponent owner(nullptr);
  auto* popup = new TPopupMenu(&owner);
  auto* item = new TMenuItem(&owner);
  item->SetCaption("&Paste");
  popup->Items()->Add(item);
  int popups = 0;
  popup->OnPopup = [&](TObject*) { ++popups; };
  auto* edit = new TEdit(&owner);
  edit->SetPopupMenu(popup);
  edit->Perform(WM_CONTEXTMENU, 0, 0);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(popup->PopupComponent(), edit);
  EXPECT_TRUE(SubMenuOf(popup->Items())->isVisible());
  SubMenuOf(popup->Items())->hide();
  popup->AutoPopup = false;
  edit->Perform(WM_CONTEXTMENU, 0, 0);
  EXPECT_EQ(popups, 1);
}

// Radio items "Choice 0", "Choice 1", ... under the parent, three in group 1 and one in group 2.
std::vector<TMenuItem*> AddRadioItems(TComponent& owner, TMenuItem& parent) {
  std::vector<TMenuItem*> items;
  for (int group : {1, 1, 1, 2}) {
    auto* item = new TMenuItem(&owner);
    item->SetCaption("Choice " + std::to_string(items.size()));
    item->SetRadioItem(true);
    item->SetGroupIndex(group);
    parent.Add(item);
    items.push_back(item);
  }
  return items;
}

TEST_F(MenusTest, CheckingARadioItemUnchecksItsGroupOnly) {
  TComponent owner(nullptr);
  TMenuItem parent(nullptr);
  const std::vector<TMenuItem*> items = AddRadioItems(owner, parent);
  items[0]->SetChecked(true);
  items[3]->SetChecked(true);
  items[2]->SetChecked(true);
  EXPECT_FALSE(items[0]->Checked());
  EXPECT_FALSE(items[1]->Checked());
  EXPECT_TRUE(items[2]->Checked());
  EXPECT_TRUE(items[3]->Checked());
}

// Radio items show as one choice of their group; what they show after a click is what the handler
// made of it.
TEST_F(MenusTest, RadioItemsShowAsOneChoiceOfTheirGroup) {
  TComponent owner(nullptr);
  TMenuItem parent(nullptr);
  const std::vector<TMenuItem*> items = AddRadioItems(owner, parent);
  auto* plain = NewItem(&owner, "Plain", 0, true, true, nullptr, "Plain1");
  parent.Add(plain);
  items[0]->SetChecked(true);
  items[1]->OnClick = [&](TObject*) { items[1]->SetChecked(true); };

  QActionGroup* group = ActionOf(items[0])->actionGroup();
  ASSERT_NE(group, nullptr);
  EXPECT_TRUE(group->isExclusive());
  EXPECT_EQ(ActionOf(items[2])->actionGroup(), group);
  EXPECT_NE(ActionOf(items[3])->actionGroup(), group);
  EXPECT_EQ(ActionOf(plain)->actionGroup(), nullptr);

  QMenu* menu = SubMenuOf(&parent);
  const auto choose = [menu](TMenuItem* item) {
    menu->popup(QPoint(0, 0));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(ActionOf(item)).center());
    menu->hide();
  };
  const auto shown = [&] {
    std::vector<bool> checked;
    for (TMenuItem* item : items) checked.push_back(ActionOf(item)->isChecked());
    return checked;
  };
  choose(items[2]);  // no handler: nothing changes, on screen either
  EXPECT_EQ(shown(), (std::vector<bool>{true, false, false, false}));
  choose(items[1]);
  EXPECT_EQ(shown(), (std::vector<bool>{false, true, false, false}));
  EXPECT_FALSE(items[0]->Checked());

  parent.Remove(items[2]);  // out of the group with its parent
  EXPECT_EQ(ActionOf(items[2])->actionGroup(), nullptr);
  delete items[2];
}

TEST_F(MenusTest, ItemsLeaveTheirParentWhenFreedInAnyOrder) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* menu = new TPopupMenu(owner.get());
  auto* top = new TMenuItem(owner.get());
  auto* child = new TMenuItem(owner.get());
  menu->Items()->Add(top);
  top->Add(child);
  delete child;
  EXPECT_EQ(top->Count(), 0);
  top->Add(new TMenuItem(owner.get()));
  owner.reset();  // the owner frees the parent before or after its children without a double free
  SUCCEED();
}

TEST_F(MenusTest, CaptionsAndFindIgnoreAcceleratorMarks) {
  const struct {
    const char* caption;
    const char* stripped;
  } cases[] = {{"&File", "File"}, {"Save &As...", "Save As..."}, {"Fish && Chips", "Fish & Chips"}, {"&&&x", "&x"}, {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(StripHotkey(c.caption), c.stripped) << c.caption;
  TMenuItem root(nullptr);
  auto* item = new TMenuItem(nullptr);
  item->SetCaption("Save &As...");
  root.Add(item);
  EXPECT_EQ(root.Find("save as..."), item);
  EXPECT_EQ(root.Find("Save"), nullptr);
}

}  // namespace
