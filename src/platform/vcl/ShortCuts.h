#pragma once
// Short-cut values of the class library: a virtual-key code in the low byte plus modifier bits,
// and their text form ("Ctrl+Shift+A", "F5", "Alt+BkSp").
#include <cstdint>
#include <string>

#include "vcl/Controls.h"

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

// Key plus the bits of the Shift, Ctrl and Alt members of Shift; other members are ignored.
TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);

// Modifier prefixes in the order Shift+, Ctrl+, Alt+, then the key's name; "" for 0.
std::string ShortCutToText(TShortCut ShortCut);
// The reverse, case-insensitive; 0 when the text names no key.
TShortCut TextToShortCut(const std::string& Text);
