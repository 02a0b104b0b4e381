#pragma once
// Small routines that painting and editing share: clamping, tab expansion, character-set scans and
// the end-of-line scan.
#include <bitset>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vcl/Types.h"

// One bit per byte value.
using TqzCharSet = std::bitset<256>;

int MaxOf(int a, int b);
int MinOf(int a, int b);
int ClampValue(int value, int min, int max);
void SwapValues(int& a, int& b);

// count integers, each value (zero when value is 0).
std::vector<int> AllocFilledIntArray(int count, int value);

// Fills the rectangle in the DC's background colour.
void ClearTextRect(HDC dc, const TRect& rect);

// count = bytes before the first tab (or the whole length); true when there is a tab.
bool FindFirstTab(std::string_view text, int& count);

using TExpandTabsProc = std::string (*)(std::string_view text, int tabWidth);
bool IsPowerOfTwo(int value);
TExpandTabsProc ChooseTabExpander(int tabWidth);
// Each tab becomes one blank (tab widths below 2).
std::string ExpandTabsSingle(std::string_view text, int tabWidth = 1);
// Each tab becomes the blanks up to the next tab stop; the first variant for powers of two.
std::string ExpandTabsPow2(std::string_view text, int tabWidth);
std::string ExpandTabsAny(std::string_view text, int tabWidth);

// First 1-based position at or after start (or, scanning back, at or before start) whose byte is in
// the set; 0 when start lies outside the line or nothing matches.
int ScanForCharInSet(std::string_view line, int start, const TqzCharSet& set);
int ScanBackForCharInSet(std::string_view line, int start, const TqzCharSet& set);

// The first NUL, CR or LF; no text gives no pointer.
const char* FindLineEnd(const char* text);

// Runs the paired release on every way out of a scope.
template <class Release>
class TScopeGuard {
 public:
  explicit TScopeGuard(Release release) : release_(std::move(release)) {}
  ~TScopeGuard() { release_(); }
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

 private:
  Release release_;
};
