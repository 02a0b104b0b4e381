#include "win/FileNames.h"

#include <gtest/gtest.h>

#include <string>

#include "common/TestApp.h"
#include "win/CodePage.h"

namespace {

// A name shown is the text of its characters in the code page; what the code page lacks shows as '?',
// once per character, whichever code page is chosen.
TEST(FileNames, ANameShowsAsTheCharactersItReadsAs) {
  corvane::test::EnsureApplication();
  const TAnsiCodePage saved = GetACP();
  const struct {
    TAnsiCodePage codePage;
    std::string name;
    std::string shown;  // read back through the code page
  } cases[] = {
      {TAnsiCodePage::cp1251, "/home/u/Документы/a.pl", "/home/u/Документы/a.pl"},
      {TAnsiCodePage::koi8r, "/tmp/новый.pl", "/tmp/новый.pl"},
      {TAnsiCodePage::cp1251, "/tmp/日本.pl", "/tmp/??.pl"},
      {TAnsiCodePage::cp1252, "/tmp/новый.pl", "/tmp/?????.pl"},
      {TAnsiCodePage::cp1251, "/tmp/plain name.pl", "/tmp/plain name.pl"},
  };
  for (const auto& c : cases) {
    SetACP(c.codePage);
    EXPECT_EQ(AnsiToUtf8(FileNameToText(c.name)), c.shown) << c.name;
  }
  SetACP(saved);
}

}  // namespace
