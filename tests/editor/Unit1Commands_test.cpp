// Every command of the main window does something, and the user reaches it where it shows: the menu
// bar opened by its Alt key, the tool bar, the editor's popup menu, the recent-files list.
#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/CommandWalk.h"
#include "common/MainWindow.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/UserInput.h"
#include "support/RecentList.h"

using namespace Corvane;

namespace corvane::test {
namespace {

bool Contains(const std::vector<TCommandPlace>& commands, const std::string& place) {
  for (const TCommandPlace& c : commands)
    if (c.place == place) return true;
  return false;
}

class Unit1Commands : public MainWindowTest {
 protected:
  // The window with two scripts in its recent list, shown and active, so that the menu bar's Alt keys
  // work as they do for the user.
  TForm1* StartWithRecentFiles() {
    for (const char* name : {"first.pl", "second.pl"}) WriteFile(Path(name), std::string("# ") + name + "\n");
    Start();
    form_->Open(Path("first.pl"), false);
    form_->Open(Path("second.pl"), false);
    QWidget* window = WidgetOf(form_.get());
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window, corvane::test::kUntilTheTestTimesOut));
    return form_.get();
  }

  // Keys typed into the menu that is open now, as its keyboard grab sends them.
  static void KeyInMenu(Qt::Key key) { ASSERT_TRUE(PressInMenu(key)) << "no menu is open"; }

  void SelectLine(int line) {
    const TPoint end{static_cast<int>(form_->Editor->Lines()->Get(line - 1).size()) + 1, line};
    form_->Editor->SetCaretXY(end);
    form_->Editor->SetBlockBegin({1, line});
    form_->Editor->SetBlockEnd(end);
  }
};

TEST_F(Unit1Commands, EveryItemAndButtonHasAHandlerAndShowsWhereTheUserLooks) {
  StartWithRecentFiles();
  const TCommandWalk walk = WalkCommands(form_.get());
  EXPECT_EQ(walk.Dead(), std::vector<std::string>{});
  EXPECT_EQ(walk.unreachable, std::vector<std::string>{});
  // The walk reaches the menu bar's sub-menus, the dynamic lists, the popup and the tool bar.
  for (const std::string& place : std::vector<std::string>{
           "&File > N&ew Window", "&File > &Reopen > &1 " + Path("second.pl"), "&View > &Tabs > &Smart Tabs",
        "&Help > &Perl Help > Perl book information", "&Quick Insert > my $name = param('name');",
        "PopupMenu1 > URL Decode", "tool bar > SyntaxCheckButton"})
    EXPECT_TRUE(Contains(walk.commands, place)) << place;

  // An item added without a handler is found.
  TMenuItem* added = NewItem(form_.get(), "Nothing", 0, false, true, nullptr, "Nothing1");
  form_->Tools1->Add(added);
  EXPECT_EQ(WalkCommands(form_.get()).Dead(), std::vector<std::string>{"&Tools > Nothing"});
  delete added;
}

TEST_F(Unit1Commands, TheMenuBarOpensByItsAltKeyAndAnItemByItsLetter) {
  StartWithRecentFiles();
  form_->Editor->SetText("one\ntwo\n");

  // Tools' enabling runs as the menu opens: with a selection Uppercase can be chosen.
  SelectLine(2);
  Keys(*form_->Editor, "Alt+T");
  KeyInMenu(Qt::Key_U);
  EXPECT_EQ(form_->Editor->Lines()->Get(1), "TWO");

  Keys(*form_->Editor, "Alt+V");
  KeyInMenu(Qt::Key_R);
  EXPECT_FALSE(form_->ToolBar->Visible());
  EXPECT_FALSE(ReadBoolSetting("Toolbar", true));

  // The recent list: File, Reopen, then the entry's number.
  form_->Editor->SetModified(false);
  Keys(*form_->Editor, "Alt+F");
  KeyInMenu(Qt::Key_R);
  KeyInMenu(Qt::Key_2);
  EXPECT_EQ(form_->CurrentFileName(), Path("first.pl"));
  EXPECT_EQ(form_->Editor->Lines()->Get(0), "# first.pl");
}

TEST_F(Unit1Commands, ToolBarButtonsAndPopupItemsRunTheirCommandsOnAClick) {
  StartWithRecentFiles();
  form_->Editor->SetText("One\nTwo\n");

  QTest::mouseClick(WidgetOf(form_->SelectAllButton), Qt::LeftButton);
  EXPECT_EQ(form_->Editor->SelText(), "One\r\nTwo");

  // The popup opens on the editor's context-menu request; Lowercase is enabled there by the selection.
  QWidget* editor = WidgetOf(form_->Editor);
  const QPoint at(40, 10);
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, editor->mapToGlobal(at));
  QApplication::sendEvent(editor, &request);
  QMenu* popup = SubMenuOf(form_->PopupMenu1->Items());
  ASSERT_TRUE(popup->isVisible());
  QAction* lowercase = ActionOf(form_->PopLowercase1);
  ASSERT_TRUE(lowercase->isEnabled());
  QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(lowercase).center());
  EXPECT_EQ(form_->Editor->Text(), "one\r\ntwo\r\n");
}

}  // namespace
}  // namespace corvane::test
