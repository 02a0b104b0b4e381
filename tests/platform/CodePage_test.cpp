#include "win/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Restores the system code page a test changed.
class CodePageTest : public ::testing::Test {
 protected:
  void SetUp() override { SetACP(TAnsiCodePage::cp1251); }
  void TearDown() override { SetACP(saved_); }

 private:
  TAnsiCodePage saved_ = GetACP();
};

TEST_F(CodePageTest, MalformedUtf8GivesOneQuestionMarkPerByte) {
  struct Case {
    const char* utf8;
    const char* ansi;
  };
  const Case cases[] = {
      {"\xD0\x9F\xD1\x80\xD0\xB8", "\xCF\xF0\xE8"},  // well formed: Cyrillic letters
      {"\xE2\x82\xAC", "\x88"},                     // the euro sign, three bytes
      {"\xC1\x81", "??"},                           // "A" in two bytes: overlong
      {"\xC0\xBC", "??"},                           // "<" in two bytes: overlong
      {"\xE0\x80\xAF", "???"},                      // "/" in three bytes: overlong
      {"\xE0\x90\x9F", "???"},                      // a Cyrillic letter in three bytes: overlong
      {"\xED\xA0\x80", "???"},                      // a surrogate
      {"\xF4\x90\x80\x80", "????"},                 // past U+10FFFF
      {"\xD0", "?"},                                // cut short at the end
      {"\xE2\x82" "A", "??A"},                      // cut short by an ASCII byte
      {"\x80x", "?x"},                              // a stray continuation byte
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
}

TEST_F(CodePageTest, EveryByteWithACharacterComesBackThroughUtf8) {
  for (TAnsiCodePage page : {TAnsiCodePage::cp1251, TAnsiCodePage::cp1252, TAnsiCodePage::koi8r}) {
    SetACP(page);
    std::string bytes, expected;
    for (int b = 1; b < 256; ++b) {
      bytes += static_cast<char>(b);
      expected += AnsiCharToUnicode(static_cast<unsigned char>(b)) == 0xFFFD ? '?' : static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(bytes)), expected) << static_cast<int>(page);
  }
}

}  // namespace
