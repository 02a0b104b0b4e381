#include "qzSupportProcs.h"

#include <utility>

#include "win/Gdi.h"

int MaxOf(int a, int b) { return a > b ? a : b; }

int MinOf(int a, int b) { return a < b ? a : b; }

int ClampValue(int value, int min, int max) {
  if (value < min) return min;
  if (value > max) return max;
  return value;
}

void SwapValues(int& a, int& b) { std::swap(a, b); }

std::vector<int> AllocFilledIntArray(int count, int value) {
  return std::vector<int>(static_cast<size_t>(MaxOf(count, 0)), value);
}

void ClearTextRect(HDC dc, const TRect& rect) { ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr); }

bool FindFirstTab(std::string_view text, int& count) {
  const size_t tab = text.find('\t');
  count = static_cast<int>(tab == std::string_view::npos ? text.size() : tab);
  return tab != std::string_view::npos;
}

bool IsPowerOfTwo(int value) { return value > 1 && value <= 65536 && (value & (value - 1)) == 0; }

TExpandTabsProc ChooseTabExpander(int tabWidth) {
  if (tabWidth < 2) return ExpandTabsSingle;
  return IsPowerOfTwo(tabWidth) ? ExpandTabsPow2 : ExpandTabsAny;
}

std::string ExpandTabsSingle(std::string_view text, int) {
  std::string result(text);
  for (char& c : result)
    if (c == '\t') c = ' ';
  return result;
}

namespace {

// Counts the expanded length first so the result is allocated once.
template <class NextStop>
std::string ExpandTabs(std::string_view text, NextStop nextStop) {
  int first = 0;
  if (!FindFirstTab(text, first)) return std::string(text);
  size_t length = 0;
  for (char c : text) length = c == '\t' ? static_cast<size_t>(nextStop(static_cast<int>(length))) : length + 1;
  std::string result;
  result.reserve(length);
  for (char c : text) {
    if (c == '\t')
      result.append(static_cast<size_t>(nextStop(static_cast<int>(result.size()))) - result.size(), ' ');
    else
      result.push_back(c);
  }
  return result;
}

}  // namespace

std::string ExpandTabsPow2(std::string_view text, int tabWidth) {
  const int mask = ~(tabWidth - 1);
  return ExpandTabs(text, [=](int column) { return (column + tabWidth) & mask; });
}

std::string ExpandTabsAny(std::string_view text, int tabWidth) {
  return ExpandTabs(text, [=](int column) { return column + tabWidth - column % tabWidth; });
}

int ScanForCharInSet(std::string_view line, int start, const TqzCharSet& set) {
  if (start < 1 || start > static_cast<int>(line.size())) return 0;
  for (int i = start; i <= static_cast<int>(line.size()); ++i)
    if (set.test(static_cast<unsigned char>(line[static_cast<size_t>(i - 1)]))) return i;
  return 0;
}

int ScanBackForCharInSet(std::string_view line, int start, const TqzCharSet& set) {
  if (start < 1 || start > static_cast<int>(line.size())) return 0;
  for (int i = start; i >= 1; --i)
    if (set.test(static_cast<unsigned char>(line[static_cast<size_t>(i - 1)]))) return i;
  return 0;
}

const char* FindLineEnd(const char* text) {
  if (!text) return nullptr;
  while (*text != '\0' && *text != '\r' && *text != '\n') ++text;
  return text;
}
