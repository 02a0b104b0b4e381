#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <QApplication>

#include "common/BrowserText.h"
#include "common/MainWindow.h"
#include "common/Picture.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "highlight/ZuzUderUze.h"
#include "editaddons/qzHtmlExport.h"
#include "qt/QtSide.h"
#include "support/RecentList.h"
#include "vcl/Dialogs.h"
#include "win/Shell.h"

using namespace Corvane;

namespace {

using corvane::test::PumpUntil;
using corvane::test::ReadFile;
using corvane::test::WriteFile;

class Unit1Windows : public corvane::test::MainWindowTest {
 protected:
  // Every start the window asks of the shell, none carried out.
  std::vector<TShellRequest> started_;
  TShellHookScope shell_{[this](const TShellRequest& request) {
    started_.push_back(request);
    return 33;
  }};
  // What the file dialogs were shown, and the names they answer with.
  std::vector<TDialogRequest> asked_;
  std::vector<std::string> chosen_;
  TDialogHookScope dialogs_{[this](TDialogRequest& request) {
    asked_.push_back(request);
    if (chosen_.empty()) return IDCANCEL;
    request.Value = chosen_.front();
    chosen_.erase(chosen_.begin());
    return IDOK;
  }};
  std::string StoredNormalPosition() const {
    return RegReadString("Software\\Ombrix\\Tarnwick\\Window Position", "NormPos", "");
  }
};

TEST_F(Unit1Windows, ExportProposesTheNameCutAtTheFileNamesFirstDot) {
  const struct {
    std::string file, proposed;
  } cases[] = {
      {kUntitled, "Untitled.htm"},
      {"/home/u/x.pl", "/home/u/x.htm"},
      {"/home/u/x.tar.pl", "/home/u/x.htm"},
      // A dot in a folder's name is no extension of the file.
      {"/home/u/my.scripts/x.cgi", "/home/u/my.scripts/x.htm"},
      {"/home/u/my.scripts/README", "/home/u/my.scripts/README.htm"},
  };
  for (const auto& c : cases) EXPECT_EQ(ProposedHtmlName(c.file), c.proposed) << c.file;
}

// The page holds the script's text coloured as the editor colours it, titled with the file's name;
// its Russian comment reads as it does in the editor, whatever character set a browser assumes.
TEST_F(Unit1Windows, ExportWritesTheColouredScript) {
  std::filesystem::create_directories(Path("my.scripts"));
  WriteFile(Path("my.scripts/hello.pl"), "print \"<b>\";\n# \xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!\n");
  TForm1* form = Start();
  form->Open(Path("my.scripts/hello.pl"), false);
  chosen_ = {Path("my.scripts/page")};
  ASSERT_TRUE(Choose(form->File1, form->ExportToHtml1));
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0].Value, Path("my.scripts/hello.htm"));
  const std::string page = ReadFile(Path("my.scripts/page.htm"));
  EXPECT_NE(page.find("<title>hello.pl</title>"), std::string::npos) << page;
  EXPECT_NE(page.find("Ombrix Tarnwick"), std::string::npos);
  EXPECT_NE(page.find("&lt;b&gt;"), std::string::npos);
  EXPECT_NE(page.find("color"), std::string::npos);
  for (const auto charset : corvane::test::kAssumedCharsets)
    EXPECT_NE(corvane::test::BrowserText(page, charset).find("# Привет, мир!"), std::string::npos);
  EXPECT_TRUE(form->HtmlExport1->Output().empty());  // the exporter keeps no copy of the page
}

// How many pixels of the picture are near a colour of the class library (a TColor holds blue in its
// high byte, red in its low one).
int PixelsNear(const corvane::test::Picture& picture, TColor colour) {
  const int wanted[3] = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                         static_cast<int>((colour >> 16) & 0xFF)};
  int count = 0;
  for (int i = 0; i < picture.Width * picture.Height; ++i) {
    bool near = true;
    for (int c = 0; c < 3; ++c) near = near && std::abs(picture.Pixel(i)[c] - wanted[c]) <= 24;
    count += near ? 1 : 0;
  }
  return count;
}

// The exported page opens in the window's page view and shows the script in the editor's colours:
// the strings and the comments each in their own.
TEST_F(Unit1Windows, TheExportedPageShowsTheColouredTextInThePageView) {
  std::string script;
  for (int i = 0; i < 12; ++i) script += "# MMMMMMMMMMMMMMMMMMMMMMMM\n$s = \"MMMMMMMMMMMMMMMMMMMMMMMM\";\n";
  WriteFile(Path("colours.pl"), script);
  TForm1* form = Start();
  // The window blanks its page view when it is first activated; the exported page goes in after that.
  ASSERT_TRUE(PumpUntil([&] { return QApplication::activeWindow() == WidgetOf(form); }));
  form->Open(Path("colours.pl"), false);
  chosen_ = {Path("colours")};
  ASSERT_TRUE(Choose(form->File1, form->ExportToHtml1));
  auto* perl = dynamic_cast<TZuzUderUze*>(form->Editor->HighLighter());
  ASSERT_NE(perl, nullptr);
  const TColor strings = perl->StringAttri()->Foreground();
  const TColor comments = perl->CommentAttri()->Foreground();
  ASSERT_NE(strings, comments);

  bool loaded = false;
  form->WebBrowser1->OnDocumentComplete = [&](TObject*, const std::string& URL, bool Ok) {
    loaded = loaded || (Ok && URL.find("colours.htm") != std::string::npos);
  };
  form->PageControl1->SetActivePage(form->RunSheet);
  form->PageControl2->SetActivePage(form->BrowserSheet);
  form->WebBrowser1->Navigate(FileUrl(Path("colours.htm")));
  ASSERT_TRUE(PumpUntil([&] { return loaded; }));
  // A page grabbed right at its load is still blank: the engine paints it a little later.
  const std::string shot = Path("page.ppm");
  int stringPixels = 0;
  int commentPixels = 0;
  PumpUntil([&] {
    const corvane::test::Picture picture =
        form->WebBrowser1->SaveToImage(shot) ? corvane::test::ReadPpm(ReadFile(shot)) : corvane::test::Picture{};
    stringPixels = PixelsNear(picture, strings);
    commentPixels = PixelsNear(picture, comments);
    return stringPixels > 100 && commentPixels > 100;
  });
  EXPECT_GT(stringPixels, 100);
  EXPECT_GT(commentPixels, 100);
}

TEST_F(Unit1Windows, NewWindowsStartTheProgramOneStepDownAndRight) {
  TForm1* form = Start();
  form->SetBounds(100, 80, 430, 381);
  Press(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0].File, Application->ExeName());
  EXPECT_EQ(started_[0].Parameters, "");
  EXPECT_EQ(StoredNormalPosition(), "116,96,546,477");
  EXPECT_EQ(form->Left(), 100);
  EXPECT_EQ(form->Top(), 80);

  WriteFile(Path("a b.pl"), "1;\n");
  chosen_ = {Path("a b.pl")};
  Press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(started_.size(), 2u);
  EXPECT_EQ(started_[1].Parameters, Path("a b.pl"));  // unquoted: the new window joins its arguments
  EXPECT_EQ(form->MRUManager1->Strings()->Get(0), Path("a b.pl"));
  EXPECT_EQ(form->CurrentFileName(), kUntitled);  // this window keeps its own text
}

TEST_F(Unit1Windows, ReopenInNewWindowIsStoredAndStartsTheRecentFile) {
  WriteFile(Path("r.pl"), "1;\n");
  TForm1* form = Start();
  form->Open(Path("r.pl"), false);
  form->New1Click(form);
  ASSERT_TRUE(Choose(form->File1, form->ReopenInNewWindow1));
  EXPECT_TRUE(form->ReopenInNewWindow1->Checked());
  form = Start();  // as after a restart
  EXPECT_TRUE(form->ReopenInNewWindow1->Checked());
  ASSERT_TRUE(Choose(form->Reopen1, form->Reopen1->Items(0)));
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0].Parameters, Path("r.pl"));
  EXPECT_EQ(form->CurrentFileName(), kUntitled);
  ASSERT_TRUE(Choose(form->File1, form->ReopenInNewWindow1));
  ASSERT_TRUE(Choose(form->Reopen1, form->Reopen1->Items(0)));
  EXPECT_EQ(started_.size(), 1u);
  EXPECT_EQ(form->CurrentFileName(), Path("r.pl"));
}

}  // namespace
