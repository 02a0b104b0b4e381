#pragma once
// Real user input for tests: Qt key, mouse and input-method events delivered to a control's widget, so
// the layer's translation into window messages runs as it does for a user. Use these for the main path
// of anything a user reaches by keyboard, mouse or input method; keep Perform for edge cases behind it.
//
// Every function takes either the control (its widget is made when missing) or a plain widget. Events
// are sent synchronously: when a function returns, the control has handled them. A null widget sends
// keys where the desktop would: to the widget that has the keyboard focus (or the active window).
//
//   Type(*edit, "ab");                          // key press and release per character
//   Type(nullptr, "ab");                        // to whatever has the keyboard focus now
//   TypeText(WidgetOf(edit), "ж€");             // any script, one key each
//   Press(*edit, Qt::Key_Tab);                  // one key, optional modifiers
//   Keys(*form, "Ctrl+Shift+C");                // a key sequence in Qt's portable text form
//   Click(*edit, {30, 5});                      // left click at a client point
//   PressMouse(*b, {3, 3}); DragMouse(*b, {40, 3}); ReleaseMouse(*b, {40, 3});  // held, moved, let go
//   CommitText(*edit, "ж");                     // what an input method hands over at the end of a composition
//
//   EventCounter paints(WidgetOf(edit), QEvent::Paint);
//   ... ; EXPECT_TRUE(paints.WaitFor(1));        // waits (pumping events) until one more paint arrived
#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <string>
#include "qt/QtSide.h"

#include "common/TestApp.h"

class QWidget;
class TWinControl;

namespace corvane::test {

// Characters typed one after the other (press and release each), as QTest::keyClicks does; Latin-1 bytes.
void Type(QWidget* widget, const std::string& text);
void Type(TWinControl& control, const std::string& text);
// Characters of any script typed one after the other, each with the key a layout for it has (beyond
// the Basic Multilingual Plane no key: a character a program sends).
void TypeText(QWidget* widget, const QString& text);

// One key pressed and released, with modifiers held.
void Press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Press(TWinControl& control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Key strokes given as text ("Ctrl+Shift+C", "F9", "Ctrl+K, Ctrl+B"). A held Ctrl with a letter types
// that letter's control character, as the X server does, so character handlers see what a user sends.
void Keys(QWidget* widget, const QString& sequence);
void Keys(TWinControl& control, const QString& sequence);

// Mouse buttons at a client point of the widget (left button unless said otherwise).
void Click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Click(TWinControl& control, QPoint at, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void DoubleClick(QWidget* widget, QPoint at);
void DoubleClick(TWinControl& control, QPoint at);
// The mouse moved to a client point with no button held (cursor shapes, hints).
void MoveMouse(QWidget* widget, QPoint at);
void MoveMouse(TWinControl& control, QPoint at);
// A button held down, the mouse moved with it held (the widget pressed keeps the moves, as the
// system's implicit grab does, even at points outside it), and the button let go: for drags and for
// controls that act while the button is held.
void PressMouse(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void PressMouse(TWinControl& control, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void DragMouse(QWidget* widget, QPoint at);
void DragMouse(TWinControl& control, QPoint at);
void ReleaseMouse(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void ReleaseMouse(TWinControl& control, QPoint at, Qt::MouseButton button = Qt::LeftButton);

// A left click in the middle of a tab of the control's tab bar (a page control's).
void ClickTab(TWinControl& tabs, int index);

// A key pressed in the menu open now (opened by its Alt key or by a click), as the keyboard sends it to
// the open menu; false when no menu is open.
bool PressInMenu(Qt::Key key);

// An input method's composition: the pre-edit text shown while composing, and the text it commits.
void PreeditText(QWidget* widget, const QString& text);
void CommitText(QWidget* widget, const QString& text);
void CommitText(TWinControl& control, const QString& text);

// Counts the events of one type that reach a widget (an event filter, removed with the counter).
class EventCounter : public QObject {
 public:
  EventCounter(QWidget* widget, QEvent::Type type);
  ~EventCounter() override;
  int Count() const { return count_; }
  // Runs the event loop until `more` further events arrived (counted from now) or the time ran out;
  // false on time-out. The time-out is a safety net, never part of what a test checks.
  bool WaitFor(int more = 1, int timeoutMs = kUntilTheTestTimesOut);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* widget_;
  QEvent::Type type_;
  int count_ = 0;
};

// Runs the event loop until every event posted so far (and the work they post in turn, up to a few
// rounds) is done; for the step between an input and the check of its effect.
void Settle();

}  // namespace corvane::test
