#pragma once
// Finds the texts of a shown window that do not fit where they are shown: a label or button caption
// wider than its control, running into a neighbour or out of its parent; a menu bar item pushed
// behind the bar's overflow button; a status-bar panel whose text is cut.
#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <string>
#include <vector>

#include "qt/QtSide.h"
#include "vcl/ComCtrls.h"

namespace corvane::test {

namespace detail {

// A check box's caption has the room right of its box; any other control's needs its size hint.
inline bool RoomForCaption(QWidget* control) {
  if (auto* push = qobject_cast<QPushButton*>(control)) {
    // The style's smallest button width is no need of the caption's.
    const QStyle* style = push->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, push) +
                             style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, push));
    return push->fontMetrics().horizontalAdvance(QString(push->text()).remove('&')) + margins <= push->width();
  }
  auto* box = qobject_cast<QCheckBox*>(control);
  if (!box) return control->sizeHint().width() <= control->width();
  QStyleOptionButton option;
  option.initFrom(box);
  const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
  return box->fontMetrics().horizontalAdvance(QString(box->text()).remove('&')) <= room.width();
}

inline bool CaptionFits(QWidget* control, QWidget* window) {
  const QRect r = control->geometry();
  QWidget* parent = control->parentWidget();
  if (!RoomForCaption(control) || !parent->rect().contains(r)) return false;
  for (QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (other != control && other->isVisibleTo(window) && other->geometry().intersects(r)) return false;
  return true;
}

}  // namespace detail

inline std::vector<std::string> TextsThatDoNotFit(QWidget* window) {
  std::vector<std::string> cut;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window)) continue;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
    if (!text.isEmpty() && !detail::CaptionFits(w, window)) cut.push_back(text.toStdString());
    if (auto* bar = qobject_cast<QMenuBar*>(w))
      for (QAction* item : bar->actions()) {
        const QRect r = bar->actionGeometry(item);
        if (r.isEmpty() || !bar->rect().contains(r)) cut.push_back(item->text().toStdString());
      }
  }
  return cut;
}

// The names of the shown controls of a window that reach out of its client area, cut off there.
inline std::vector<std::string> ControlsOutsideClientArea(QWidget* window) {
  std::vector<std::string> cut;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    TWinControl* control = TWinControl::FindControl(reinterpret_cast<HWND>(w));
    if (!control || !w->isVisibleTo(window)) continue;
    const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    if (!window->rect().contains(r)) cut.push_back(control->Name());
  }
  return cut;
}

// The bar paints a panel's text 3 pixels inside each side of the panel; a simple bar shows its one
// text over the whole width.
inline std::vector<std::string> PanelTextsThatDoNotFit(TStatusBar* bar) {
  std::vector<std::string> cut;
  const QFontMetrics metrics(WidgetOf(bar)->font());
  const auto check = [&](const std::string& text, int index) {
    if (metrics.horizontalAdvance(QString::fromStdString(text)) > bar->PanelRect(index).Width() - 6) cut.push_back(text);
  };
  if (bar->SimplePanel()) {
    check(bar->SimpleText(), -1);
    return cut;
  }
  for (int i = 0; i < bar->Panels()->Count(); ++i) check(bar->Panels()->Items(i)->Text(), i);
  return cut;
}

}  // namespace corvane::test
