#include "support/SpinEdit.h"

#include <gtest/gtest.h>

#include <chrono>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "common/TestApp.h"
#include "common/UserInput.h"
#include "qt/QtSide.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "win/WinUser.h"

namespace {

using corvane::test::Click;
using corvane::test::DragMouse;
using corvane::test::EnsureApplication;
using corvane::test::PressMouse;
using corvane::test::PumpUntil;
using corvane::test::ReleaseMouse;

class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    form_ = std::make_unique<TForm>(nullptr);
    edit_ = new TOmSpinEdit(form_.get());
    edit_->SetParent(form_.get());
    edit_->OnChange = [this](TObject*) { ++changes_; };
    form_->Show();
  }

  // The print dialog's number of copies.
  void MakeCopies() {
    edit_->MinValue = 1;
    edit_->MaxValue = 99;
    edit_->SetValue(1);
    edit_->SetMaxLength(2);
    changes_ = 0;
  }

  // Real key presses on the edit's window, as the keyboard delivers them.
  void Type(const std::string& keys) { QTest::keyClicks(WidgetOf(edit_), QString::fromStdString(keys)); }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(WidgetOf(edit_), key, modifiers);
  }

  std::unique_ptr<TForm> form_;
  TOmSpinEdit* edit_ = nullptr;
  int changes_ = 0;
};

TEST_F(SpinEditTest, TextReadsAndWritesByValueType) {
  struct Case {
    TValueType type;
    std::string text;
    double read;
    double written;
    std::string shown;
  };
  const Case cases[] = {
      {vtInteger, "42", 42, 2.5, "2"},      {vtInteger, "-7", -7, 3.5, "4"},
      {vtInteger, "", 0, -2.5, "-2"},       {vtInteger, "1.5", 0, 1e6, "1000000"},
      {vtHex, "ff", 255, 255, "FF"},        {vtHex, "zz", 0, 0.4, "0"},
      {vtFloat, "2.75", 2.75, 1.0 / 3, "0.33"}, {vtFloat, "1e3", 1000, -0.5, "-0.50"},
      {vtFloat, "abc", 0, 12, "12.00"},
  };
  for (const Case& c : cases) {
    edit_->SetValueType(c.type);
    edit_->SetText(c.text);
    EXPECT_DOUBLE_EQ(edit_->Value(), c.read) << c.type << " " << c.text;
    edit_->SetValue(c.written);
    EXPECT_EQ(edit_->Text(), c.shown) << c.type << " " << c.written;
  }
}

TEST_F(SpinEditTest, TextThatDoesNotConvertReadsAsTheLowerBound) {
  edit_->MinValue = -2.7;
  edit_->MaxValue = 10;
  edit_->SetText("x");
  EXPECT_DOUBLE_EQ(edit_->Value(), -2);
  edit_->SetValueType(vtFloat);
  edit_->SetText("x");
  EXPECT_DOUBLE_EQ(edit_->Value(), -2.7);
}

TEST_F(SpinEditTest, IntValueTruncatesTowardZero) {
  edit_->SetValueType(vtFloat);
  for (auto [value, expected] : {std::pair{2.7, 2}, std::pair{-2.7, -2}}) {
    edit_->SetValue(value);
    EXPECT_EQ(edit_->IntValue(), expected) << value;
  }
}

TEST_F(SpinEditTest, EqualBoundsDisableClampingElseValuesStayInside) {
  EXPECT_DOUBLE_EQ(edit_->ClampSpinValue(-1e9), -1e9);
  edit_->SetValue(123456);
  EXPECT_EQ(edit_->Text(), "123456");
  MakeCopies();
  for (auto [value, expected] : {std::pair{0.0, 1.0}, std::pair{50.0, 50.0}, std::pair{100.0, 99.0}})
    EXPECT_DOUBLE_EQ(edit_->ClampSpinValue(value), expected);
}

TEST_F(SpinEditTest, LeavingTheCopiesFieldClampsWhatWasTyped) {
  MakeCopies();
  edit_->SetText("0");
  edit_->Perform(WM_KILLFOCUS);
  EXPECT_EQ(edit_->Text(), "1");
  edit_->SetText("oops");  // reads as the lower bound, so it stays as typed
  edit_->Perform(WM_KILLFOCUS);
  EXPECT_EQ(edit_->Text(), "oops");
}

TEST_F(SpinEditTest, AStepReportsOneChangeAndNoneAtTheBound) {
  MakeCopies();
  int tops = 0;
  edit_->OnTopClick = [&](TObject*) { ++tops; };
  edit_->StepUp();
  EXPECT_EQ(edit_->Text(), "2");
  EXPECT_EQ(changes_, 1);
  EXPECT_TRUE(edit_->Modified);
  edit_->SetValue(99);
  changes_ = 0;
  edit_->StepUp();
  EXPECT_EQ(edit_->Text(), "99");
  EXPECT_EQ(changes_, 0);
  EXPECT_EQ(tops, 2);
}

TEST_F(SpinEditTest, AReadOnlyEditOnlyBeepsOnAStep) {
  edit_->SetReadOnly(true);
  int bottoms = 0;
  edit_->OnBottomClick = [&](TObject*) { ++bottoms; };
  const int beeps = MessageBeepCount();
  edit_->StepDown();
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_EQ(edit_->Text(), "0");
  EXPECT_EQ(bottoms, 0);
}

TEST_F(SpinEditTest, ArrowKeysStep) {
  Press(Qt::Key_Up);
  Press(Qt::Key_Up);
  Press(Qt::Key_Down);
  EXPECT_EQ(edit_->Text(), "1");
  EXPECT_EQ(changes_, 3);
  edit_->ArrowKeys = false;
  Press(Qt::Key_Up);
  EXPECT_EQ(edit_->Text(), "1");
}

TEST_F(SpinEditTest, TypingKeepsToCharactersOfTheValueType) {
  struct Case {
    TValueType type;
    std::string typed;
    std::string kept;
    int beeps;
  };
  const Case cases[] = {
      {vtInteger, "-12a.5", "-125", 2},
      {vtHex, "1fG", "1f", 1},
      {vtFloat, "1.5.2e3E", "1.52e3", 2},
  };
  for (const Case& c : cases) {
    edit_->SetValueType(c.type);
    edit_->SetText("");
    const int beeps = MessageBeepCount();
    Type(c.typed);
    EXPECT_EQ(edit_->Text(), c.kept) << c.typed;
    EXPECT_EQ(MessageBeepCount() - beeps, c.beeps) << c.typed;
  }
  edit_->EditorEnabled = false;
  EXPECT_FALSE(edit_->AcceptsChar('1'));
  EXPECT_FALSE(edit_->AcceptsChar('\b'));
  EXPECT_TRUE(edit_->AcceptsChar('\r'));
}

TEST_F(SpinEditTest, WithoutEditorEnabledNeitherTypingNorPasteNorCutChangeTheText) {
  struct Case {
    const char* name;
    bool editorEnabled;
    bool readOnly;
    const char* afterTyping;
    const char* afterPaste;
  };
  for (const Case& c : {Case{"editable", true, false, "57", "42"}, Case{"editor disabled", false, false, "5", "5"},
                        Case{"read-only", true, true, "5", "5"}}) {
    SCOPED_TRACE(c.name);
    edit_->EditorEnabled = c.editorEnabled;
    edit_->SetReadOnly(c.readOnly);
    edit_->SetText("5");
    edit_->SetSelStart(1);
    Type("7");
    EXPECT_EQ(edit_->Text(), c.afterTyping);
    Press(Qt::Key_Backspace);
    edit_->SetText("5");
    edit_->SelectAll();
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit_->Text(), c.editorEnabled && !c.readOnly ? "" : "5");
    QGuiApplication::clipboard()->setText("42");
    edit_->SetText("5");
    edit_->SelectAll();
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit_->Text(), c.afterPaste);
    edit_->SelectAll();
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit_->Text(), c.afterPaste);
  }
}

TEST_F(SpinEditTest, PasteFromTheEditsMenuNeedsEditorEnabled) {
  for (const bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    edit_->EditorEnabled = enabled;
    QGuiApplication::clipboard()->setText("42");
    edit_->SetText("5");
    edit_->SelectAll();
    // Chosen from the menu once it is open; a menu without the item is closed, failing the test.
    QTimer::singleShot(0, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      for (QAction* item : menu->actions())
        if (item->text().startsWith("&Paste")) item->trigger();
      menu->close();
    });
    const QPoint at(2, 2);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, WidgetOf(edit_)->mapToGlobal(at));
    QApplication::sendEvent(WidgetOf(edit_), &click);
    EXPECT_EQ(edit_->Text(), enabled ? "42" : "5");
  }
}

TEST_F(SpinEditTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  auto* ok = new TButton(form_.get());
  ok->SetParent(form_.get());
  ok->SetDefault(true);
  auto* cancel = new TButton(form_.get());
  cancel->SetParent(form_.get());
  cancel->Cancel = true;
  int okClicks = 0, cancelClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  char pressed = 0;
  edit_->OnKeyPress = [&](TObject*, char& key) { pressed = key; };
  edit_->SetText("5");
  Press(Qt::Key_Return);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(pressed, '\r');
  EXPECT_EQ(edit_->Text(), "5");
  Press(Qt::Key_Escape);
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_EQ(okClicks, 1);
}

TEST_F(SpinEditTest, ChangingToAnIntegerTypeRoundsTheIncrement) {
  edit_->SetValueType(vtFloat);
  edit_->SetIncrement(0.4);
  edit_->SetValue(2.6);
  edit_->SetValueType(vtInteger);
  EXPECT_DOUBLE_EQ(edit_->Increment(), 1);
  EXPECT_EQ(edit_->Text(), "0");  // "2.60" is no integer: it reads as the lower bound
  edit_->SetValueType(vtFloat);
  edit_->SetIncrement(2.6);
  edit_->SetValueType(vtHex);
  EXPECT_DOUBLE_EQ(edit_->Increment(), 3);
}

TEST_F(SpinEditTest, TheButtonSitsSquareAtTheRightAndTheEditKeepsAReadableHeight) {
  edit_->SetBounds(0, 0, 41, 21);
  TOmSpinButton* button = edit_->Button();
  EXPECT_EQ(button->Width(), 21);
  EXPECT_EQ(button->Height(), 21);
  EXPECT_EQ(button->Parent()->Left(), 20);
  edit_->SetHeight(2);
  EXPECT_GT(edit_->Height(), 2);
  EXPECT_EQ(button->Height(), edit_->Height());
  edit_->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
}

TEST_F(SpinEditTest, TheDiagonalButtonStepsByHalfAndRepeatsWhileHeld) {
  TOmSpinButton* button = edit_->Button();
  edit_->SetBounds(0, 0, 60, 20);
  ASSERT_EQ(button->Width(), 20);
  struct Case {
    int x, y;
    TSpinButtonState half;
  };
  for (const Case& c : {Case{2, 2, sbTopDown}, Case{18, 18, sbBottomDown}, Case{9, 9, sbTopDown}, Case{11, 11, sbBottomDown}})
    EXPECT_EQ(button->HalfAt(c.x, c.y), c.half) << c.x << "," << c.y;

  Click(*button, {3, 3});
  EXPECT_EQ(edit_->Text(), "1");
  EXPECT_EQ(button->Down(), sbNotDown);
  const auto pressed = std::chrono::steady_clock::now();
  PressMouse(*button, {17, 17});
  EXPECT_EQ(button->Down(), sbBottomDown);
  EXPECT_EQ(edit_->Text(), "0");
  // The first repeat waits 400 ms, the next ones 100 ms; a loaded machine only makes a wait longer.
  ASSERT_TRUE(PumpUntil([&] { return edit_->Value() < 0; }));
  EXPECT_GE(std::chrono::steady_clock::now() - pressed, std::chrono::milliseconds(300));
  EXPECT_TRUE(PumpUntil([&] { return edit_->Value() <= -3; }));
  ReleaseMouse(*button, {17, 17});
  EXPECT_EQ(button->Down(), sbNotDown);
  const std::string released = edit_->Text();
  // Three ticks of a timer at the repeat's pace: a repeat still running would have stepped by now.
  TTimer witness(nullptr);
  int ticks = 0;
  witness.OnTimer = [&](TObject*) { ++ticks; };
  witness.SetInterval(100);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_EQ(edit_->Text(), released);
}

TEST_F(SpinEditTest, DraggingOffTheHalfReleasesItAndBackOnPressesItAgain) {
  TOmSpinButton* button = edit_->Button();
  edit_->SetBounds(0, 0, 60, 20);
  // Moves with the button held reach the button even off it, as the pressed window keeps the mouse.
  PressMouse(*button, {3, 3});
  EXPECT_EQ(button->Down(), sbTopDown);
  EXPECT_EQ(edit_->Text(), "1");
  DragMouse(*button, {40, 3});
  EXPECT_EQ(button->Down(), sbNotDown);
  DragMouse(*button, {17, 17});
  EXPECT_EQ(button->Down(), sbNotDown);  // the other half was not the one pressed
  DragMouse(*button, {3, 3});
  EXPECT_EQ(button->Down(), sbTopDown);
  ReleaseMouse(*button, {3, 3});
  EXPECT_EQ(button->Down(), sbNotDown);
  // Let go off the button, nothing stays pressed and a later click steps once.
  PressMouse(*button, {17, 17});
  DragMouse(*button, {40, 17});
  ReleaseMouse(*button, {40, 17});
  EXPECT_EQ(button->Down(), sbNotDown);
  EXPECT_EQ(edit_->Text(), "0");
  Click(*button, {17, 17});
  EXPECT_EQ(edit_->Text(), "-1");
}

}  // namespace
