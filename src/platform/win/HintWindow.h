#pragma once
// A hint window: a small borderless pop-up with one line of text on the hint colour, shown at a screen
// rectangle and hidden again, as the class library's hint window class is.
#include <memory>
#include <string>

#include "vcl/Graphics.h"
#include "vcl/Types.h"

class QLabel;

class THintWindow {
 public:
  THintWindow();
  ~THintWindow();
  THintWindow(const THintWindow&) = delete;
  THintWindow& operator=(const THintWindow&) = delete;

  // The screen rectangle (at the origin) the text needs, wrapped to at most MaxWidth pixels.
  TRect CalcHintRect(int MaxWidth, const std::string& Hint) const;
  // Shows Hint over the screen rectangle Rect.
  void ActivateHint(const TRect& Rect, const std::string& Hint);
  void ReleaseHandle();  // hides it

  bool Showing() const;
  const std::string& Caption() const { return caption_; }
  TColor Color = clInfoBk;

 private:
  struct TLabelDeleter {
    void operator()(QLabel* label) const;
  };
  QLabel* Label() const;

  mutable std::unique_ptr<QLabel, TLabelDeleter> label_;  // made on first use
  std::string caption_;
};
