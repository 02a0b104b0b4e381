#include "win/Caret.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "qt/QtSide.h"
#include "vcl/Controls.h"

namespace {

// A mouse-transparent child that inverts what its parent painted beneath it, blinking.
class TCaretWidget : public QWidget {
 public:
  explicit TCaretWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0) {
      blink_.setInterval(flash / 2);
      QObject::connect(&blink_, &QTimer::timeout, this, [this] {
        phaseOn_ = !phaseOn_;
        update();
        // As the desktop's own text fields do, a caret left alone stops blinking, shown, after a while:
        // an idle window costs nothing.
        if (phaseOn_ && ++blinks_ >= kBlinksBeforeRest) blink_.stop();
      });
    }
  }

  // Only a real change touches the widget: moving, showing or hiding it repaints its owner beneath it,
  // and the owner's paint hides and shows the caret, which would start the next round.
  void Place(const TRect& r, bool shown) {
    const QRect bounds(r.Left, r.Top, r.Width(), r.Height());
    if (bounds == geometry() && shown == isVisibleTo(parentWidget())) return;
    setGeometry(bounds);
    phaseOn_ = true;
    blinks_ = 0;
    setVisible(shown);
    if (shown && blink_.interval() > 0)
      blink_.start();
    else
      blink_.stop();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!phaseOn_) return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(rect(), Qt::white);
  }

 private:
  static constexpr int kBlinksBeforeRest = 10;  // about ten seconds at the usual flash time
  QTimer blink_;
  bool phaseOn_ = true;
  int blinks_ = 0;
};

struct TSystemCaret {
  TWinControl* Owner = nullptr;
  QPointer<TCaretWidget> Widget;  // a child of the owner's window, which frees it with itself
  TRect Bounds;
  int HideCount = 0;
  bool RefreshPosted = false;  // a change made during the owner's paint waits for its end
};

TSystemCaret& Caret() {
  static TSystemCaret caret;
  return caret;
}

void Refresh() {
  TSystemCaret& c = Caret();
  if (!c.Widget) return;
  // The caret is a window of its own above its owner's drawing, so the owner's paint, which hides and
  // shows it around its work, need not touch it: what changed is settled once the paint is over.
  if (c.Owner->InPaintEvent()) {
    if (!c.RefreshPosted) {
      c.RefreshPosted = true;
      QTimer::singleShot(0, c.Widget.data(), [] {
        Caret().RefreshPosted = false;
        Refresh();
      });
    }
    return;
  }
  c.Widget->Place(c.Bounds, c.HideCount == 0);
}

}  // namespace

bool CreateCaret(TWinControl* Owner, int Width, int Height) {
  if (!Owner) return false;
  DestroyCaret();
  QWidget* window = WidgetOf(Owner);
  TSystemCaret& c = Caret();
  c.Owner = Owner;
  c.Bounds = Bounds(0, 0, Width, Height);
  c.HideCount = 1;
  c.Widget = new TCaretWidget(window);
  // The caret goes with its window, as the system's does.
  QObject::connect(c.Widget.data(), &QObject::destroyed, [] { Caret() = TSystemCaret{}; });
  Refresh();
  return true;
}

bool DestroyCaret() {
  TSystemCaret& c = Caret();
  if (!c.Owner) return false;
  delete c.Widget.data();  // its destroyed signal clears the state
  c = TSystemCaret{};
  return true;
}

bool ShowCaret(TWinControl* Owner) {
  TSystemCaret& c = Caret();
  if (!c.Owner || c.Owner != Owner) return false;
  if (c.HideCount > 0) --c.HideCount;
  Refresh();
  return true;
}

bool HideCaret(TWinControl* Owner) {
  TSystemCaret& c = Caret();
  if (!c.Owner || c.Owner != Owner) return false;
  ++c.HideCount;
  Refresh();
  return true;
}

bool SetCaretPos(int X, int Y) {
  TSystemCaret& c = Caret();
  if (!c.Owner) return false;
  c.Bounds = Bounds(X, Y, c.Bounds.Width(), c.Bounds.Height());
  Refresh();
  return true;
}

TCaretState GetCaretState() {
  const TSystemCaret& c = Caret();
  return TCaretState{c.Owner, c.Bounds, c.Owner != nullptr && c.HideCount == 0};
}
