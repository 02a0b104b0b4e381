#pragma once
// Window-system calls on top-level windows: placement records, size limits, system metrics and
// posted messages. A window handle is a control's HWND (TWinControl::Handle).

#include <string>

#include "vcl/Messages.h"
#include "vcl/Types.h"

inline constexpr UINT SW_HIDE = 0;
inline constexpr UINT SW_SHOWNORMAL = 1;
inline constexpr UINT SW_SHOWMINIMIZED = 2;
inline constexpr UINT SW_SHOWMAXIMIZED = 3;
inline constexpr UINT SW_SHOWNOACTIVATE = 4;
inline constexpr UINT SW_SHOW = 5;
inline constexpr UINT SW_MINIMIZE = 6;
inline constexpr UINT SW_SHOWMINNOACTIVE = 7;
inline constexpr UINT SW_SHOWNA = 8;
inline constexpr UINT SW_RESTORE = 9;

inline constexpr UINT WPF_SETMINPOSITION = 1;
inline constexpr UINT WPF_RESTORETOMAXIMIZED = 2;

// System commands (WM_SYSCOMMAND's WParam).
inline constexpr WPARAM SC_SIZE = 0xF000;
inline constexpr WPARAM SC_MOVE = 0xF010;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_RESTORE = 0xF120;

// WM_ACTIVATE's WParam.
inline constexpr WPARAM WA_INACTIVE = 0;
inline constexpr WPARAM WA_ACTIVE = 1;

struct WINDOWPLACEMENT {
  UINT length = sizeof(WINDOWPLACEMENT);
  UINT flags = 0;
  UINT showCmd = 0;
  TPoint ptMinPosition;
  TPoint ptMaxPosition;
  TRect rcNormalPosition;
};

// The record of WM_GETMINMAXINFO; the message's LParam points at one.
struct MINMAXINFO {
  TPoint ptReserved;
  TPoint ptMaxSize;
  TPoint ptMaxPosition;
  TPoint ptMinTrackSize;
  TPoint ptMaxTrackSize;
};

// The normal rectangle is the window's frame in screen coordinates, also while it is minimized
// or maximized; the minimized and maximized positions are kept with the window (there is no
// icon position on this desktop). A hidden window reports the show command of its state.
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
// Applies the normal rectangle and the show command; SW_HIDE changes neither visibility nor state.
BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
BOOL IsWindowVisible(HWND window);

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXDLGFRAME = 7;
inline constexpr int SM_CYDLGFRAME = 8;
inline constexpr int SM_CXFRAME = 32;
inline constexpr int SM_CYFRAME = 33;
inline constexpr int SM_CXDRAG = 68;
inline constexpr int SM_CYDRAG = 69;
// Screen size of the primary screen; frame metrics are the thin frames of a plain desktop; the drag
// metrics are the desktop's drag distance.
int GetSystemMetrics(int index);

// The window that holds the mouse capture. While a button is held its window gets every mouse
// event anyway (also outside it); the capture records who asked for that. A window that goes
// loses it.
HWND SetCapture(HWND window);  // returns the previous holder
BOOL ReleaseCapture();
HWND GetCapture();

// Delivers the message to the window's control from the event loop, once the current work is
// done; a window destroyed meanwhile gets nothing.
BOOL PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// Delivers the message now, through the window's procedure; 0 for no window.
LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// A control's window starts with the control's own procedure (which runs its WndProc). A
// replacement set here sees the window's messages first and passes them on with CallWindowProc;
// a new window of the control starts with the control's own again. Empty for no window.
WNDPROC GetWindowProc(HWND window);
// Returns the procedure it replaces.
WNDPROC SetWindowProc(HWND window, const WNDPROC& procedure);
LRESULT CallWindowProc(const WNDPROC& procedure, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// A window procedure that calls the method with the message record; copies compare equal.
WNDPROC MakeObjectInstance(const TWndMethod& method);

// A hidden window that only receives messages (posted or sent) and hands them to the method.
HWND AllocateHWnd(const TWndMethod& method);
void DeallocateHWnd(HWND window);

// The default system beep; a count of them, so a test can tell one was given.
BOOL MessageBeep(UINT type);
int MessageBeepCount();

// A cursor image shipped with the programs (resources/cursors/<name>.png, its hot spot in the
// image's "HotSpotX"/"HotSpotY" texts). The handle lives as long as the process; 0 when the
// image is missing.
struct HICON__;
using HCURSOR = HICON__*;
HCURSOR LoadCursorResource(const std::string& name);

// The mouse position in screen coordinates, as of the last mouse event the program received.
BOOL GetCursorPos(TPoint* Point);
// While a window handles WM_SETCURSOR: the shape shown over it (null: its parent's). Returns null.
HCURSOR SetCursor(HCURSOR Cursor);
// For the layer's widgets: where the mouse was last seen.
void NoteMousePosition(int ScreenX, int ScreenY);

// The folder of the programs' own files (help pages, cursors, pictures, icons), with a trailing
// slash. It lies a fixed way from the program's folder, alike in the build tree and in an installed
// tree, so either works wherever it was moved.
std::string ProgramDataFolder();
// The file of a resource among them; empty when it does not exist.
std::string ResourceFilePath(const std::string& relative);
