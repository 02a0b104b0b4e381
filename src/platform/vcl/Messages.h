#pragma once
// Window messages, virtual keys and the message record that controls' window procedures receive.
#include "vcl/Events.h"
#include "vcl/Types.h"

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A window procedure: every message sent to a window passes through it (see GetWindowProc).
using WNDPROC = TEvent<LRESULT(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)>;
// An object's message method, as a hidden window or a made window procedure calls it.
using TWndMethod = TEvent<void(TMessage& Message)>;

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_WININICHANGE = 0x001A;  // the system settings changed
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;
inline constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
inline constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_NCHITTEST = 0x0084;
inline constexpr UINT WM_GETDLGCODE = 0x0087;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_IME_STARTCOMPOSITION = 0x010D;
inline constexpr UINT WM_IME_ENDCOMPOSITION = 0x010E;
inline constexpr UINT WM_IME_COMPOSITION = 0x010F;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_DROPFILES = 0x0233;
inline constexpr UINT WM_IME_NOTIFY = 0x0282;
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_UNDO = 0x0304;
inline constexpr UINT WM_USER = 0x0400;

// Component messages of the class library.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 0x05;  // Enter or Esc (WParam) for the form's default or cancel button
inline constexpr UINT CM_ENTER = CM_BASE + 0x0A;  // a focus change into the control
inline constexpr UINT CM_EXIT = CM_BASE + 0x0B;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0C;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0D;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0E;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0F;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 0x2A;

// WM_SETCURSOR's hit-test code (low word of LParam) for the client area.
inline constexpr LPARAM HTCLIENT = 1;

// WM_SIZE kinds.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// Mouse-key flags in the WParam of mouse messages.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;
inline constexpr int WHEEL_DELTA = 120;

// WM_GETDLGCODE answers.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// Virtual keys.
inline constexpr WORD VK_LBUTTON = 0x01;
inline constexpr WORD VK_RBUTTON = 0x02;
inline constexpr WORD VK_MBUTTON = 0x04;
inline constexpr WORD VK_BACK = 0x08;
inline constexpr WORD VK_TAB = 0x09;
inline constexpr WORD VK_CLEAR = 0x0C;
inline constexpr WORD VK_RETURN = 0x0D;
inline constexpr WORD VK_SHIFT = 0x10;
inline constexpr WORD VK_CONTROL = 0x11;
inline constexpr WORD VK_MENU = 0x12;
inline constexpr WORD VK_PAUSE = 0x13;
inline constexpr WORD VK_CAPITAL = 0x14;
inline constexpr WORD VK_ESCAPE = 0x1B;
inline constexpr WORD VK_SPACE = 0x20;
inline constexpr WORD VK_PRIOR = 0x21;
inline constexpr WORD VK_NEXT = 0x22;
inline constexpr WORD VK_END = 0x23;
inline constexpr WORD VK_HOME = 0x24;
inline constexpr WORD VK_LEFT = 0x25;
inline constexpr WORD VK_UP = 0x26;
inline constexpr WORD VK_RIGHT = 0x27;
inline constexpr WORD VK_DOWN = 0x28;
inline constexpr WORD VK_SNAPSHOT = 0x2C;
inline constexpr WORD VK_INSERT = 0x2D;
inline constexpr WORD VK_DELETE = 0x2E;
inline constexpr WORD VK_HELP = 0x2F;
inline constexpr WORD VK_LWIN = 0x5B;
inline constexpr WORD VK_APPS = 0x5D;
inline constexpr WORD VK_NUMPAD0 = 0x60;
inline constexpr WORD VK_MULTIPLY = 0x6A;
inline constexpr WORD VK_ADD = 0x6B;
inline constexpr WORD VK_SEPARATOR = 0x6C;
inline constexpr WORD VK_SUBTRACT = 0x6D;
inline constexpr WORD VK_DECIMAL = 0x6E;
inline constexpr WORD VK_DIVIDE = 0x6F;
inline constexpr WORD VK_F1 = 0x70;
inline constexpr WORD VK_F24 = 0x87;
inline constexpr WORD VK_NUMLOCK = 0x90;
inline constexpr WORD VK_SCROLL = 0x91;
inline constexpr WORD VK_OEM_1 = 0xBA;       // ;:
inline constexpr WORD VK_OEM_PLUS = 0xBB;    // =+
inline constexpr WORD VK_OEM_COMMA = 0xBC;
inline constexpr WORD VK_OEM_MINUS = 0xBD;
inline constexpr WORD VK_OEM_PERIOD = 0xBE;
inline constexpr WORD VK_OEM_2 = 0xBF;       // /?
inline constexpr WORD VK_OEM_3 = 0xC0;       // `~
inline constexpr WORD VK_OEM_4 = 0xDB;       // [{
inline constexpr WORD VK_OEM_5 = 0xDC;       // \|
inline constexpr WORD VK_OEM_6 = 0xDD;       // ]}
inline constexpr WORD VK_OEM_7 = 0xDE;       // '"
inline constexpr WORD VK_PACKET = 0xE7;      // a typed character without a key of its own
inline constexpr WORD VkF(int n) { return static_cast<WORD>(VK_F1 + n - 1); }

// The Alt flag of a key message's LParam (bit 29: the context code).
inline constexpr LPARAM KF_ALTDOWN_LPARAM = LPARAM{1} << 29;
