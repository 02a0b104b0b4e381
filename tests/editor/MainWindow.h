#pragma once
// A main window over a settings store of its own, and the user's ways into its menus.
#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Menus.h"
#include "win/RegistryStore.h"

namespace corvane::test {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    dir_ = MakeTempDir("main-window");
    std::filesystem::create_directories(dir_ + "/registry");
    RegistryStore::Instance().SetPath(dir_ + "/registry/registry.sqlite3");
    RegWriteBool(Corvane::kSettingsKey, "NoAssociation", true);
    SetCommandLine({});
  }
  void TearDown() override {
    form_.reset();
    std::filesystem::remove_all(dir_);
  }

  void SetCommandLine(std::vector<std::string> args) {
    args.insert(args.begin(), "Corvane");
    args_ = std::move(args);
    argv_.clear();
    for (std::string& a : args_) argv_.push_back(a.data());
    Application->Initialize(static_cast<int>(argv_.size()), argv_.data());
  }

  // A window built and shown, with the keyboard in the editor.
  Corvane::TForm1* Start() {
    form_.reset();
    form_.reset(CreateForm<Corvane::TForm1>(nullptr));
    form_->Show();
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

  std::string dir_;
  std::vector<std::string> args_;
  std::vector<char*> argv_;
  std::unique_ptr<Corvane::TForm1> form_;
};

}  // namespace corvane::test
