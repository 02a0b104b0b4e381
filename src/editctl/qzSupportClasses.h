#pragma once
// Small classes of the editor control: the selection colours, the gutter, the bookmark options and the
// process-wide strip of built-in mark images. The method chains it shares with the highlighters live
// below it, beside them.
#include <string>

#include "highlight/qzMethodChain.h"
#include "vcl/Canvas.h"
#include "vcl/Classes.h"
#include "vcl/Events.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"
#include "vcl/SysUtils.h"

// ---------------------------------------------------------------------------------------------------
// Selection colours and the gutter, published option objects of the editor.

class TqzSelectedColor : public TPersistent {
 public:
  std::string ClassName() const override { return "TqzSelectedColor"; }
  void Assign(TPersistent* Source) override;
  TColor Background() const { return FBG; }
  void SetBackground(TColor Value);
  TColor Foreground() const { return FFG; }
  void SetForeground(TColor Value);
  TNotifyEvent OnChange;

 private:
  TColor FBG = clHighlight;
  TColor FFG = clHighlightText;
};

class TqzGutter : public TPersistent {
 public:
  std::string ClassName() const override { return "TqzGutter"; }
  void Assign(TPersistent* Source) override;

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Cursor() const { return FCursor; }
  void SetCursor(int Value);
  int DigitCount() const { return FDigitCount; }
  // Clamped to 2..12; also resets the effective digit count.
  void SetDigitCount(int Value);
  bool LeadingZeros() const { return FLeadingZeros; }
  void SetLeadingZeros(bool Value);
  int LeftOffset() const { return FLeftOffset; }
  void SetLeftOffset(int Value);
  int RightOffset() const { return FRightOffset; }
  void SetRightOffset(int Value);
  bool ShowLineNumbers() const { return FShowLineNumbers; }
  void SetShowLineNumbers(bool Value);
  bool UseFontStyle() const { return FUseFontStyle; }
  void SetUseFontStyle(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  bool ZeroStart() const { return FZeroStart; }
  void SetZeroStart(bool Value);
  int EffectiveDigitCount() const { return FAutoSizeDigitCount; }

  // The gutter's pixel width for a character width.
  int GutterPixelWidth(int CharWidth) const;
  // Lets the digit count follow the line count (only when visible, auto-sized and numbered).
  void UpdateGutterDigits(int LineCount);
  // The number of a 1-based line as the gutter shows it.
  std::string FormatLineNumber(int Line) const;

  TNotifyEvent OnChange;

 private:
  template <class T>
  void Store(T& Field, T Value);
  bool FAutoSize = false;
  TColor FColor = clBtnFace;
  int FCursor = 0;
  int FDigitCount = 4;
  int FAutoSizeDigitCount = 4;
  bool FLeadingZeros = false;
  int FLeftOffset = 16;
  int FRightOffset = 2;
  bool FShowLineNumbers = false;
  bool FUseFontStyle = false;
  bool FVisible = true;
  int FWidth = 30;
  bool FZeroStart = false;
};

// The bookmark options the editor publishes; every change fires OnChange.
class TqzBookMarkOpt : public TPersistent {
 public:
  explicit TqzBookMarkOpt(TComponent* AOwner) : FOwner(AOwner) {}
  std::string ClassName() const override { return "TqzBookMarkOpt"; }

  TImageList* BookmarkImages() const { return FBookmarkImages; }
  // The owner is told when the image list goes, so that it can drop it.
  void SetBookmarkImages(TImageList* Value);
  bool EnableKeys() const { return FEnableKeys; }
  void SetEnableKeys(bool Value);
  bool GlyphsVisible() const { return FGlyphsVisible; }
  void SetGlyphsVisible(bool Value);
  int LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(int Value);
  int Xoffset() const { return FXoffset; }
  void SetXoffset(int Value);

  TNotifyEvent OnChange;

 private:
  void Changed() { Fire(OnChange, this); }
  TComponent* FOwner;
  TImageList* FBookmarkImages = nullptr;
  bool FEnableKeys = true;
  bool FGlyphsVisible = true;
  int FLeftMargin = 2;
  int FXoffset = 12;
};

// A handle on the process-wide strip of equally wide images side by side in one bitmap resource;
// the first handle loads it, the last one frees it.
class TqzInternalImage : public TObject {
 public:
  // A resource that cannot be read gives an empty strip, which draws nothing.
  TqzInternalImage(const std::string& ResourceName, int Count);
  ~TqzInternalImage() override;
  std::string ClassName() const override { return "TqzInternalImage"; }

  // Draws image Number at X in the line band starting at Y: centred when it fits, else its middle band.
  void DrawInternalImage(TCanvas* ACanvas, int Number, int LineHeight, int Y, int X) const;

  int ImageWidth() const;
  int ImageHeight() const;
  int ImageCount() const;
};
