#include "qt/WidgetRelay.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QWidget>

#include <utility>

#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/Controls.h"

void TWidgetRelay::Attach(TWinControl* control) {
  QWidget* widget = WidgetOf(control);
  widget->installEventFilter(new TWidgetRelay(control, widget));
}

bool TWidgetRelay::RequestContextMenu(TWinControl* control, const QPoint& globalPos) {
  if (!control->PopupMenu()) return false;
  const LPARAM pos = static_cast<LPARAM>(MAKELONG(static_cast<WORD>(globalPos.x()), static_cast<WORD>(globalPos.y())));
  CallHandler(control, [&] { control->Perform(WM_CONTEXTMENU, 0, pos); });
  return true;
}

void TWidgetRelay::ShowHint() {
  Application->SetHint(GetLongHint(control_->Hint));
  hinting_ = true;
}

void TWidgetRelay::WithdrawHint() {
  if (std::exchange(hinting_, false) && Application->Hint() == GetLongHint(control_->Hint)) Application->CancelHint();
}

bool TWidgetRelay::eventFilter(QObject* /*watched*/, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn: CallHandler(control_, [this] { control_->Perform(WM_SETFOCUS); }); break;
    case QEvent::FocusOut: CallHandler(control_, [this] { control_->Perform(WM_KILLFOCUS); }); break;
    case QEvent::Enter: ShowHint(); break;
    case QEvent::Leave:
      hinting_ = false;
      Application->CancelHint();
      break;
    case QEvent::Hide: WithdrawHint(); break;
    case QEvent::ContextMenu: return RequestContextMenu(control_, static_cast<QContextMenuEvent*>(event)->globalPos());
    default: break;
  }
  return false;
}
