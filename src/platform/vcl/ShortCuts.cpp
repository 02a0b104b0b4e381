#include "vcl/ShortCuts.h"

#include <array>

#include "vcl/SysUtils.h"

namespace {

struct TKeyName {
  WORD Key;
  const char* Name;
};

// Keys whose name is not their own character.
constexpr std::array<TKeyName, 41> kKeyNames{{
    {0x08, "BkSp"},     {0x09, "Tab"},      {0x0D, "Enter"},    {0x1B, "Esc"},      {0x20, "Space"},
    {0x21, "PgUp"},     {0x22, "PgDn"},     {0x23, "End"},      {0x24, "Home"},     {0x25, "Left"},
    {0x26, "Up"},       {0x27, "Right"},    {0x28, "Down"},     {0x2D, "Ins"},      {0x2E, "Del"},
    {0x60, "Num 0"},    {0x61, "Num 1"},    {0x62, "Num 2"},    {0x63, "Num 3"},    {0x64, "Num 4"},
    {0x65, "Num 5"},    {0x66, "Num 6"},    {0x67, "Num 7"},    {0x68, "Num 8"},    {0x69, "Num 9"},
    {0x6A, "Num *"},    {0x6B, "Num +"},    {0x6D, "Num -"},    {0x6E, "Num Del"},  {0x6F, "Num /"},
    {0xBA, ";"},        {0xBB, "="},        {0xBC, ","},        {0xBD, "-"},        {0xBE, "."},
    {0xBF, "/"},        {0xC0, "`"},        {0xDB, "["},        {0xDC, "\\"},       {0xDD, "]"},
    {0xDE, "'"},
}};

constexpr WORD kF1 = 0x70;
constexpr int kFunctionKeys = 24;

std::string KeyName(WORD key) {
  for (const TKeyName& entry : kKeyNames)
    if (entry.Key == key) return entry.Name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= kF1 && key < kF1 + kFunctionKeys) return "F" + IntToStr(key - kF1 + 1);
  return {};
}

// The key a name stands for, 0 when none.
WORD KeyFromName(const std::string& name) {
  for (WORD key = 1; key <= 0xFF; ++key) {
    const std::string candidate = KeyName(key);
    if (!candidate.empty() && SameText(candidate, name)) return key;
  }
  return 0;
}

struct TModifier {
  const char* Prefix;
  TShortCut Bit;
};

constexpr std::array<TModifier, 3> kModifiers{{{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}}};

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  TShortCut value = static_cast<TShortCut>(Key & 0xFF);
  if (Shift.Contains(ssShift)) value |= scShift;
  if (Shift.Contains(ssCtrl)) value |= scCtrl;
  if (Shift.Contains(ssAlt)) value |= scAlt;
  return value;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift) {
  Key = static_cast<WORD>(ShortCut & 0xFF);
  Shift = TShiftState{};
  if (ShortCut & scShift) Shift.Include(ssShift);
  if (ShortCut & scCtrl) Shift.Include(ssCtrl);
  if (ShortCut & scAlt) Shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut ShortCut) {
  const std::string name = KeyName(static_cast<WORD>(ShortCut & 0xFF));
  if (name.empty()) return {};
  std::string text;
  for (const TModifier& modifier : kModifiers)
    if (ShortCut & modifier.Bit) text += modifier.Prefix;
  return text + name;
}

TShortCut TextToShortCut(const std::string& Text) {
  TShortCut modifiers = 0;
  std::string rest = Text;
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (const TModifier& modifier : kModifiers) {
      const std::string prefix = modifier.Prefix;
      // Only strip a prefix that leaves a key name behind it.
      if (rest.size() > prefix.size() && SameText(rest.substr(0, prefix.size()), prefix)) {
        modifiers |= modifier.Bit;
        rest.erase(0, prefix.size());
        stripped = true;
      }
    }
  }
  const WORD key = KeyFromName(rest);
  return key == 0 ? scNone : static_cast<TShortCut>(key | modifiers);
}
