#include <QPainter>
#include <QWidget>

#include "qt/QtSide.h"
#include "vcl/Canvas.h"
#include "vcl/CustomControl.h"
#include "win/Gdi.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC DC) {
  canvas_->SetHandle(DC);
  struct Unbind {
    TCanvas* canvas;
    ~Unbind() { canvas->SetHandle(nullptr); }
  } unbind{canvas_.get()};
  Paint();
}

void TCustomControl::Paint() {}

void TCustomControl::WndProc(TMessage& Message) {
  if (Message.Msg != WM_PAINT) {
    TWinControl::WndProc(Message);
    return;
  }
  if (Message.WParam != 0) {
    PaintWindow(reinterpret_cast<HDC>(Message.WParam));
  } else if (InPaintEvent()) {
    QPainter painter(WidgetOf(this));
    TPainterDC dc(PaintEventRect());
    SetPainterOf(dc, &painter);
    PaintWindow(dc.Handle());
  }
  Message.Result = 0;
}
