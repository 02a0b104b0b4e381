// Real Qt key events sent to the editor's window, through the layer's translation into key messages.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "EditText.h"
#include "TestEdit.h"
#include "common/UserInput.h"
#include "editctl/qzCustomEdit.h"
#include "qt/QtSide.h"
#include "win/WinUser.h"

namespace {

using Lines = std::vector<std::string>;

struct TCommand {
  TqzEditorCommand command;
  char typed;
  friend bool operator==(const TCommand&, const TCommand&) = default;
};

class Keys : public testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    edit = std::make_unique<TTestEdit>();
    edit->OnProcessCommand = [this](TObject*, TqzEditorCommand& command, char& typed, void*) {
      commands.push_back(TCommand{command, typed});
    };
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(WidgetOf(edit.get()), key, modifiers);
  }

  // One stroke with the modifiers already held, as when Ctrl stays down over two strokes; a held Ctrl
  // types the letter's control character, as the desktop does.
  void Stroke(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
    const QString text = letter && (modifiers & Qt::ControlModifier) ? QString(QChar(key - Qt::Key_A + 1)) : QString();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(WidgetOf(edit.get()), &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(WidgetOf(edit.get()), &release);
  }

  std::unique_ptr<TTestEdit> edit;
  std::vector<TCommand> commands;
};

TEST_F(Keys, BoundKeysGiveTheirCommandsAndNoCharacter) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    TqzEditorCommand command;
  };
  const Case cases[] = {
      {Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier, ecSelWordLeft},
      {Qt::Key_Up, Qt::ControlModifier, ecScrollUp},
      {Qt::Key_Backspace, Qt::AltModifier, ecUndo},
      {Qt::Key_Tab, Qt::NoModifier, ecTab},
      {Qt::Key_Backtab, Qt::ShiftModifier, ecShiftTab},
      {Qt::Key_M, Qt::ControlModifier, ecLineBreak},  // Ctrl+M also types a control character
      {Qt::Key_Return, Qt::NoModifier, ecLineBreak},
  };
  for (const Case& c : cases) {
    commands.clear();
    Press(c.key, c.modifiers);
    EXPECT_EQ(commands, (std::vector<TCommand>{{c.command, '\0'}})) << EditorCommandToText(c.command);
  }
}

TEST_F(Keys, UnboundCharactersArriveAsTyping) {
  QTest::keyClicks(WidgetOf(edit.get()), "a(");
  EXPECT_EQ(commands, (std::vector<TCommand>{{ecChar, 'a'}, {ecChar, '('}}));
  EXPECT_EQ(LinesOf(*edit), Lines{"a("});

  // A letter of another script arrives as its byte in the editor's code page (Windows-1251).
  commands.clear();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x0436)));
  QCoreApplication::sendEvent(WidgetOf(edit.get()), &press);
  EXPECT_EQ(commands, (std::vector<TCommand>{{ecChar, '\xE6'}}));
  EXPECT_EQ(LinesOf(*edit), Lines{"a(\xE6"});
  // Also right after a bound key, which types no character of its own to be suppressed.
  Press(Qt::Key_Home, Qt::ControlModifier);
  commands.clear();
  QCoreApplication::sendEvent(WidgetOf(edit.get()), &press);
  EXPECT_EQ(commands, (std::vector<TCommand>{{ecChar, '\xE6'}}));
  EXPECT_EQ(LinesOf(*edit), Lines{"\xE6" "a(\xE6"});

  // OnKeyPress sees the character first and may take it away.
  edit->OnKeyPress = [](TObject*, char& key) { key = '\0'; };
  commands.clear();
  QTest::keyClicks(WidgetOf(edit.get()), "b");
  EXPECT_EQ(commands, (std::vector<TCommand>{{ecChar, '\0'}}));
  EXPECT_EQ(LinesOf(*edit), Lines{"\xE6" "a(\xE6"});
}

TEST_F(Keys, TwoStrokeBindingRemembersItsFirstStroke) {
  TqzKeyStroke* binding = edit->Keystrokes()->Add();
  binding->SetShortCut2(ShortCut('B', TShiftState{ssCtrl}));
  binding->SetShortCut(ShortCut('K', TShiftState{ssCtrl}));
  binding->SetCommand(ecDeleteLine);

  Stroke(Qt::Key_K, Qt::ControlModifier);
  Stroke(Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(commands, (std::vector<TCommand>{{ecChar, '\x0b'}, {ecDeleteLine, '\0'}}));  // Ctrl+K's character is ignored

  // Escape between the strokes, or Ctrl pressed again, clears the memory.
  for (Qt::Key between : {Qt::Key_Escape, Qt::Key_Control}) {
    commands.clear();
    Stroke(Qt::Key_K, Qt::ControlModifier);
    Stroke(between, Qt::ControlModifier);
    Stroke(Qt::Key_B, Qt::ControlModifier);
    for (const TCommand& c : commands) EXPECT_NE(c.command, ecDeleteLine) << between;
  }
}

TEST_F(Keys, AnyStrokeBetweenEndsTheMemory) {
  TqzKeyStroke* binding = edit->Keystrokes()->Add();
  binding->SetShortCut2(ShortCut('B', TShiftState{}));
  binding->SetShortCut(ShortCut('Q', TShiftState{ssCtrl}));
  binding->SetCommand(ecSelectAll);

  edit->FindKeyCommand('Q', TShiftState{ssCtrl});
  EXPECT_EQ(edit->FindKeyCommand('B', TShiftState{}), ecSelectAll);
  // Keys below 30 or above 145 clear it, a bound key clears it, an unbound key in range replaces it.
  for (WORD between : {VK_ESCAPE, VK_CONTROL, VK_OEM_1, WORD{VK_BACK}, WORD{'W'}}) {
    edit->FindKeyCommand('Q', TShiftState{ssCtrl});
    edit->FindKeyCommand(between, TShiftState{});
    EXPECT_EQ(edit->FindKeyCommand('B', TShiftState{}), ecNone) << between;
  }
}

// A key of another layout has no virtual key of its own; after a key that ran a command its letter is
// still typed.
TEST_F(Keys, ALetterOfAnotherLayoutIsTypedAfterACommandKey) {
  for (Qt::Key command : {Qt::Key_Left, Qt::Key_End, Qt::Key_Delete}) {
    edit->SetText("ab");
    Press(command);
    corvane::test::TypeText(WidgetOf(edit.get()), QString::fromUtf8("ж"));
    EXPECT_NE(edit->Lines()->Get(0).find('\xE6'), std::string::npos) << command;
  }
}

// Characters the code page lacks are told of, with a beep, where the editor would have taken them.
TEST_F(Keys, OnlyCharactersTheEditorWouldTakeAreToldOf) {
  struct Told {
    size_t count;
    char32_t first;
    bool replaced;
    bool operator==(const Told&) const = default;
  };
  std::vector<Told> told;
  edit->OnUnmappedChars = [&told](TObject*, const TUnmappedChars& chars, bool replaced) {
    told.push_back({chars.Count, chars.First, replaced});
  };
  struct Case {
    bool readOnly;
    bool bound;  // the key runs a command
    bool composed;
    const char* text;
    std::vector<Told> told;
  };
  const Case cases[] = {
      {false, false, false, "é", {{1, U'é', false}}},
      {false, false, true, "日本", {{2, U'日', false}}},
      {true, false, false, "é", {}},  // a read-only editor types nothing
      {true, false, true, "日本", {}},
      {false, true, false, "é", {}},  // nor does a key that ran a command
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    told.clear();
    edit->SetReadOnly(c.readOnly);
    if (c.bound) {
      // Keys without a virtual key of their own go down as the packet key.
      TqzKeyStroke* binding = edit->Keystrokes()->Add();
      binding->SetShortCut(ShortCut(VK_PACKET, TShiftState{}));
      binding->SetCommand(ecLineStart);
    }
    const int beeps = MessageBeepCount();
    const QString text = QString::fromUtf8(c.text);
    if (c.composed)
      corvane::test::CommitText(*edit, text);
    else
      corvane::test::TypeText(WidgetOf(edit.get()), text);
    EXPECT_EQ(told, c.told);
    EXPECT_EQ(MessageBeepCount() - beeps, static_cast<int>(c.told.size()));
    EXPECT_EQ(LinesOf(*edit), Lines{""});
  }
}

}  // namespace
