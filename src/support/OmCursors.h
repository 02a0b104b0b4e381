#pragma once
// The two cursors both programs register at start, before any window exists.
#include "vcl/Forms.h"

inline constexpr TCursor crOmHand = 14000;  // resource "OM_HANDCUR"
inline constexpr TCursor crOmDrag = 14001;  // resource "OM_DRAGCUR"

// Puts them into the screen's cursor table; a missing image leaves its number on the arrow.
void RegisterOmCursors();
