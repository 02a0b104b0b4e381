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

// A file is taken for UTF-8 only when every sequence is well formed; the first character the code
// page lacks is found where its '?' lands.
TEST_F(CodePageTest, TellsUtf8FromOtherBytesAndFindsTheFirstLackingCharacter) {
  const struct {
    std::string text;
    bool utf8;
    size_t firstLacking;  // in the code page's text
  } cases[] = {
      {"", true, std::string::npos},
      {"print 1;\n", true, std::string::npos},
      {"\xD0\x9F\xD1\x80\xD0\xB8 \xE2\x82\xAC", true, std::string::npos},  // Cyrillic letters, the euro sign
      {"\xEF\xBF\xBD", true, 0},                                           // U+FFFD itself, which no byte shows
      {"ab caf\xC3\xA9 \xE2\x98\xBA", true, 6},                           // "é" first, then a smiley
      {"\xF0\x9F\x98\x80", true, 0},                                       // four bytes
      {"\xCF\xF0\xE8", false, std::string::npos},                          // Windows-1251 letters
      {"\xC0\xBC", false, std::string::npos},                              // overlong
      {"\xED\xA0\x80", false, std::string::npos},                          // a surrogate
      {"ok\xD0", false, std::string::npos},                                // cut short at the end
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidUtf8(c.text), c.utf8) << c.text;
    if (!c.utf8) continue;
    size_t firstLacking = 0;
    Utf8ToAnsi(c.text, firstLacking);
    EXPECT_EQ(firstLacking, c.firstLacking) << c.text;
  }
}

}  // namespace
