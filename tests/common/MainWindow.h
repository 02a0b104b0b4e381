#pragma once
// The editor's main window built in-process over a settings store of its own, from the command line
// and the settings the test gives, and the user's ways into its menus.
#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/TempRegistry.h"
#include "common/TestApp.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Menus.h"

namespace corvane::test {

class MainWindowTest : public ::testing::Test {
 protected:
  // The window starts from settings that leave the desktop's file types alone and from a command line
  // of the program's name only; a test presets more settings, or another command line, before it
  // builds the window.
  void SetUp() override {
    EnsureApplication();
    dir_ = MakeTempDir("main-window");
    RegWriteBool(Corvane::kSettingsKey, "NoAssociation", true);
    SetCommandLine({});
  }
  void TearDown() override {
    form_.reset();
    std::filesystem::remove_all(dir_);
  }

  // The arguments after the program's name.
  void SetCommandLine(std::vector<std::string> args) {
    args.insert(args.begin(), "Corvane");
    args_ = std::move(args);
    argv_.clear();
    for (std::string& a : args_) argv_.push_back(a.data());
    Application->Initialize(static_cast<int>(argv_.size()), argv_.data());
  }
  // Runs keep their files in folders of the test folder and show their output without the browser
  // engine, which starts only where a test asks for it.
  void PrepareRuns() {
    std::filesystem::create_directories(dir_ + "/runtime");
    std::filesystem::create_directories(dir_ + "/scripts");
    setenv("XDG_RUNTIME_DIR", (dir_ + "/runtime").c_str(), 1);
    RegWriteBool(Corvane::kSettingsKey, "RunBrowserView", false);
  }

  // A window built, not shown; it replaces the one built before.
  Corvane::TForm1* Build() {
    form_.reset();
    form_.reset(CreateForm<Corvane::TForm1>(nullptr));
    return form_.get();
  }
  // A window built and shown, with the keyboard in the editor.
  Corvane::TForm1* Start() {
    Build()->Show();
    return form_.get();
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  // Keys as the user presses them in the editor; the menus' short-cuts see them first.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(WidgetOf(form_->Editor), key, modifiers);
  }

  // Opens a menu (its enabling handler runs) and clicks the item with the mouse; false when the item
  // is not there to click (hidden or disabled).
  static bool Choose(TMenuItem* menu, TMenuItem* item) {
    SubMenuOf(menu)->popup(QPoint(0, 0));
    return ClickShown(SubMenuOf(menu), item);
  }
  // The same in a popup menu, opened as a right click opens it (its enabling handler runs).
  static bool ChooseFromPopup(TPopupMenu* popup, TMenuItem* item) {
    popup->Popup(0, 0);
    return ClickShown(SubMenuOf(popup->Items()), item);
  }
  static bool ClickShown(QMenu* shown, TMenuItem* item) {
    QAction* action = ActionOf(item);
    const bool clickable = action->isVisible() && action->isEnabled();
    if (clickable) QTest::mouseClick(shown, Qt::LeftButton, {}, shown->actionGeometry(action).center());
    shown->hide();
    return clickable;
  }

  TempRegistry store_;  // first, so it outlives the window, which saves its settings as it goes
  std::string dir_;     // the test's files
  std::vector<std::string> args_;
  std::vector<char*> argv_;
  std::unique_ptr<Corvane::TForm1> form_;
};

}  // namespace corvane::test
