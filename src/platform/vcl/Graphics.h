#pragma once
// Colours and fonts of the class library.
#include <cstdint>
#include <string>

#include "vcl/Classes.h"

// 0x00BBGGRR, or a system colour: 0x80000000 | COLOR_xxx index, resolved from the desktop palette.
using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

inline constexpr bool IsSystemColor(TColor c) { return c < 0; }

// The RGB value (0x00BBGGRR) of a colour; system colours come from the application palette.
std::int32_t ColorToRGB(TColor Color);
inline constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int GetRValue(std::int32_t rgb) { return rgb & 0xFF; }
inline constexpr int GetGValue(std::int32_t rgb) { return (rgb >> 8) & 0xFF; }
inline constexpr int GetBValue(std::int32_t rgb) { return (rgb >> 16) & 0xFF; }

// The colour names the class library writes ("clWindow") and reads, or "$00BBGGRR".
std::string ColorToString(TColor Color);
bool IdentToColor(const std::string& Ident, TColor& Color);
TColor StringToColor(const std::string& Text);  // EConvertError for unknown text

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
inline constexpr TFontStyle fsBold = TFontStyle::fsBold;
inline constexpr TFontStyle fsItalic = TFontStyle::fsItalic;
inline constexpr TFontStyle fsUnderline = TFontStyle::fsUnderline;
inline constexpr TFontStyle fsStrikeOut = TFontStyle::fsStrikeOut;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset RUSSIAN_CHARSET = 204;
inline constexpr TFontCharset OEM_CHARSET = 255;

// A font description; Size (points) and Height (negative pixels) are two views of one value at the
// font's PixelsPerInch. Every change fires OnChange.
class TFont : public TPersistent {
 public:
  TFont();
  std::string ClassName() const override { return "TFont"; }
  void Assign(TPersistent* Source) override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& Value);
  int Size() const;
  void SetSize(int Value);
  int Height() const { return height_; }
  void SetHeight(int Value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch Value);
  int PixelsPerInch = 96;

  TNotifyEvent OnChange;

 protected:
  virtual void Changed();

 private:
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
};
