#include "editctl/qzSupportClasses.h"

#include <algorithm>

#include "win/Gdi.h"
#include "win/WinUser.h"

// ---------------------------------------------------------------------------------------------------
// TqzSelectedColor

void TqzSelectedColor::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TqzSelectedColor*>(Source)) {
    FBG = other->FBG;
    FFG = other->FFG;
    Fire(OnChange, this);
    return;
  }
  TPersistent::Assign(Source);
}

void TqzSelectedColor::SetBackground(TColor Value) {
  if (Value == FBG) return;
  FBG = Value;
  Fire(OnChange, this);
}

void TqzSelectedColor::SetForeground(TColor Value) {
  if (Value == FFG) return;
  FFG = Value;
  Fire(OnChange, this);
}

// ---------------------------------------------------------------------------------------------------
// TqzGutter

template <class T>
void TqzGutter::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Fire(OnChange, this);
}

void TqzGutter::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TqzGutter*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  FAutoSize = other->FAutoSize;
  FColor = other->FColor;
  FCursor = other->FCursor;
  FDigitCount = other->FDigitCount;
  FAutoSizeDigitCount = other->FAutoSizeDigitCount;
  FLeadingZeros = other->FLeadingZeros;
  FLeftOffset = other->FLeftOffset;
  FRightOffset = other->FRightOffset;
  FShowLineNumbers = other->FShowLineNumbers;
  FUseFontStyle = other->FUseFontStyle;
  FVisible = other->FVisible;
  FWidth = other->FWidth;
  FZeroStart = other->FZeroStart;
  Fire(OnChange, this);
}

void TqzGutter::SetAutoSize(bool Value) { Store(FAutoSize, Value); }
void TqzGutter::SetColor(TColor Value) { Store(FColor, Value); }
void TqzGutter::SetCursor(int Value) { Store(FCursor, Value); }
void TqzGutter::SetLeadingZeros(bool Value) { Store(FLeadingZeros, Value); }
void TqzGutter::SetLeftOffset(int Value) { Store(FLeftOffset, std::max(Value, 0)); }
void TqzGutter::SetRightOffset(int Value) { Store(FRightOffset, std::max(Value, 0)); }
void TqzGutter::SetShowLineNumbers(bool Value) { Store(FShowLineNumbers, Value); }
void TqzGutter::SetUseFontStyle(bool Value) { Store(FUseFontStyle, Value); }
void TqzGutter::SetVisible(bool Value) { Store(FVisible, Value); }
void TqzGutter::SetWidth(int Value) { Store(FWidth, std::max(Value, 0)); }
void TqzGutter::SetZeroStart(bool Value) { Store(FZeroStart, Value); }

void TqzGutter::SetDigitCount(int Value) {
  Value = std::clamp(Value, 2, 12);
  if (Value == FDigitCount) return;
  FDigitCount = Value;
  FAutoSizeDigitCount = Value;
  Fire(OnChange, this);
}

int TqzGutter::GutterPixelWidth(int CharWidth) const {
  if (!FVisible) return 0;
  if (FShowLineNumbers) return FLeftOffset + FRightOffset + CharWidth * FAutoSizeDigitCount + 2;
  return FWidth;
}

void TqzGutter::UpdateGutterDigits(int LineCount) {
  if (!(FVisible && FAutoSize && FShowLineNumbers)) {
    FAutoSizeDigitCount = FDigitCount;
    return;
  }
  const int digits = std::max(static_cast<int>(IntToStr(FZeroStart ? LineCount - 1 : LineCount).size()), FDigitCount);
  if (digits == FAutoSizeDigitCount) return;
  FAutoSizeDigitCount = digits;
  Fire(OnChange, this);
}

std::string TqzGutter::FormatLineNumber(int Line) const {
  std::string number = IntToStr(FZeroStart ? Line - 1 : Line);
  const size_t width = static_cast<size_t>(FAutoSizeDigitCount);
  if (number.size() < width) number.insert(0, width - number.size(), FLeadingZeros ? '0' : ' ');
  return number;
}

// ---------------------------------------------------------------------------------------------------

void TqzBookMarkOpt::SetBookmarkImages(TImageList* Value) {
  if (FBookmarkImages == Value) return;
  FBookmarkImages = Value;
  if (FBookmarkImages && FOwner) FBookmarkImages->FreeNotification(FOwner);
  Changed();
}

void TqzBookMarkOpt::SetEnableKeys(bool Value) {
  if (FEnableKeys == Value) return;
  FEnableKeys = Value;
  Changed();
}

void TqzBookMarkOpt::SetGlyphsVisible(bool Value) {
  if (FGlyphsVisible == Value) return;
  FGlyphsVisible = Value;
  Changed();
}

void TqzBookMarkOpt::SetLeftMargin(int Value) {
  if (FLeftMargin == Value) return;
  FLeftMargin = Value;
  Changed();
}

void TqzBookMarkOpt::SetXoffset(int Value) {
  if (FXoffset == Value) return;
  FXoffset = Value;
  Changed();
}

// ---------------------------------------------------------------------------------------------------

namespace {

// One strip per process; main thread only, so unlocked.
struct TInternalImageStrip {
  std::unique_ptr<TImageDC> Bitmap;
  int Instances = 0;
  int Width = 0;
  int Height = 0;
  int Count = 0;
};

TInternalImageStrip& Strip() {
  static TInternalImageStrip strip;
  return strip;
}

}  // namespace

TqzInternalImage::TqzInternalImage(const std::string& ResourceName, int Count) {
  TInternalImageStrip& strip = Strip();
  if (strip.Instances == 0) {
    strip.Bitmap = std::make_unique<TImageDC>(ResourceFilePath("bitmaps/" + ResourceName + ".xpm"));
    strip.Count = std::max(Count, 0);
    strip.Width = strip.Count > 0 ? (strip.Bitmap->Width() + strip.Count / 2) / strip.Count : 0;
    strip.Height = strip.Bitmap->Height();
  }
  ++strip.Instances;
}

TqzInternalImage::~TqzInternalImage() {
  TInternalImageStrip& strip = Strip();
  if (--strip.Instances == 0) strip.Bitmap.reset();
}

int TqzInternalImage::ImageWidth() const { return Strip().Width; }
int TqzInternalImage::ImageHeight() const { return Strip().Height; }
int TqzInternalImage::ImageCount() const { return Strip().Count; }

void TqzInternalImage::DrawInternalImage(TCanvas* ACanvas, int Number, int LineHeight, int Y, int X) const {
  const TInternalImageStrip& strip = Strip();
  if (Number < 0 || Number >= strip.Count || strip.Width == 0) return;
  const int left = Number * strip.Width;
  if (LineHeight < strip.Height) {
    const int top = (strip.Height - LineHeight) / 2;
    ACanvas->CopyRect(TRect{X, Y, X + strip.Width, Y + LineHeight}, *strip.Bitmap,
                      TRect{left, top, left + strip.Width, top + LineHeight});
  } else {
    const int y = Y + (LineHeight - strip.Height) / 2;
    ACanvas->CopyRect(TRect{X, y, X + strip.Width, y + strip.Height}, *strip.Bitmap,
                      TRect{left, 0, left + strip.Width, strip.Height});
  }
}
