#pragma once
// An editor with its window, sized for the tests, that remembers the areas it asked to repaint.
#include <vector>

#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"

class TTestEdit : public TqzCustomEdit {
 public:
  explicit TTestEdit(int width = 400, int height = 600) : TqzCustomEdit(nullptr) {
    HandleNeeded();
    SetBounds(0, 0, width, height);
  }

  // The repaint requests sent to the window (those collected during a list change arrive as one).
  std::vector<TRect> Invalidated;

  void SetBlock(TPoint begin, TPoint end) {
    blockBegin_ = begin;
    blockEnd_ = end;
  }
  void PlaceCaret(int x, int y) {  // 1-based, no clamping
    caretX_ = x - 1;
    caretY_ = y - 1;
  }
  int CaretColumn() const { return caretX_ + 1; }
  int Rescan(int index) { return RescanFrom(index); }
  // The band of 1-based lines first..last as InvalidateLines sends it.
  TRect LineBand(int first, int last) const {
    return TRect{GutterWidth(), (first - topLine_) * LineHeight(), ClientWidth(), (last - topLine_ + 1) * LineHeight()};
  }

 protected:
  void InvalidateClientRect(const TRect& Rect) override {
    if (!HasState(sfLinesChanging)) Invalidated.push_back(Rect);
    TqzCustomEdit::InvalidateClientRect(Rect);
  }
};
