#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "common/MainWindow.h"
#include "common/TestFiles.h"
#include "editaddons/qzCompletionProposal.h"
#include "vcl/DateTimes.h"
#include "win/Shell.h"

using namespace Corvane;

namespace {

using Unit1Help = corvane::test::MainWindowTest;

// Every page a Help item opens is made by the build among the programs' files, and the item hands
// that page's path to the shell.
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
    const std::filesystem::path built = corvane::test::BuildDataFolder() / "help" / page;
    EXPECT_EQ(started[0].File, built.string());
    EXPECT_TRUE(std::filesystem::is_regular_file(built)) << page;
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

// Without a program to open it, a Help item says so instead of doing nothing.
TEST_F(Unit1Help, AnItemNoProgramOpensSaysSo) {
  TForm1* form = Start();
  TShellHookScope hook([](const TShellRequest&) { return SE_ERR_NOASSOC; });
  std::vector<TDialogRequest> asked;
  TDialogHookScope dialogs([&](TDialogRequest& r) {
    asked.push_back(r);
    return IDOK;
  });
  for (TMenuItem* item : {form->HotKeys1, form->Homepage1, form->EmailSupport1}) {
    SCOPED_TRACE(item->Caption());
    asked.clear();
    ASSERT_TRUE(Choose(form->Help1, item));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Caption, "Help");
    EXPECT_NE(asked[0].Text.find("no program on this system opens it"), std::string::npos) << asked[0].Text;
  }
}

// The page's rows as keys and command, the text read as the browser shows it.
std::multimap<std::string, std::string> PageRows(const std::filesystem::path& page) {
  std::ifstream in(page);
  std::stringstream html;
  html << in.rdbuf();
  const auto plain = [](std::string text) {
    for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
      for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
        text.replace(at, std::string(entity).size(), c);
    return text;
  };
  std::multimap<std::string, std::string> rows;
  const std::regex row("<tr><td>(.*?)</td><td>(.*?)</td></tr>");
  const std::string text = html.str();
  for (auto it = std::sregex_iterator(text.begin(), text.end(), row); it != std::sregex_iterator(); ++it)
    rows.emplace(plain((*it)[1]), plain((*it)[2]));
  return rows;
}

bool HasRow(const std::multimap<std::string, std::string>& rows, const std::string& keys, const std::string& command) {
  const auto [first, last] = rows.equal_range(keys);
  for (auto it = first; it != last; ++it)
    if (it->second.find(command) != std::string::npos) return true;
  return false;
}

void ExpectMenuRows(const TMenuItem* item, const std::multimap<std::string, std::string>& rows) {
  for (int i = 0; i < item->Count(); ++i) {
    const TMenuItem* child = item->Items(i);
    if (child->ShortCut() != 0) {
      EXPECT_TRUE(HasRow(rows, ShortCutToText(child->ShortCut()), StripHotkey(child->Caption()))) << child->Caption();
    }
    ExpectMenuRows(child, rows);
  }
}

// The page the build made names every key of a window with the default settings: each menu item's
// short-cut (the quick inserts' too) and each binding of the editor's key table, so it cannot fall
// behind the program.
TEST_F(Unit1Help, TheHotKeysPageNamesEveryKeyOfTheWindow) {
  TForm1* form = Start();
  const auto rows = PageRows(corvane::test::BuildDataFolder() / "help" / "hotkeys.htm");
  ExpectMenuRows(form->MainMenu1->Items(), rows);
  EXPECT_TRUE(HasRow(rows, "Ctrl+3", "<html><head><title></title>"));
  TqzKeyStrokes* keys = form->Editor->Keystrokes();
  ASSERT_GT(keys->Count(), 0);
  for (int i = 0; i < keys->Count(); ++i) {
    const TqzKeyStroke* stroke = keys->Items(i);
    std::string text = ShortCutToText(stroke->GetShortCut());
    if (stroke->GetShortCut2() != 0) text += ", " + ShortCutToText(stroke->GetShortCut2());
    EXPECT_TRUE(HasRow(rows, text, "")) << text;
  }
  EXPECT_TRUE(HasRow(rows, ShortCutToText(form->Compl->ShortCut), ""));
  // A key the menus take before the editor says so.
  EXPECT_TRUE(HasRow(rows, "Ctrl+Z", "Edit > Undo"));
  EXPECT_TRUE(HasRow(rows, "Ctrl+N", "File > New"));
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
