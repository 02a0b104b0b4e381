#include "editctl/qzSupportClasses.h"

#include <algorithm>

void TqzMethodChain::Fire() {
  // Indexed walk over copies, so that an entry may hook or unhook while the chain fires.
  for (size_t i = 0; i < FEntries.size(); ++i) {
    const TMethodEntry entry = FEntries[i];
    try {
      Exec(entry);
    } catch (Exception& E) {
      if (!DoHandleException(E)) break;
    }
  }
}

bool TqzMethodChain::DoHandleException(Exception& E) {
  if (!ExceptionHandler.Assigned()) throw;
  bool doContinue = true;
  try {
    ExceptionHandler(this, E, doContinue);
  } catch (...) {
    throw EqzMethodChain(
        Format("%s.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler", ClassName().c_str()));
  }
  return doContinue;
}

void TqzMethodChain::RemoveMethod(const vcl_detail::CodeBytes& Code, const void* Data) {
  std::erase_if(FEntries, [&](const TMethodEntry& e) { return e.Code == Code && e.Data == Data; });
}

void TqzNotifyEventChain::Exec(const TMethodEntry& AEntry) {
  std::any_cast<const TNotifyEvent&>(AEntry.Method)(FSender);
}

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
