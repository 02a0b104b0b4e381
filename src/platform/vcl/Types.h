#pragma once
// Plain value types and integer names of the windowing interface the components are written against.
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Handles are opaque: the layer hands out pointers to its own objects behind them.
struct HWND__;
using HWND = HWND__*;
struct HDC__;
using HDC = HDC__*;
struct HFONT__;
using HFONT = HFONT__*;

inline constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline constexpr DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) { return TRect{left, top, left + width, top + height}; }

// Smallest rectangle holding both; an empty rectangle adds nothing.
inline TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return TRect{a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top,
               a.Right > b.Right ? a.Right : b.Right, a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
}

// Overlap of two rectangles; false (and an empty result) when they do not meet.
inline bool IntersectRect(TRect& out, const TRect& a, const TRect& b) {
  out = TRect{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
              a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  if (out.IsEmpty()) {
    out = TRect{};
    return false;
  }
  return true;
}

inline int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(number) * numerator;
  const long long half = (denominator < 0 ? -denominator : denominator) / 2;
  const long long rounded = (product >= 0) == (denominator > 0) ? product + (denominator > 0 ? half : -half)
                                                                 : product - (denominator > 0 ? half : -half);
  return static_cast<int>(rounded / denominator);
}
