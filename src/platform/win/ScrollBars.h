#pragma once
// Window scroll bars as the windowing interface has them: a control's horizontal and vertical bar are
// fed with SetScrollInfo, hide themselves when the page covers the range, and report the user's actions
// to the control as WM_HSCROLL / WM_VSCROLL (code in the low word, thumb position in the high word).
// Also the window-scrolling and wheel services that go with them.
#include "vcl/Types.h"

class TWinControl;

inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_BOTH = 3;

// Codes in the low word of WM_HSCROLL / WM_VSCROLL.
inline constexpr WORD SB_LINEUP = 0;
inline constexpr WORD SB_LINELEFT = 0;
inline constexpr WORD SB_LINEDOWN = 1;
inline constexpr WORD SB_LINERIGHT = 1;
inline constexpr WORD SB_PAGEUP = 2;
inline constexpr WORD SB_PAGELEFT = 2;
inline constexpr WORD SB_PAGEDOWN = 3;
inline constexpr WORD SB_PAGERIGHT = 3;
inline constexpr WORD SB_THUMBPOSITION = 4;
inline constexpr WORD SB_THUMBTRACK = 5;
inline constexpr WORD SB_TOP = 6;
inline constexpr WORD SB_LEFT = 6;
inline constexpr WORD SB_BOTTOM = 7;
inline constexpr WORD SB_RIGHT = 7;
inline constexpr WORD SB_ENDSCROLL = 8;

inline constexpr UINT SIF_RANGE = 0x01;
inline constexpr UINT SIF_PAGE = 0x02;
inline constexpr UINT SIF_POS = 0x04;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x08;
inline constexpr UINT SIF_TRACKPOS = 0x10;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

// Sets the fields named by fMask and returns the new position. The bar shows while its range is
// larger than its page; showing or hiding it changes the client area and sends the control WM_SIZE.
int SetScrollInfo(TWinControl* Control, int Bar, const SCROLLINFO& Info, bool Redraw);
bool GetScrollInfo(const TWinControl* Control, int Bar, SCROLLINFO& Info);
// The client-area space the visible bars take: cx the vertical bar's width, cy the horizontal bar's height.
TSize ScrollBarsExtent(const TWinControl* Control);

// Moves the client area's pixels (children and scroll bars stay put) and repaints what came free.
void ScrollWindow(TWinControl* Control, int DX, int DY);

// Lines one wheel notch scrolls (the desktop's setting, 3 where it says nothing; -1 means a page).
int GetWheelScrollLines();
