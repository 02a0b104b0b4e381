#pragma once
// A main window of the editor over a private settings store, and its dialogs opened from their menu
// items and driven from inside their modal loops.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <QTest>

#include "common/MainWindow.h"
#include "common/ModalForms.h"
#include "common/TestApp.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"

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

// The window shown, ready to run scripts.
class EditorWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    PrepareRuns();
    Start();
    PumpEvents(50);
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
};

}  // namespace corvane::test
