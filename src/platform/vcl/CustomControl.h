#pragma once
// A windowed control that paints itself through its canvas.
#include <memory>
#include <string>

#include "vcl/Controls.h"

class TCanvas;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// WM_PAINT paints the widget during its paint event, or the device context a sender passes as WParam
// (an image, a recording context), so a test can paint a control without a display.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  std::string ClassName() const override { return "TCustomControl"; }

  TCanvas* Canvas() const { return canvas_.get(); }
  // Paints onto DC; its clip box is the area to paint.
  void PaintWindow(HDC DC);

 protected:
  virtual void Paint();
  void WndProc(TMessage& Message) override;

 private:
  std::unique_ptr<TCanvas> canvas_;
};
