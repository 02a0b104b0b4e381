#include "editor/KoiConv.h"

#include <gtest/gtest.h>

#include <string>

using namespace Corvane;

namespace {

std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }

// The small letters in the order of KOI8-R's bytes 0xC0..0xDF (RFC 1489) and of the alphabet, which is
// Windows-1251's order at 0xE0..0xFF; the capitals follow 32 bytes later in KOI8-R, 32 bytes earlier in
// Windows-1251.
const std::u32string kKoiOrder = U"юабцдефгхийклмнопярстужвьызшэщчъ";
const std::u32string kAlphabet = U"абвгдежзийклмнопрстуфхцчшщъыьэюя";

TEST(KoiConv, EveryLetterGoesToTheSameLetter) {
  for (int i = 0; i < 32; ++i) {
    const int win = 0xE0 + static_cast<int>(kAlphabet.find(kKoiOrder[static_cast<size_t>(i)]));
    EXPECT_EQ(KoiToWin(Byte(0xC0 + i)), Byte(win)) << "small " << i;
    EXPECT_EQ(KoiToWin(Byte(0xE0 + i)), Byte(win - 0x20)) << "capital " << i;
    EXPECT_EQ(WinToKoi(Byte(win)), Byte(0xC0 + i)) << "small " << i;
    EXPECT_EQ(WinToKoi(Byte(win - 0x20)), Byte(0xE0 + i)) << "capital " << i;
  }
}

TEST(KoiConv, KnownCodes) {
  struct {
    int koi;
    int win;
  } const cases[] = {{0xA3, 0xB8}, {0xB3, 0xA8}, {0xC1, 0xE0}, {0xE1, 0xC0}, {0xD1, 0xFF}};
  for (const auto& c : cases) {
    EXPECT_EQ(KoiToWin(Byte(c.koi)), Byte(c.win)) << std::hex << c.koi;
    EXPECT_EQ(WinToKoi(Byte(c.win)), Byte(c.koi)) << std::hex << c.win;
  }
}

bool IsKoiLetter(int b) { return b >= 0xC0 || b == 0xA3 || b == 0xB3; }
bool IsWinLetter(int b) { return b >= 0xC0 || b == 0xA8 || b == 0xB8; }

// ASCII, control bytes, box drawing of KOI8-R and the other letters and signs of Windows-1251 (such as the
// numero sign 0xB9 and the copyright sign 0xA9) are not Russian letters.
TEST(KoiConv, EveryOtherBytePassesUnchanged) {
  for (int b = 0; b < 256; ++b) {
    if (!IsKoiLetter(b)) {
      EXPECT_EQ(KoiToWin(Byte(b)), Byte(b)) << std::hex << b;
    }
    if (!IsWinLetter(b)) {
      EXPECT_EQ(WinToKoi(Byte(b)), Byte(b)) << std::hex << b;
    }
  }
}

TEST(KoiConv, TextsKeepTheirLengthAndLettersComeBack) {
  EXPECT_EQ(KoiToWin(""), "");
  EXPECT_EQ(WinToKoi(""), "");
  const std::string ascii = "print \"Hello\\n\";\r\n\t# 42";
  EXPECT_EQ(KoiToWin(ascii), ascii);
  EXPECT_EQ(WinToKoi(ascii), ascii);
  std::string letters = ascii;
  for (int b = 0xC0; b < 256; ++b) letters += Byte(b);
  letters += "\xA3\xB3";
  const std::string win = KoiToWin(letters);
  EXPECT_EQ(win.size(), letters.size());
  EXPECT_EQ(WinToKoi(win), letters);
}

}  // namespace
