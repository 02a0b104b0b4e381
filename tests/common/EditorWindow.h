#pragma once
// A main window of the editor over a private settings store, and its dialogs opened from their menu
// items and driven from inside their modal loops.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include <QTest>

#include "common/ModalForms.h"
#include "common/TestApp.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "win/RegistryStore.h"

namespace corvane::test {

// Replaces a field's whole text the way a user does: select all, then type (a line break as Enter).
inline void Retype(TWinControl* field, const std::string& text) {
  QWidget* widget = WidgetOf(field);
  QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
  for (char c : text) {
    if (c == '\n')
      QTest::keyClick(widget, Qt::Key_Return);
    else
      QTest::keyClicks(widget, QString(QChar(c)));
  }
}

inline void Click(TWinControl* control) { QTest::mouseClick(WidgetOf(control), Qt::LeftButton); }

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    dir_ = MakeTempDir("editorwindow");
    std::filesystem::create_directories(dir_ + "/runtime");
    std::filesystem::create_directories(dir_ + "/scripts");
    RegistryStore::Instance().SetPath(dir_ + "/registry.sqlite3");
    setenv("XDG_RUNTIME_DIR", (dir_ + "/runtime").c_str(), 1);
    RegWriteBool(Corvane::kSettingsKey, "NoAssociation", true);
    RegWriteBool(Corvane::kSettingsKey, "RunBrowserView", false);
    static char name[] = "Corvane";
    static char* argv[] = {name, nullptr};
    Application->Initialize(1, argv);
    form_.reset(CreateForm<Corvane::TForm1>(nullptr));
    form_->Show();
    PumpEvents(50);
  }
  void TearDown() override {
    form_.reset();
    std::filesystem::remove_all(dir_);
  }

  // Opens the dialog from the menu item and runs the steps inside its modal loop; the steps end it.
  template <class D>
  void WithDialog(TMenuItem* item, const std::function<void(D&)>& steps) {
    bool shown = false;
    WhenModalShown([](TCustomForm* form) { return dynamic_cast<D*>(form) != nullptr; }, [&](TCustomForm* dialog) {
      shown = true;
      steps(*static_cast<D*>(dialog));
    });
    item->Click();
    ASSERT_TRUE(shown);
  }

  static std::string Stored(const std::string& name) { return RegReadString(Corvane::kSettingsKey, name, "<none>"); }

  std::string dir_;
  std::unique_ptr<Corvane::TForm1> form_;
};

}  // namespace corvane::test
