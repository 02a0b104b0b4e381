// The KOI8-R and Windows-1251 conversions byte by byte: a Russian letter of the source table becomes
// the same letter of the target table, every other byte stays, and converting back gives the text
// again. The way back cannot hold for the bytes that are a letter only in the target table (KOI8-R
// box drawings at Windows-1251's two Yo codes, and the other way round): they pass unchanged and then
// read as letters, so the round trip is checked on the other bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/KoiConv.h"
#include "win/CodePage.h"

using namespace Corvane;

namespace {

bool IsRussianLetter(char32_t u) { return (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451; }

bool LetterIn(TAnsiCodePage page, unsigned char byte) {
  return IsRussianLetter(CodePageCharToUnicode(page, byte));
}

[[noreturn]] void Fail(const char* what, unsigned char byte) {
  std::fprintf(stderr, "code page conversion broken: %s at byte 0x%02X\n", what, byte);
  std::abort();
}

void CheckDirection(const std::string& text, TAnsiCodePage from, TAnsiCodePage to,
                    std::string (*convert)(const std::string&), std::string (*back)(const std::string&)) {
  const std::string converted = convert(text);
  if (converted.size() != text.size()) Fail("length changed", 0);
  std::string returnable;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto in = static_cast<unsigned char>(text[i]);
    const auto out = static_cast<unsigned char>(converted[i]);
    if (LetterIn(from, in)) {
      if (CodePageCharToUnicode(to, out) != CodePageCharToUnicode(from, in)) Fail("letter not kept", in);
    } else if (out != in) {
      Fail("non-letter changed", in);
    }
    if (LetterIn(from, in) || !LetterIn(to, in)) returnable += text[i];
  }
  if (back(convert(returnable)) != returnable) Fail("round trip lost a byte", 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckDirection(text, TAnsiCodePage::koi8r, TAnsiCodePage::cp1251, KoiToWin, WinToKoi);
  CheckDirection(text, TAnsiCodePage::cp1251, TAnsiCodePage::koi8r, WinToKoi, KoiToWin);
  return 0;
}
