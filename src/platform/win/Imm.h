#pragma once
// The input method's side of a window: the text an input method composed arrives as
// WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION (with GCS_RESULTSTR when text was committed) and
// WM_IME_ENDCOMPOSITION; the committed text, in the ANSI code page, is read through the window's input
// context while the message is handled (characters the code page lacks are left out of it and come
// after it as CM_UNMAPPEDCHARS). When the input method asks which font to compose in, the window gets
// WM_IME_NOTIFY with IMN_SETOPENSTATUS and may set its context's composition font.
#include <string>

#include "vcl/Types.h"
#include "win/Gdi.h"

inline constexpr LPARAM GCS_COMPSTR = 0x0008;
inline constexpr LPARAM GCS_RESULTSTR = 0x0800;
inline constexpr WPARAM IMN_SETOPENSTATUS = 0x0008;

struct HIMC__ {
  std::string ResultString;
  bool HasCompositionFont = false;
  LOGFONTA CompositionFont;
};
using HIMC = HIMC__*;

// The window's input context; nullptr for no window.
HIMC ImmGetContext(HWND Window);
BOOL ImmReleaseContext(HWND Window, HIMC Context);
// GCS_RESULTSTR: the committed text's length in bytes without a buffer (or with Size 0), else the
// bytes copied into Buffer (at most Size, no NUL added). Negative for any other index.
LONG ImmGetCompositionString(HIMC Context, DWORD Index, char* Buffer, DWORD Size);
BOOL ImmSetCompositionFontA(HIMC Context, const LOGFONTA* Font);
// FALSE while the window set none.
BOOL ImmGetCompositionFontA(HIMC Context, LOGFONTA* Font);

// The layer's side: sets the text the next WM_IME_COMPOSITION of the window carries.
void ImmSetResultString(HWND Window, const std::string& Text);
