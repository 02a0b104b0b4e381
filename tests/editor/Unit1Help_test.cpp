#include <gtest/gtest.h>

#include <filesystem>

#include "editor/MainWindow.h"
#include "vcl/DateTimes.h"
#include "win/Shell.h"

namespace {

using Unit1Help = corvane::test::MainWindowTest;

// The program's folder of the build: the pages are made there, beside Corvane.
std::filesystem::path BuildBinFolder() {
  return std::filesystem::path(ExtractFilePath(Application->ExeName())).parent_path().parent_path() / "bin";
}

// Every page a Help item opens is made by the build, and the item hands its path beside the program
// to the shell.
TEST_F(Unit1Help, EveryHelpItemOpensItsPageBesideTheProgram) {
  TForm1* form = Start();
  std::vector<TShellRequest> started;
  TShellHookScope hook([&](const TShellRequest& request) {
    started.push_back(request);
    return 33;
  });
  std::vector<std::pair<TMenuItem*, TMenuItem*>> items;
  for (int i = 0; i < form->PerlHelp1->Count(); ++i) items.emplace_back(form->PerlHelp1, form->PerlHelp1->Items(i));
  items.emplace_back(form->Help1, form->PerlLinks1);
  items.emplace_back(form->Help1, form->HotKeys1);
  ASSERT_EQ(items.size(), 28u);
  for (auto [menu, item] : items) {
    SCOPED_TRACE(item->Caption());
    started.clear();
    ASSERT_TRUE(Choose(menu, item));
    ASSERT_EQ(started.size(), 1u);
    const std::string page = ExtractFileName(started[0].File);
    EXPECT_EQ(started[0].File, ExtractFilePath(Application->ExeName()) + page);
    EXPECT_TRUE(std::filesystem::is_regular_file(BuildBinFolder() / page)) << page;
  }
  started.clear();
  ASSERT_TRUE(Choose(form->PerlHelp1, form->PerlHelp1->Items(2)));
  EXPECT_EQ(ExtractFileName(started.at(0).File), "perlhelpperlsyn.html");
  Press(Qt::Key_F1);
  EXPECT_EQ(ExtractFileName(started.at(1).File), "links.htm");
  for (TMenuItem* item : {form->Faq1, form->Homepage1, form->EmailSupport1}) ASSERT_TRUE(Choose(form->Help1, item));
  ASSERT_EQ(started.size(), 5u);
  EXPECT_EQ(started[2].File.rfind("https://", 0), 0u);
  EXPECT_EQ(started[3].File.rfind("https://", 0), 0u);
  EXPECT_EQ(started[4].File.rfind("mailto:", 0), 0u);
}

TEST(Unit1HelpMail, TheSubjectNamesProductVersionAndBuildPercentEncoded) {
  const TDateTime date = EncodeDate(2026, 12, 10);
  const std::string link = SupportMailLink(date);
  std::string expectedDate;
  for (char c : DateToStr(date))
    expectedDate += c == '/' ? std::string("%2F") : c == ' ' ? std::string("%20") : std::string(1, c);
  EXPECT_EQ(link.substr(link.find('?')), "?subject=Ombrix%20Tarnwick%202.1%20%28build%20" + expectedDate + "%29");
}

}  // namespace
