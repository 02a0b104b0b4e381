#include "vcl/ExtCtrls.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <qdrawutil.h>

#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"

// ---------------------------------------------------------------------------------------------------
// TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (interval_ == Value) return;
  interval_ = Value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (timer_) timer_->stop();
  if (!enabled_ || interval_ == 0 || !QCoreApplication::instance()) return;
  if (!timer_) {
    timer_ = std::make_unique<QTimer>();
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { CallHandler(this, [this] { Timer(); }); });
  }
  timer_->start(static_cast<int>(interval_));
}

void TTimer::Timer() { Fire(OnTimer, this); }

// ---------------------------------------------------------------------------------------------------
// TPanel

class TPanelWidget : public QWidget {
 public:
  TPanelWidget(TPanel* panel, QWidget* parent) : QWidget(parent), panel_(panel) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(panel_->Color()));
    QRect r = rect();
    for (TPanelBevel bevel : {panel_->bevelOuter_, panel_->bevelInner_}) {
      if (bevel == bvNone) continue;
      if (bevel != bvSpace)
        qDrawShadePanel(&painter, r, palette(), bevel == bvLowered, panel_->bevelWidth_);
      r.adjust(panel_->bevelWidth_, panel_->bevelWidth_, -panel_->bevelWidth_, -panel_->bevelWidth_);
    }
    painter.setPen(ToQColor(panel_->Font()->Color()));
    painter.drawText(r, static_cast<int>(HorizontalAlignmentOf(panel_->alignment_) | Qt::AlignVCenter | Qt::TextWordWrap), ToQString(panel_->Caption()));
  }

 private:
  TPanel* panel_;
};

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

std::unique_ptr<QWidget> TPanel::CreateWidget(QWidget* ParentWidget) {
  auto widget = std::make_unique<TPanelWidget>(this, ParentWidget);
  if (!ParentFont) widget->setFont(ToQFont(*Font()));
  return widget;
}

void TPanel::SetBevelOuter(TPanelBevel Value) {
  bevelOuter_ = Value;
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel Value) {
  bevelInner_ = Value;
  Invalidate();
}

void TPanel::SetBevelWidth(int Value) {
  bevelWidth_ = Value;
  Invalidate();
}

void TPanel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

void TPanel::TextChanged() { Invalidate(); }

void TPanel::FontChanged() {
  if (QWidget* w = WidgetIfAllocated(this)) w->setFont(ToQFont(*Font()));
  Invalidate();
}
