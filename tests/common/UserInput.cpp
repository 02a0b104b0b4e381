#include "common/UserInput.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QTabBar>
#include <QTest>
#include <QWidget>

#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "vcl/Controls.h"

namespace corvane::test {

void Type(QWidget* widget, const std::string& text) { QTest::keyClicks(widget, QString::fromLatin1(text)); }
void Type(TWinControl& control, const std::string& text) { Type(WidgetOf(&control), text); }

void TypeText(QWidget* widget, const QString& text) {
  for (char32_t u : text.toUcs4()) {
    const QString typed = QString::fromUcs4(&u, 1);
    // Qt names a character's key by its capital, as the X server's key symbols go.
    const auto key = u <= 0xFFFF ? static_cast<Qt::Key>(QChar(static_cast<char16_t>(u)).toUpper().unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Press, widget, key, typed, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, key, typed, Qt::NoModifier);
  }
}

void Press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) { QTest::keyClick(widget, key, modifiers); }
void Press(TWinControl& control, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  Press(WidgetOf(&control), key, modifiers);
}

namespace {

// The text the X server gives a letter key: its control character with Ctrl, else the letter.
QString LetterText(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  const int index = key - Qt::Key_A;
  if (modifiers & Qt::ControlModifier) return QString(QChar(index + 1));
  return QString(QChar((modifiers & Qt::ShiftModifier ? 'A' : 'a') + index));
}

}  // namespace

void Keys(QWidget* widget, const QString& sequence) {
  const QKeySequence keys(sequence, QKeySequence::PortableText);
  for (int i = 0; i < keys.count(); ++i) {
    const QKeyCombination stroke = keys[i];
    const Qt::Key key = stroke.key();
    const Qt::KeyboardModifiers modifiers = stroke.keyboardModifiers();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
      const QString text = LetterText(key, modifiers);
      QTest::sendKeyEvent(QTest::Press, widget, key, text, modifiers);
      QTest::sendKeyEvent(QTest::Release, widget, key, text, modifiers);
    } else {
      QTest::keyClick(widget, key, modifiers);
    }
  }
}
void Keys(TWinControl& control, const QString& sequence) { Keys(WidgetOf(&control), sequence); }

void Click(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  QTest::mouseClick(widget, button, modifiers, at);
}
void Click(TWinControl& control, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  Click(WidgetOf(&control), at, button, modifiers);
}

void DoubleClick(QWidget* widget, QPoint at) {
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}
void DoubleClick(TWinControl& control, QPoint at) { DoubleClick(WidgetOf(&control), at); }

void MoveMouse(QWidget* widget, QPoint at) { QTest::mouseMove(widget, at); }
void MoveMouse(TWinControl& control, QPoint at) { MoveMouse(WidgetOf(&control), at); }

void PressMouse(QWidget* widget, QPoint at, Qt::MouseButton button) {
  QTest::mousePress(widget, button, Qt::NoModifier, at);
}
void PressMouse(TWinControl& control, QPoint at, Qt::MouseButton button) { PressMouse(WidgetOf(&control), at, button); }

// QTest keeps the buttons pressed through it and sends a move with them held.
void DragMouse(QWidget* widget, QPoint at) { QTest::mouseMove(widget, at); }
void DragMouse(TWinControl& control, QPoint at) { DragMouse(WidgetOf(&control), at); }

void ReleaseMouse(QWidget* widget, QPoint at, Qt::MouseButton button) {
  QTest::mouseRelease(widget, button, Qt::NoModifier, at);
}
void ReleaseMouse(TWinControl& control, QPoint at, Qt::MouseButton button) {
  ReleaseMouse(WidgetOf(&control), at, button);
}

void ClickTab(TWinControl& tabs, int index) {
  QTabBar* bar = WidgetOf(&tabs)->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly);
  if (!bar) return;
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

bool PressInMenu(Qt::Key key) {
  QWidget* menu = QApplication::activePopupWidget();
  if (!menu) return false;
  QTest::keyClick(menu, key);
  return true;
}

void PreeditText(QWidget* widget, const QString& text) {
  QInputMethodEvent event(text, {});
  QCoreApplication::sendEvent(widget, &event);
}

void CommitText(QWidget* widget, const QString& text) {
  QInputMethodEvent event;
  event.setCommitString(text);
  QCoreApplication::sendEvent(widget, &event);
}
void CommitText(TWinControl& control, const QString& text) { CommitText(WidgetOf(&control), text); }

EventCounter::EventCounter(QWidget* widget, QEvent::Type type) : widget_(widget), type_(type) {
  widget_->installEventFilter(this);
}

EventCounter::~EventCounter() { widget_->removeEventFilter(this); }

bool EventCounter::WaitFor(int more, int timeoutMs) {
  const int target = count_ + more;
  return PumpUntil([&] { return count_ >= target; }, timeoutMs);
}

bool EventCounter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget_ && event->type() == type_) ++count_;
  return false;
}

void Settle() {
  for (int round = 0; round < 4; ++round) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

}  // namespace corvane::test
