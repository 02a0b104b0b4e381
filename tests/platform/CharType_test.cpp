#include "win/CharType.h"

#include <gtest/gtest.h>

#include "win/CodePage.h"

namespace {

class CodePageScope {
 public:
  explicit CodePageScope(TAnsiCodePage codePage) : saved_(GetACP()) { SetACP(codePage); }
  ~CodePageScope() { SetACP(saved_); }
  CodePageScope(const CodePageScope&) = delete;
  CodePageScope& operator=(const CodePageScope&) = delete;

 private:
  TAnsiCodePage saved_;
};

char Lower(char c) {
  CharLowerBuffA(&c, 1);
  return c;
}

struct LowerCase {
  TAnsiCodePage codePage;
  unsigned char from;
  unsigned char to;
};

TEST(CharLowerBuffA, FollowsTheLettersOfTheCodePage) {
  const LowerCase cases[] = {
      {TAnsiCodePage::cp1251, 'A', 'a'},   {TAnsiCodePage::cp1251, 'a', 'a'},   {TAnsiCodePage::cp1251, '1', '1'},
      {TAnsiCodePage::cp1251, 0xC0, 0xE0}, {TAnsiCodePage::cp1251, 0xDF, 0xFF}, {TAnsiCodePage::cp1251, 0xA8, 0xB8},
      {TAnsiCodePage::cp1251, 0x80, 0x90}, {TAnsiCodePage::cp1251, 0xB9, 0xB9}, {TAnsiCodePage::cp1252, 0xC0, 0xE0},
      {TAnsiCodePage::cp1252, 0x8A, 0x9A}, {TAnsiCodePage::cp1252, 0x9F, 0xFF}, {TAnsiCodePage::cp1252, 0xD7, 0xD7},
      {TAnsiCodePage::koi8r, 0xE1, 0xC1},  {TAnsiCodePage::koi8r, 0xB3, 0xA3}};
  for (const auto& c : cases) {
    CodePageScope scope(c.codePage);
    EXPECT_EQ(static_cast<unsigned char>(Lower(static_cast<char>(c.from))), c.to)
        << static_cast<int>(c.codePage) << " " << std::hex << int{c.from};
  }
}

TEST(CharLowerBuffA, ConvertsTheWholeBufferAndReturnsItsLength) {
  CodePageScope scope(TAnsiCodePage::cp1251);
  char text[] = "AbC\xC0\xDF";
  EXPECT_EQ(CharLowerBuffA(text, 5), 5u);
  EXPECT_STREQ(text, "abc\xE0\xFF");
}

TEST(IsCharAlphaNumericA, LettersAndDigitsOnly) {
  CodePageScope scope(TAnsiCodePage::cp1251);
  for (char c : std::string("aZ5\xE0\xC0\xA8"))
    EXPECT_TRUE(IsCharAlphaNumericA(c)) << std::hex << int{static_cast<unsigned char>(c)};
  for (char c : std::string("_( \t\xB9\xA9\x85", 7))
    EXPECT_FALSE(IsCharAlphaNumericA(c)) << std::hex << int{static_cast<unsigned char>(c)};
}

}  // namespace
