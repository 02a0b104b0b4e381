#pragma once
// The class library's canvas: a font, a pen and a brush over a device context. A control's canvas gets
// the context of the current paint; without one it measures on the screen context and draws nothing.
#include <memory>
#include <string>

#include "vcl/Graphics.h"
#include "win/Gdi.h"

class TImageList;

enum TBrushStyle { bsSolid, bsClear };

class TPen : public TPersistent {
 public:
  std::string ClassName() const override { return "TPen"; }
  void Assign(TPersistent* Source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  TNotifyEvent OnChange;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
};

class TBrush : public TPersistent {
 public:
  std::string ClassName() const override { return "TBrush"; }
  void Assign(TPersistent* Source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle Value);
  TNotifyEvent OnChange;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  std::string ClassName() const override { return "TCanvas"; }

  HDC Handle() const { return dc_; }
  // Binds the canvas to a device context (nullptr unbinds it); the caller keeps the context alive.
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return dc_ != nullptr; }
  // The context with the canvas's font selected, its font colour and brush colour set, for drawing on
  // it directly (ExtTextOut with a spacing array); nullptr without a context.
  HDC RequiredHandle();

  TFont* Font() const { return font_.get(); }
  TPen* Pen() const { return pen_.get(); }
  TBrush* Brush() const { return brush_.get(); }
  TRect ClipRect() const;

  void FillRect(const TRect& Rect);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  TPoint PenPos() const;
  // Text in the font and font colour; the brush fills behind it unless its style is bsClear.
  void TextOut(int X, int Y, const std::string& Text);
  void TextRect(const TRect& Rect, int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text) const;
  int TextHeight(const std::string& Text) const;
  // Copies a rectangle of an image onto this canvas.
  void CopyRect(const TRect& Dest, const TImageDC& Source, const TRect& SourceRect);
  // Draws image Index of the list with its top-left corner at (X, Y); nothing for an index out of range.
  void Draw(int X, int Y, const TImageList& Images, int Index);

 private:
  HDC MeasuringDC() const;
  void SelectFont(HDC dc) const;
  void OnFontChange(TObject* Sender);
  HDC dc_ = nullptr;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  mutable TFontHandle fontHandle_;  // made from Font when text is first drawn or measured
};
