#include "win/ScrollBars.h"

#include <QApplication>
#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <unordered_map>

#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/Controls.h"
#include "vcl/Messages.h"

namespace {


bool Scrollable(const SCROLLINFO& info) {
  return info.nMax - info.nMin + 1 > static_cast<int>(info.nPage) && info.nMax > info.nMin;
}

int MaxPosition(const SCROLLINFO& info) {
  return std::max(info.nMin, info.nMax - std::max(static_cast<int>(info.nPage), 1) + 1);
}

WORD CodeOfAction(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return SB_TOP;
    case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
    default: return SB_THUMBTRACK;
  }
}

class TScrollBarHost;

// Every scroll-bar metric of the editor asks for its window's bars, many times a keystroke, so they are
// found through a table rather than by searching the window's children.
std::unordered_map<const QWidget*, TScrollBarHost*>& HostsByWindow() {
  static std::unordered_map<const QWidget*, TScrollBarHost*> hosts;
  return hosts;
}

// The two bars of one window, children of it; they go with the window.
class TScrollBarHost : public QObject {
 public:
  TScrollBarHost(TWinControl* control, QWidget* window) : QObject(window), control_(control), window_(window) {
    HostsByWindow()[window] = this;
    window->installEventFilter(this);
    for (int bar : {SB_HORZ, SB_VERT}) {
      auto* scrollBar = new QScrollBar(bar == SB_HORZ ? Qt::Horizontal : Qt::Vertical, window);
      scrollBar->setFocusPolicy(Qt::NoFocus);
      scrollBar->hide();
      QObject::connect(scrollBar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) { OnAction(bar, action); });
      QObject::connect(scrollBar, &QAbstractSlider::sliderReleased, this, [this, bar] { OnRelease(bar); });
      bars_[bar] = scrollBar;
    }
  }

  ~TScrollBarHost() override { HostsByWindow().erase(window_); }

  static TScrollBarHost* Find(const TWinControl* control) {
    QWidget* window = control ? WidgetIfAllocated(control) : nullptr;
    if (!window) return nullptr;
    const auto& hosts = HostsByWindow();
    const auto it = hosts.find(window);
    return it == hosts.end() ? nullptr : it->second;
  }

  static TScrollBarHost* Obtain(TWinControl* control) {
    QWidget* window = WidgetOf(control);
    TScrollBarHost* host = Find(control);
    return host ? host : new TScrollBarHost(control, window);  // a child of the window
  }

  int Set(int bar, const SCROLLINFO& info, bool redraw) {
    SCROLLINFO& stored = info_[bar];
    if (info.fMask & SIF_RANGE) {
      stored.nMin = info.nMin;
      stored.nMax = info.nMax;
    }
    if (info.fMask & SIF_PAGE) stored.nPage = info.nPage;
    if (info.fMask & SIF_POS) stored.nPos = info.nPos;
    stored.nPos = std::clamp(stored.nPos, stored.nMin, MaxPosition(stored));

    QScrollBar* scrollBar = bars_[bar];
    const QSignalBlocker quiet(scrollBar);
    scrollBar->setRange(stored.nMin, MaxPosition(stored));
    scrollBar->setPageStep(std::max(static_cast<int>(stored.nPage), 1));
    if (!scrollBar->isSliderDown()) scrollBar->setValue(stored.nPos);
    const bool shown = Scrollable(stored) || (info.fMask & SIF_DISABLENOSCROLL);
    scrollBar->setEnabled(Scrollable(stored));
    if (shown != visible_[bar]) {
      visible_[bar] = shown;
      Layout();
      SendSize();
    } else if (redraw) {
      scrollBar->update();
    }
    return stored.nPos;
  }

  const SCROLLINFO& Get(int bar) const { return info_[bar]; }

  TSize Extent() const {
    if (thickness_ < 0) thickness_ = window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window_);
    return TSize{visible_[SB_VERT] ? thickness_ : 0, visible_[SB_HORZ] ? thickness_ : 0};
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Resize) Layout();
    if (watched == window_ && event->type() == QEvent::StyleChange) thickness_ = -1;
    return false;
  }

 private:
  void Layout() {
    const TSize extent = Extent();
    const int w = window_->width();
    const int h = window_->height();
    bars_[SB_VERT]->setGeometry(w - extent.cx, 0, extent.cx, h - extent.cy);
    bars_[SB_HORZ]->setGeometry(0, h - extent.cy, w - extent.cx, extent.cy);
    for (int bar : {SB_HORZ, SB_VERT}) {
      bars_[bar]->setVisible(visible_[bar]);
      if (visible_[bar]) bars_[bar]->raise();
    }
  }

  // Showing or hiding a bar changes the client area, which the window hears of as a new size. A bar
  // that toggles while the window handles that size is told afterwards; bars settle within a few rounds.
  void SendSize() {
    if (sizing_) {
      resend_ = true;
      return;
    }
    sizing_ = true;
    constexpr int kMaxRounds = 4;
    for (int round = 0; round < kMaxRounds; ++round) {
      resend_ = false;
      CallHandler(control_, [this] {
        control_->Perform(WM_SIZE, SIZE_RESTORED,
                          static_cast<LPARAM>(MAKELONG(static_cast<WORD>(control_->ClientWidth()),
                                                       static_cast<WORD>(control_->ClientHeight()))));
      });
      if (!resend_) break;
    }
    sizing_ = false;
  }

  void Send(int bar, WORD code, int position) {
    CallHandler(control_, [&] {
      control_->Perform(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKELONG(code, static_cast<WORD>(position)), 0);
    });
  }

  void OnAction(int bar, int action) {
    QScrollBar* scrollBar = bars_[bar];
    const WORD code = CodeOfAction(action);
    if (code == SB_THUMBTRACK) {
      info_[bar].nTrackPos = scrollBar->sliderPosition();
      Send(bar, SB_THUMBTRACK, info_[bar].nTrackPos);
      return;
    }
    Send(bar, code, 0);
    // The window decides where the thumb goes, through SetScrollInfo.
    scrollBar->setSliderPosition(info_[bar].nPos);
    Send(bar, SB_ENDSCROLL, 0);
  }

  void OnRelease(int bar) {
    Send(bar, SB_THUMBPOSITION, bars_[bar]->sliderPosition());
    Send(bar, SB_ENDSCROLL, 0);
    bars_[bar]->setValue(info_[bar].nPos);
  }

  TWinControl* control_;
  QWidget* window_;
  mutable int thickness_ = -1;  // the style's bar thickness, asked once per style
  QScrollBar* bars_[2] = {nullptr, nullptr};  // children of the window
  SCROLLINFO info_[2];
  bool visible_[2] = {false, false};
  bool sizing_ = false;
  bool resend_ = false;
};

}  // namespace

int SetScrollInfo(TWinControl* Control, int Bar, const SCROLLINFO& Info, bool Redraw) {
  if (Bar != SB_HORZ && Bar != SB_VERT) return 0;
  return Control ? TScrollBarHost::Obtain(Control)->Set(Bar, Info, Redraw) : 0;
}

bool GetScrollInfo(const TWinControl* Control, int Bar, SCROLLINFO& Info) {
  TScrollBarHost* host = (Bar == SB_HORZ || Bar == SB_VERT) ? TScrollBarHost::Find(Control) : nullptr;
  if (!host) return false;
  const SCROLLINFO& stored = host->Get(Bar);
  if (Info.fMask & SIF_RANGE) {
    Info.nMin = stored.nMin;
    Info.nMax = stored.nMax;
  }
  if (Info.fMask & SIF_PAGE) Info.nPage = stored.nPage;
  if (Info.fMask & SIF_POS) Info.nPos = stored.nPos;
  if (Info.fMask & SIF_TRACKPOS) Info.nTrackPos = stored.nTrackPos;
  return true;
}

TSize ScrollBarsExtent(const TWinControl* Control) {
  TScrollBarHost* host = TScrollBarHost::Find(Control);
  return host ? host->Extent() : TSize{};
}

void ScrollWindow(TWinControl* Control, int DX, int DY) {
  if (!Control || !Control->HandleAllocated()) return;
  WidgetOf(Control)->scroll(DX, DY, QRect(0, 0, Control->ClientWidth(), Control->ClientHeight()));
}

int GetWheelScrollLines() { return qApp ? QApplication::wheelScrollLines() : 3; }
