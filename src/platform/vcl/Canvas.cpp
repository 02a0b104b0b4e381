#include "vcl/Canvas.h"

#include <QImage>
#include <QPixmap>

#include "qt/QtSide.h"
#include "vcl/ImgList.h"

namespace {
COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }
}  // namespace

void TPen::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TPen*>(Source)) {
    color_ = other->color_;
    width_ = other->width_;
    Fire(OnChange, this);
    return;
  }
  TPersistent::Assign(Source);
}

void TPen::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Fire(OnChange, this);
}

void TPen::SetWidth(int Value) {
  if (Value == width_) return;
  width_ = Value;
  Fire(OnChange, this);
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TBrush*>(Source)) {
    color_ = other->color_;
    style_ = other->style_;
    Fire(OnChange, this);
    return;
  }
  TPersistent::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Fire(OnChange, this);
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  Fire(OnChange, this);
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  font_->OnChange = TNotifyEvent(this, &TCanvas::OnFontChange);
}

TCanvas::~TCanvas() = default;

void TCanvas::SetHandle(HDC Value) { dc_ = Value; }

void TCanvas::OnFontChange(TObject*) { fontHandle_.reset(); }

HDC TCanvas::MeasuringDC() const { return dc_ ? dc_ : GetDC(nullptr); }

void TCanvas::SelectFont(HDC dc) const {
  if (!fontHandle_) {
    const LOGFONTA lf = LogFontOf(*font_);
    fontHandle_.reset(CreateFontIndirectA(&lf));
  }
  SelectObject(dc, fontHandle_.get());
}

TRect TCanvas::ClipRect() const {
  TRect r;
  if (!dc_ || !GetClipBox(dc_, &r)) return TRect{};
  return r;
}

void TCanvas::FillRect(const TRect& Rect) {
  if (dc_ && brush_->Style() != bsClear) FillSolidRect(dc_, Rect, Rgb(brush_->Color()));
}

void TCanvas::MoveTo(int X, int Y) {
  if (dc_) MoveToEx(dc_, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
  if (!dc_) return;
  SetPen(dc_, Rgb(pen_->Color()), pen_->Width());
  ::LineTo(dc_, X, Y);
}

TPoint TCanvas::PenPos() const { return dc_ ? TDeviceContext::FromHandle(dc_)->State().PenPos : TPoint{}; }

HDC TCanvas::RequiredHandle() {
  if (!dc_) return nullptr;
  SelectFont(dc_);
  SetTextColor(dc_, Rgb(font_->Color()));
  SetBkColor(dc_, Rgb(brush_->Color()));
  SetBkMode(dc_, brush_->Style() == bsClear ? TRANSPARENT : OPAQUE);
  return dc_;
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  if (HDC dc = RequiredHandle()) TextOutA(dc, X, Y, Text.data(), static_cast<int>(Text.size()));
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const std::string& Text) {
  if (!dc_) return;
  SelectFont(dc_);
  SetTextColor(dc_, Rgb(font_->Color()));
  SetBkColor(dc_, Rgb(brush_->Color()));
  const UINT options = ETO_CLIPPED | (brush_->Style() == bsClear ? 0 : ETO_OPAQUE);
  ExtTextOutA(dc_, X, Y, options, &Rect, Text.data(), static_cast<UINT>(Text.size()), nullptr);
}

int TCanvas::TextWidth(const std::string& Text) const {
  HDC dc = MeasuringDC();
  SelectFont(dc);
  int width = 0;
  for (char c : Text) width += TDeviceContext::FromHandle(dc)->CharAdvance(static_cast<unsigned char>(c));
  return width;
}

int TCanvas::TextHeight(const std::string&) const {
  HDC dc = MeasuringDC();
  SelectFont(dc);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight;
}

void TCanvas::CopyRect(const TRect& Dest, const TImageDC& Source, const TRect& SourceRect) {
  if (dc_) TDeviceContext::FromHandle(dc_)->DrawImage(Dest, Source, SourceRect);
}

void TCanvas::Draw(int X, int Y, const TImageList& Images, int Index) {
  if (!dc_ || Index < 0 || Index >= Images.Count()) return;
  const TImageDC image = ImageDCOf(ImagePixmap(Images, Index).toImage());
  TDeviceContext::FromHandle(dc_)->DrawImage(TRect{X, Y, X + image.Width(), Y + image.Height()}, image,
                                            TRect{0, 0, image.Width(), image.Height()});
}
