#include "qt/WidgetRelay.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QWidget>

#include "vcl/Application.h"
#include "vcl/Controls.h"

void TWidgetRelay::Attach(TWinControl* control) {
  QWidget* widget = control->Widget();
  widget->installEventFilter(new TWidgetRelay(control, widget));
}

bool TWidgetRelay::eventFilter(QObject* /*watched*/, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn: CallHandler(control_, [this] { control_->Perform(WM_SETFOCUS); }); break;
    case QEvent::FocusOut: CallHandler(control_, [this] { control_->Perform(WM_KILLFOCUS); }); break;
    case QEvent::Enter: Application->SetHint(GetLongHint(control_->Hint)); break;
    case QEvent::Leave: Application->CancelHint(); break;
    case QEvent::ContextMenu: {
      if (!control_->PopupMenu()) break;
      const QPoint p = static_cast<QContextMenuEvent*>(event)->globalPos();
      const LPARAM pos = static_cast<LPARAM>(MAKELONG(static_cast<WORD>(p.x()), static_cast<WORD>(p.y())));
      CallHandler(control_, [&] { control_->Perform(WM_CONTEXTMENU, 0, pos); });
      return true;
    }
    default: break;
  }
  return false;
}
