#include "vcl/Graphics.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <cstdio>

namespace {

std::int32_t FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

// The classic desktop colours, used when no application (and so no palette) exists.
constexpr std::array<std::int32_t, 25> kFallbackSystemColors = {
    RGB(200, 200, 200), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225)};

std::int32_t PaletteColor(int index) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
    return kFallbackSystemColors[static_cast<size_t>(index)];
  const QPalette p = QGuiApplication::palette();
  switch (index) {
    case 5: return FromQColor(p.color(QPalette::Active, QPalette::Base));
    case 8: return FromQColor(p.color(QPalette::Active, QPalette::Text));
    case 13: return FromQColor(p.color(QPalette::Active, QPalette::Highlight));
    case 14: return FromQColor(p.color(QPalette::Active, QPalette::HighlightedText));
    case 4:
    case 15: return FromQColor(p.color(QPalette::Active, QPalette::Button));
    case 7:
    case 18: return FromQColor(p.color(QPalette::Active, QPalette::ButtonText));
    case 16: return FromQColor(p.color(QPalette::Active, QPalette::Dark));
    case 17: return FromQColor(p.color(QPalette::Disabled, QPalette::Text));
    case 20: return FromQColor(p.color(QPalette::Active, QPalette::Light));
    case 21: return FromQColor(p.color(QPalette::Active, QPalette::Shadow));
    case 22: return FromQColor(p.color(QPalette::Active, QPalette::Midlight));
    case 23: return FromQColor(p.color(QPalette::Active, QPalette::ToolTipText));
    case 24: return FromQColor(p.color(QPalette::Active, QPalette::ToolTipBase));
    default: return kFallbackSystemColors[static_cast<size_t>(index)];
  }
}

struct ColorName {
  TColor color;
  const char* name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},       {clMaroon, "clMaroon"},   {clGreen, "clGreen"},
    {clOlive, "clOlive"},       {clNavy, "clNavy"},       {clPurple, "clPurple"},
    {clTeal, "clTeal"},         {clGray, "clGray"},       {clSilver, "clSilver"},
    {clRed, "clRed"},           {clLime, "clLime"},       {clYellow, "clYellow"},
    {clBlue, "clBlue"},         {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},
    {clWhite, "clWhite"},       {clNone, "clNone"},       {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},   {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},   {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

}  // namespace

std::int32_t ColorToRGB(TColor Color) {
  if (!IsSystemColor(Color)) return Color;
  const int index = Color & 0xFF;
  if (index < 0 || index >= static_cast<int>(kFallbackSystemColors.size())) return 0;
  return PaletteColor(index);
}

std::string ColorToString(TColor Color) {
  for (const ColorName& entry : kColorNames)
    if (entry.color == Color) return entry.name;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%.8X", static_cast<unsigned>(Color));
  return buffer;
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
  for (const ColorName& entry : kColorNames)
    if (SameText(Ident, entry.name)) {
      Color = entry.color;
      return true;
    }
  return false;
}

TColor StringToColor(const std::string& Text) {
  TColor color = 0;
  if (IdentToColor(Text, color)) return color;
  return StrToInt(Text);
}

// ---------------------------------------------------------------------------------------------------
// TFont

TFont::TFont() = default;

void TFont::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TFont*>(Source)) {
    name_ = other->name_;
    // Size, not Height, travels between fonts, so a font of another resolution keeps its point size.
    height_ = -MulDiv(other->Size(), PixelsPerInch, 72);
    style_ = other->style_;
    color_ = other->color_;
    charset_ = other->charset_;
    pitch_ = other->pitch_;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TFont::SetName(const std::string& Value) {
  if (Value.empty() || Value == name_) return;
  name_ = Value;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, PixelsPerInch, 72)); }

void TFont::SetHeight(int Value) {
  if (Value == height_) return;
  height_ = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == charset_) return;
  charset_ = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == pitch_) return;
  pitch_ = Value;
  Changed();
}

void TFont::Changed() { Fire(OnChange, this); }
