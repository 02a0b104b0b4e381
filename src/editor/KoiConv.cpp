#include "editor/KoiConv.h"

#include <array>

#include "win/CodePage.h"

namespace Corvane {

namespace {

using TByteMap = std::array<unsigned char, 256>;

bool IsRussianLetter(char32_t u) { return (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451; }

// A letter of the source page goes to the same letter of the target page; anything else stays.
TByteMap BuildMap(TAnsiCodePage from, TAnsiCodePage to) {
  TByteMap map{};
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    const char32_t u = CodePageCharToUnicode(from, byte);
    unsigned char target = byte;
    map[byte] = IsRussianLetter(u) && UnicodeToCodePageChar(to, u, target) ? target : byte;
  }
  return map;
}

std::string Convert(const std::string& Text, const TByteMap& map) {
  std::string out(Text);
  for (char& c : out) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
  return out;
}

}  // namespace

std::string KoiToWin(const std::string& Text) {
  static const TByteMap map = BuildMap(TAnsiCodePage::koi8r, TAnsiCodePage::cp1251);
  return Convert(Text, map);
}

std::string WinToKoi(const std::string& Text) {
  static const TByteMap map = BuildMap(TAnsiCodePage::cp1251, TAnsiCodePage::koi8r);
  return Convert(Text, map);
}

}  // namespace Corvane
