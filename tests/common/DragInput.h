#pragma once
// Mouse strokes held over several events (press, moves, release) and drops of files from the desktop,
// as real Qt events sent to a widget, so the layer turns them into window messages as it does for a
// user. Points are client points of the widget.
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <string>
#include <vector>

namespace corvane::test {

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, modifiers);
  QCoreApplication::sendEvent(widget, &event);
}

inline void PressLeft(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
}

// The pointer moves with the left button held.
inline void DragTo(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, modifiers);
}

inline void ReleaseLeft(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, modifiers);
}

// Press, release, the double-click press and its release, as the window system sends a double-click.
inline void DoubleClickLeft(QWidget* widget, QPoint at) {
  PressLeft(widget, at);
  ReleaseLeft(widget, at);
  SendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
  ReleaseLeft(widget, at);
}

// A file manager's drop of the files (as file URLs) at a point; false when the widget takes no drops
// or refused them.
inline bool DropFileUrls(QWidget* widget, QPoint at, const std::vector<std::string>& files) {
  if (!widget->acceptDrops()) return false;
  QMimeData mime;
  QList<QUrl> urls;
  for (const std::string& file : files) urls << QUrl::fromLocalFile(QString::fromStdString(file));
  mime.setUrls(urls);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &drop);
  return drop.isAccepted();
}

}  // namespace corvane::test
