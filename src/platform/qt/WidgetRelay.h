#pragma once
// Carries the Qt events of a stock widget (a line edit, a button) that a control of the class library
// uses as its window to the control: focus as WM_SETFOCUS and WM_KILLFOCUS, the context-menu request as
// WM_CONTEXTMENU (so popup menus open), and the pointer entering and leaving as the application hint.
#include <QObject>
#include <QPoint>

class TWinControl;

class TWidgetRelay : public QObject {
 public:
  // Installs itself on the control's widget, which becomes its parent.
  static void Attach(TWinControl* control);
  // A context-menu request at a screen point handed to the control as WM_CONTEXTMENU; false when the
  // control has no popup menu to open.
  static bool RequestContextMenu(TWinControl* control, const QPoint& globalPos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TWidgetRelay(TWinControl* control, QObject* parent) : QObject(parent), control_(control) {}
  void ShowHint();
  // A widget hidden under the pointer (its window closed) gets no Leave: its hint goes then, unless
  // another has taken its place.
  void WithdrawHint();
  TWinControl* control_;
  bool hinting_ = false;  // the hint shown now is this control's
};
