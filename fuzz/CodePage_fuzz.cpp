// The layer's ANSI code page against Unicode, for each code page: every byte with a character comes
// back through UTF-8 (the others as '?'), and UTF-8 decodes the way a strict decoder reads it: a
// well-formed sequence gives its character (or '?' when the page lacks it), anything else one '?' per
// byte, so no malformed or overlong sequence can pass for a character.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "win/CodePage.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "code page conversion broken: %s (code page %d)\n", what, static_cast<int>(GetACP()));
  std::abort();
}

// The length of the well-formed UTF-8 sequence at i (the Unicode standard's table of well-formed
// byte sequences), 0 when none starts there; its character in u.
size_t WellFormedAt(const std::string& s, size_t i, char32_t& u) {
  const auto at = [&](size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0x100u; };
  const unsigned b0 = at(i);
  const auto inRange = [](unsigned b, unsigned low, unsigned high) { return b >= low && b <= high; };
  if (b0 < 0x80) {
    u = b0;
    return 1;
  }
  size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (inRange(b0, 0xC2, 0xDF)) length = 2;
  else if (b0 == 0xE0) length = 3, low = 0xA0;
  else if (inRange(b0, 0xE1, 0xEC) || b0 == 0xEE || b0 == 0xEF) length = 3;
  else if (b0 == 0xED) length = 3, high = 0x9F;
  else if (b0 == 0xF0) length = 4, low = 0x90;
  else if (inRange(b0, 0xF1, 0xF3)) length = 4;
  else if (b0 == 0xF4) length = 4, high = 0x8F;
  else return 0;
  if (!inRange(at(i + 1), low, high)) return 0;
  for (size_t k = 2; k < length; ++k)
    if (!inRange(at(i + k), 0x80, 0xBF)) return 0;
  u = b0 & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) u = (u << 6) | (at(i + k) & 0x3F);
  return length;
}

void CheckBytesComeBack(const std::string& bytes) {
  if (AnsiToUnicode(bytes).size() != bytes.size()) Fail("AnsiToUnicode changed the length");
  const std::string utf8 = AnsiToUtf8(bytes);
  std::string expected;
  for (char c : bytes) expected += AnsiCharToUnicode(static_cast<unsigned char>(c)) == 0xFFFD ? '?' : c;
  for (size_t i = 0; i < utf8.size();) {
    char32_t u = 0;
    const size_t length = WellFormedAt(utf8, i, u);
    if (length == 0) Fail("AnsiToUtf8 made malformed UTF-8");
    i += length;
  }
  if (Utf8ToAnsi(utf8) != expected) Fail("bytes did not come back through UTF-8");
}

void CheckUtf8Decoding(const std::string& utf8) {
  std::string expected;
  for (size_t i = 0; i < utf8.size();) {
    char32_t u = 0;
    const size_t length = WellFormedAt(utf8, i, u);
    unsigned char c = 0;
    if (length > 0 && UnicodeToAnsiChar(u, c)) {
      if (AnsiCharToUnicode(c) != u) Fail("a character's byte reads as another character");
      expected += static_cast<char>(c);
    } else {
      expected += '?';
    }
    i += length > 0 ? length : 1;
  }
  if (Utf8ToAnsi(utf8) != expected) Fail("Utf8ToAnsi differs from a strict decoder");
}

}  // namespace

// Input: a byte choosing the code page, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static constexpr TAnsiCodePage pages[] = {TAnsiCodePage::cp1251, TAnsiCodePage::cp1252, TAnsiCodePage::koi8r};
  SetACP(pages[data[0] % 3]);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckBytesComeBack(text);
  CheckUtf8Decoding(text);
  return 0;
}
