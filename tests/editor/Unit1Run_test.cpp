#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <sys/wait.h>
#include <unistd.h>

#include "common/FileSizeLimit.h"
#include "common/MainWindow.h"
#include "common/Picture.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/UserInput.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"
#include "win/Kernel.h"

using namespace Corvane;

namespace fs = std::filesystem;

namespace {

using corvane::test::ClickTab;
using corvane::test::PumpUntil;
using corvane::test::ReadFile;
using corvane::test::WriteFile;
using Clock = std::chrono::steady_clock;
const char* const kDoneHint = "Done. Plese pres F9 to return to Edit mode.";

std::vector<std::string> LinesOf(TStrings* lines) {
  std::vector<std::string> all;
  for (int i = 0; i < lines->Count(); ++i) all.push_back(lines->Get(i));
  return all;
}

// A page or script as written: this platform's line end after every line.
std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) text += part + "\n";
  return text;
}

class Unit1RunTest : public corvane::test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    PrepareRuns();
    Start();
    corvane::test::PumpEvents(50);
  }

  TForm1& Form() { return *form_; }

  // A script saved under the scripts folder and opened in the editor.
  std::string OpenScript(const std::string& name, const std::string& text) {
    const std::string path = dir_ + "/scripts/" + name;
    WriteFile(path, text);
    Form().Open(path, false);
    return path;
  }

  // Runs one command of the window and waits until its run has been shown.
  void RunAndWait(const std::function<void()>& command) {
    Form().Memo1->Hint.clear();
    command();
    ASSERT_TRUE(PumpUntil([&] { return Form().Memo1->Hint == kDoneHint; })) << "the run did not end";
  }
  void Run() {
    RunAndWait([&] { Form().Run1Click(nullptr); });
  }

  // The files of this instance's own folder inside the private one.
  static std::string PageFile() { return GetTempDirectory() + "OmTemp.htm"; }
  static std::string ScriptFile() { return GetTempDirectory() + "OmTemp.pl"; }
  std::vector<std::string> Output() { return LinesOf(Form().Memo1->Lines()); }
  std::string Base() const { return "<base href=\"file://" + dir_ + "/scripts/\">"; }
};

TEST_F(Unit1RunTest, PageOfAHeaderAndAnHtmlTagGetsTheHeaderCommentedAndAHeadWithTheBase) {
  OpenScript("page.pl", "print \"Content-type: text/html\\n\\n\";\nprint \"<html><h1>Hi</h1></html>\\n\";\n");
  Run();
  EXPECT_EQ(Output(), (std::vector<std::string>{"Content-type: text/html", "<html><h1>Hi</h1></html>"}));
  EXPECT_EQ(ReadFile(PageFile()), Joined({"<!-- Content-type: text/html", " -->", "<html>", "<head>", Base(),
                                          "</head>", "<h1>Hi</h1></html>"}));
  EXPECT_EQ(Form().WebBrowser1->LocationURL(), "file://" + PageFile());
}

TEST_F(Unit1RunTest, WrapsEachKindOfOutputByItsTags) {
  struct Case {
    const char* name;
    std::string output;  // what the script prints
    std::vector<std::string> page;
  };
  const std::string base = Base();
  const Case cases[] = {
      {"no tags: a pre block, nothing escaped",
       "a < b\n<b>bold</b>\n",
       {"<html>", "<head>", base, "</head>", "<body>", "<pre>", "a < b", "<b>bold</b>", "</pre>", "</body>",
        "</html>"}},
      {"a head tag takes the base",
       "<HTML><HEAD><title>t</title></HEAD><body>x</body></HTML>\n",
       {"<!--  -->", "<HTML><HEAD>", base, "<title>t</title></HEAD><body>x</body></HTML>"}},
      {"head without html",
       "<head></head>body\n",
       {"<head>", base, "</head>body"}},
      {"only the exact spellings count",
       "<Html>x</Html>\n",
       {"<html>", "<head>", base, "</head>", "<body>", "<pre>", "<Html>x</Html>", "</pre>", "</body>", "</html>"}},
      {"no output",
       "",
       {"<html>", "<head>", base, "</head>", "<body>", "<pre>", "", "</pre>", "</body>", "</html>"}},
  };
  for (const Case& c : cases) {
    std::string script = "print '";
    for (char ch : c.output) script += ch == '\n' ? std::string("', \"\\n\", '") : std::string(1, ch);
    OpenScript("wrap.pl", script + "';\n");
    Run();
    EXPECT_EQ(ReadFile(PageFile()), Joined(c.page)) << c.name;
  }
}

TEST_F(Unit1RunTest, AnUntitledTextGetsAnEmptyBaseLine) {
  Form().Editor->SetText("print \"hello\\n\";");
  Run();
  EXPECT_EQ(ReadFile(PageFile()),
            Joined({"<html>", "<head>", "", "</head>", "<body>", "<pre>", "hello", "</pre>", "</body>", "</html>"}));
  EXPECT_EQ(ReadFile(ScriptFile()), "print \"hello\\n\";\n");
}

const char* const kEnvironmentScript =
    "print \"$_=$ENV{$_}\\n\" for sort keys %ENV;\n"
    "print 'ARGV=', join('|', @ARGV), \"\\n\";\n"
    "print \"W=$^W\\n\";\n";

TEST_F(Unit1RunTest, TheScriptGetsExactlyTheCgiEnvironmentAndTheParametersAsArguments) {
  setenv("CORVANE_SHOULD_NOT_LEAK", "1", 1);
  OpenScript("env.pl", kEnvironmentScript);
  Run();
  std::string query = kDefaultScriptParameters;
  for (char& c : query)
    if (c == ' ') c = '&';
  EXPECT_EQ(Output(), (std::vector<std::string>{
                          "CONTENT_LENGTH=" + std::to_string(query.size()),
                          "GATEWAY_INTERFACE=CGI/Emulation",
                          "HTTP_REFERER=http://localhost/",
                          "HTTP_USER_AGENT=Mozilla/4.0 (compatible; Ombrix Tarnwick 2.1)",
                          "QUERY_STRING=" + query,
                          "REMOTE_ADDR=127.0.0.1",
                          "REMOTE_HOST=localhost",
                          "REQUEST_METHOD=GET",
                          "SCRIPT_NAME=/env.pl",
                          "SERVER_NAME=localhost",
                          "SERVER_SOFTWARE=Ombrix Tarnwick/2.1",
                          "ARGV=name=Ombrix+Tarnwick|email=user%40example%2ecom",
                          "W=1",
                      }));
}

TEST_F(Unit1RunTest, StoredSettingsShapeTheQueryTheArgumentsAndTheWarnings) {
  struct Case {
    const char* name;
    std::string scriptParameters;
    bool paramsByGet;
    bool warnings;
    std::string query;
    std::string argv;
  };
  const Case cases[] = {
      {"by GET the parameters are the query", "a=1 b=x+y", true, true, "a=1&b=x+y", "a=1|b=x+y"},
      {"otherwise the stored query", "a=1 b=2", false, false, "q=stored", "a=1|b=2"},
      {"an equals sign alone is no parameter", "=", false, true, "q=stored", ""},
      {"nothing stored", "", true, false, "", ""},
  };
  for (const Case& c : cases) {
    RegWriteString(kSettingsKey, "ScriptParameters", c.scriptParameters);
    RegWriteString(kSettingsKey, "QueryString", "q=stored");
    RegWriteBool(kSettingsKey, "ParamsByGET", c.paramsByGet);
    RegWriteString(kSettingsKey, "EnvVar3", "MY_VAR=mine");
    if (Form().WarningsOn1->Checked() != c.warnings) {
      Form().WarningsOn1Click(nullptr);
      EXPECT_EQ(RegReadBool(kSettingsKey, "WarningsOn", !c.warnings), c.warnings) << c.name;
    }
    OpenScript("env.pl", kEnvironmentScript);
    Run();
    const std::vector<std::string> output = Output();
    auto has = [&](const std::string& line) { return std::find(output.begin(), output.end(), line) != output.end(); };
    EXPECT_TRUE(has("QUERY_STRING=" + c.query)) << c.name;
    EXPECT_TRUE(has("CONTENT_LENGTH=" + std::to_string(c.query.size()))) << c.name;
    EXPECT_TRUE(has("ARGV=" + c.argv)) << c.name;
    EXPECT_TRUE(has(c.warnings ? "W=1" : "W=0")) << c.name;
    EXPECT_TRUE(has("MY_VAR=mine")) << c.name;
    EXPECT_FALSE(has("REMOTE_HOST=localhost")) << c.name;
  }

  // Values of another kind than expected count as missing.
  RegWriteInteger(kSettingsKey, "ScriptParameters", 7);
  RegWriteString(kSettingsKey, "ParamsByGET", "no");
  OpenScript("env.pl", kEnvironmentScript);
  Run();
  std::string query = kDefaultScriptParameters;
  std::replace(query.begin(), query.end(), ' ', '&');
  const std::vector<std::string> output = Output();
  EXPECT_NE(std::find(output.begin(), output.end(), "QUERY_STRING=" + query), output.end());
}

TEST_F(Unit1RunTest, AnInterpreterAndATemporaryFolderWithBlanksInTheirPathsStillRun) {
  fs::create_directories(dir_ + "/my perl");
  fs::create_directories(dir_ + "/run time");
  const std::string interpreter = dir_ + "/my perl/perl";
  WriteFile(interpreter, "#!/bin/sh\necho wrapped\nexec /usr/bin/perl \"$@\"\n");
  fs::permissions(interpreter, fs::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", (dir_ + "/run time").c_str(), 1);
  OpenScript("where.pl", "#!" + interpreter + "\nprint \"$0\\n\";\n");
  Run();
  EXPECT_EQ(Output(), (std::vector<std::string>{"wrapped", ScriptFile()}));
  EXPECT_EQ(ScriptFile().rfind(dir_ + "/run time/Corvane/", 0), 0u);
}

TEST_F(Unit1RunTest, SyntaxCheckShowsPerlsMessageAsText) {
  OpenScript("bad.pl", "print 'x' +;\n");
  RunAndWait([&] { Form().SyntaxCheck1Click(nullptr); });
  const std::string text = Form().Memo1->Text();
  EXPECT_NE(text.find("syntax error"), std::string::npos) << text;
  EXPECT_NE(text.find("had compilation errors"), std::string::npos) << text;

  OpenScript("good.pl", "print \"RAN\\n\";\n");
  RunAndWait([&] { Form().SyntaxCheck1Click(nullptr); });
  EXPECT_NE(Form().Memo1->Text().find("syntax OK"), std::string::npos);
  EXPECT_EQ(Form().Memo1->Text().find("RAN"), std::string::npos);  // checked, not run
}

TEST_F(Unit1RunTest, RunWithCustomParametersAsksWithTheLastOnesAndStoresTheTrimmedAnswer) {
  OpenScript("any.pl", "print \"ran\\n\";\n");
  std::vector<TDialogRequest> asked;
  std::string answer = "  -l -e \"print 1+1\"  ";
  TDialogHookScope hook([&](TDialogRequest& request) {
    asked.push_back(request);
    request.Value = answer;
    return IDOK;
  });
  RunAndWait([&] { Form().RunParam1Click(nullptr); });
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Kind, dkInputQuery);
  EXPECT_EQ(asked[0].Caption, "Run With Custom Parameters");
  EXPECT_EQ(asked[0].Text, "Command line parameters for Perl:");
  EXPECT_EQ(asked[0].Value, "-help");
  EXPECT_EQ(RegReadString(kSettingsKey, "LastRunParameter", ""), "-l -e \"print 1+1\"");
  EXPECT_EQ(Output().front(), "2");

  answer = "-v";
  RunAndWait([&] { Form().RunParam1Click(nullptr); });
  EXPECT_EQ(asked.back().Value, "-l -e \"print 1+1\"");
}

TEST_F(Unit1RunTest, RunModeAndEditModeSwapTheRunCommandAndWhatMayBeUsed) {
  OpenScript("loop.pl", "$| = 1; print \"started\\n\"; sleep 60;\n");
  TForm1& form = Form();
  RegWriteBool(kSettingsKey, "RunBrowserView", false);
  form.Run1Click(nullptr);
  EXPECT_EQ(form.PageControl1->ActivePage(), form.RunSheet);
  EXPECT_EQ(form.PageControl2->ActivePage(), form.TextSheet);
  EXPECT_EQ(form.Run1->Caption(), "Back to E&dit mode");
  EXPECT_EQ(form.Run1->ImageIndex(), kImageEditMenu);
  EXPECT_EQ(form.RunButton->Hint, "Back to Edit mode");
  EXPECT_EQ(form.RunButton->ImageIndex(), kImageEditButton);
  for (TMenuItem* item : {form.Edit1, form.Search1, form.QuickInsert1, form.Bookmarks1, form.Tools1, form.View1,
                          form.Print1})
    EXPECT_FALSE(item->Enabled()) << item->Caption();
  for (TToolButton* button : {form.UndoButton, form.RedoButton, form.SelectAllButton, form.CutButton, form.CopyButton,
                              form.PasteButton, form.PrintButton, form.FindButton, form.FindNextButton})
    EXPECT_FALSE(button->Enabled()) << button->Name();
  ASSERT_TRUE(PumpUntil([&] { return form.OutputList()->Count() > 0; }));
  EXPECT_FALSE(form.PageControl2->Enabled());  // while running
  EXPECT_EQ(form.Memo1->Hint, "Running...");
  EXPECT_EQ(Screen->Cursor(), crHourGlass);

  // F9 again: back to editing, and the script ends well before its minute is up.
  form.Run1Click(nullptr);
  EXPECT_EQ(form.PageControl1->ActivePage(), form.EditSheet);
  EXPECT_EQ(form.Run1->Caption(), "&Run");
  EXPECT_EQ(form.Run1->ImageIndex(), kImageRunMenu);
  EXPECT_EQ(form.RunButton->Hint, "Run");
  EXPECT_EQ(form.RunButton->ImageIndex(), kImageRunButton);
  for (TMenuItem* item : {form.Edit1, form.Search1, form.QuickInsert1, form.Bookmarks1, form.Tools1, form.View1,
                          form.Print1})
    EXPECT_TRUE(item->Enabled()) << item->Caption();
  EXPECT_TRUE(form.SelectAllButton->Enabled());
  EXPECT_FALSE(form.CutButton->Enabled());  // nothing selected
  ASSERT_TRUE(PumpUntil([&] { return form.Memo1->Hint == kDoneHint; }, 20000));
  EXPECT_TRUE(form.PageControl2->Enabled());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(Output(), std::vector<std::string>{"started"});
}

TEST_F(Unit1RunTest, PickingTheTabsRunsAndStopsAndTheInnerTabIsRemembered) {
  OpenScript("tabs.pl", "$| = 1; print \"tab run\\n\"; sleep 60;\n");
  TForm1& form = Form();
  ClickTab(*form.PageControl1, 1);
  ASSERT_TRUE(PumpUntil([&] { return form.OutputList()->Count() > 0; }));
  EXPECT_EQ(form.Run1->Caption(), "Back to E&dit mode");
  ClickTab(*form.PageControl1, 0);
  EXPECT_EQ(form.PageControl1->ActivePage(), form.EditSheet);
  EXPECT_EQ(form.Run1->Caption(), "&Run");
  EXPECT_TRUE(PumpUntil([&] { return form.Editor->Focused(); }));
  ASSERT_TRUE(PumpUntil([&] { return form.Memo1->Hint == kDoneHint; }, 20000));
  EXPECT_EQ(Output(), std::vector<std::string>{"tab run"});

  ClickTab(*form.PageControl2, 1);
  EXPECT_TRUE(RegReadBool(kSettingsKey, "RunBrowserView", false));
  ClickTab(*form.PageControl2, 0);
  EXPECT_FALSE(RegReadBool(kSettingsKey, "RunBrowserView", true));
}

// The Run menu stays usable in run mode: a syntax check (F12) or a run with parameters (Shift+F9) asked
// for while the script runs starts nothing, asks nothing, and leaves the running script and its output
// alone, which arrives whole.
TEST_F(Unit1RunTest, ASecondRunWhileOneRunsStartsNothing) {
  const std::string go = dir_ + "/go";
  OpenScript("slow.pl", "$| = 1; print \"first\\n\"; select(undef, undef, undef, 0.05) until -e '" + go +
                            "'; print \"second\\n\";\n");
  TForm1& form = Form();
  std::vector<std::string> errors;
  form.Conio->OnError = [&](TObject*, const std::string& Error) { errors.push_back(Error); };
  std::vector<std::string> asked;
  TDialogHookScope hook([&](TDialogRequest& request) {
    asked.push_back(request.Caption);
    return IDCANCEL;
  });
  form.Memo1->Hint.clear();
  corvane::test::Keys(*form.Editor, "F9");
  ASSERT_TRUE(PumpUntil([&] { return form.OutputList()->Count() > 0; }));
  for (const char* keys : {"F12", "Shift+F9"}) {
    corvane::test::Keys(*form.Memo1, keys);
    corvane::test::PumpPosted();
    EXPECT_EQ(LinesOf(form.OutputList()), std::vector<std::string>{"first"}) << keys;
    EXPECT_EQ(form.PageControl1->ActivePage(), form.RunSheet) << keys;
    EXPECT_EQ(form.Run1->Caption(), "Back to E&dit mode") << keys;
  }
  EXPECT_EQ(asked, std::vector<std::string>{});
  WriteFile(go, "");
  ASSERT_TRUE(PumpUntil([&] { return form.Memo1->Hint == kDoneHint; })) << "the run did not end";
  EXPECT_EQ(Output(), (std::vector<std::string>{"first", "second"}));
  EXPECT_NE(ReadFile(PageFile()).find("second"), std::string::npos);
  EXPECT_EQ(errors, std::vector<std::string>{});
}

// A state letter of /proc, ' ' once the process is gone.
char ProcessState(const std::string& pid) {
  const std::string stat = ReadFile("/proc/" + pid + "/stat");
  const std::size_t at = stat.rfind(')');
  return at == std::string::npos || at + 2 >= stat.size() ? ' ' : stat[at + 2];
}

TEST_F(Unit1RunTest, ClosingTheWindowDuringARunEndsTheScript) {
  OpenScript("endless.pl", "$| = 1; print \"$$\\n\"; 1 while 1;\n");
  form_->Run1Click(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return form_->OutputList()->Count() > 0; }));
  const std::string pid = form_->OutputList()->Get(0);
  const auto close = Clock::now();
  form_.reset();
  // A close that did not stop the script would wait out the console's whole ten seconds.
  EXPECT_LT(Clock::now() - close, std::chrono::milliseconds(5000));
  EXPECT_TRUE(PumpUntil([&] { return ProcessState(pid) == ' ' || ProcessState(pid) == 'Z'; }, 20000));
}

TEST_F(Unit1RunTest, F9AndClosingTheWindowEndAProcessTheScriptMovedToAGroupOfItsOwn) {
  // The script's child leaves its group, says who it is, and would sleep a minute without a word.
  const std::function<void(TForm1&)> ends[] = {
      [](TForm1& form) {  // back to editing; the next run can start once this one has ended
        corvane::test::Press(*form.Editor, Qt::Key_F9);
        EXPECT_TRUE(PumpUntil([&] { return form.Memo1->Hint == kDoneHint; }));
      },
      [](TForm1& form) { WidgetOf(&form)->close(); },
  };
  for (const auto& end : ends) {
    OpenScript("regroup.pl", "$| = 1; if (!fork) { setpgrp(0, 0); print \"$$\\n\" } sleep 60;\n");
    corvane::test::Press(*Form().Editor, Qt::Key_F9);
    ASSERT_TRUE(PumpUntil([&] { return Form().OutputList()->Count() > 0; }));
    const std::string pid = Form().OutputList()->Get(0);
    ASSERT_NE(ProcessState(pid), ' ');
    end(Form());
    EXPECT_TRUE(PumpUntil([&] { return ProcessState(pid) == ' ' || ProcessState(pid) == 'Z'; }, 20000))
        << ProcessState(pid);
  }
}

TEST_F(Unit1RunTest, LinksPlantedUnderTheTemporaryNamesAreReplacedNotWrittenThrough) {
  const std::string victim = dir_ + "/victim.txt";
  WriteFile(victim, "precious");
  fs::create_symlink(victim, ScriptFile());
  fs::create_symlink(victim, PageFile());
  OpenScript("hello.pl", "print \"hello\\n\";\n");
  Run();
  EXPECT_EQ(Output(), std::vector<std::string>{"hello"});
  EXPECT_EQ(ReadFile(victim), "precious");
  EXPECT_FALSE(fs::is_symlink(ScriptFile()));
  EXPECT_FALSE(fs::is_symlink(PageFile()));
  EXPECT_NE(ReadFile(PageFile()).find("hello"), std::string::npos);
}

TEST_F(Unit1RunTest, WithoutAPrivateFolderTheRunSaysSoAndDoesNotStart) {
  // The private folder is a link to a folder anyone could have made: it is refused, and nothing goes
  // to the current folder instead.
  fs::create_directories(dir_ + "/elsewhere");
  fs::create_directories(dir_ + "/linked");
  fs::create_directory_symlink(dir_ + "/elsewhere", dir_ + "/linked/Corvane");
  setenv("XDG_RUNTIME_DIR", (dir_ + "/linked").c_str(), 1);
  const fs::path previous = fs::current_path();
  fs::current_path(dir_ + "/scripts");
  std::vector<std::string> boxes;
  TDialogHookScope hook([&](TDialogRequest& request) {
    boxes.push_back(request.Text);
    return IDOK;
  });
  OpenScript("hello.pl", "print \"hello\\n\";\n");
  QKeyEvent f9(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
  QApplication::sendEvent(WidgetOf(Form().Editor), &f9);
  fs::current_path(previous);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("No private temporary folder"), std::string::npos) << boxes[0];
  EXPECT_EQ(Form().PageControl1->ActivePage(), Form().EditSheet);
  EXPECT_EQ(Form().Run1->Caption(), "&Run");
  EXPECT_TRUE(fs::is_empty(dir_ + "/elsewhere"));
  EXPECT_FALSE(fs::exists(dir_ + "/scripts/OmTemp.pl"));
}

TEST_F(Unit1RunTest, ASecondInstanceKeepsItsOwnTemporaryFilesAndTheFirstRemovesOnlyItsOwn) {
  // The second instance: another process that makes its folder and leaves its script there.
  int channel[2];
  ASSERT_EQ(pipe(channel), 0);
  const pid_t other = fork();
  ASSERT_GE(other, 0);
  if (other == 0) {
    const std::string script = GetTempDirectory() + "OmTemp.pl";
    WriteTempFile(script, "print \"the other instance's script\\n\";\r\n");
    [[maybe_unused]] const ssize_t written = write(channel[1], script.data(), script.size());
    _exit(0);
  }
  close(channel[1]);
  char buffer[4096];
  const ssize_t got = read(channel[0], buffer, sizeof buffer);
  close(channel[0]);
  waitpid(other, nullptr, 0);
  ASSERT_GT(got, 0);
  const std::string otherScript(buffer, static_cast<size_t>(got));

  OpenScript("mine.pl", "print \"mine\\n\";\n");
  Run();
  EXPECT_EQ(Output(), std::vector<std::string>{"mine"});
  EXPECT_NE(fs::path(ScriptFile()).parent_path(), fs::path(otherScript).parent_path());
  const std::string myFolder = GetTempDirectory();
  form_->Close();
  EXPECT_FALSE(fs::exists(myFolder + "OmTemp.pl"));
  EXPECT_FALSE(fs::exists(myFolder + "OmTemp.htm"));
  EXPECT_EQ(ReadFile(otherScript), "print \"the other instance's script\\n\";\r\n");
}

TEST_F(Unit1RunTest, APageThatCannotBeWrittenIsReportedAndTheWindowReturnsToTheEditor) {
  OpenScript("long.pl", "print \"x\" x 5000, \"\\n\";\n");
  std::vector<std::string> boxes;
  TDialogHookScope hook([&](TDialogRequest& request) {
    boxes.push_back(request.Text);
    return IDOK;
  });
  // No room beyond 200 bytes in any file this process writes: the script goes, its page does not.
  bool reported = false;
  {
    const corvane::test::FileSizeLimit full(200);
    Form().Run1Click(nullptr);
    reported = PumpUntil([&] { return !boxes.empty(); });
  }
  ASSERT_TRUE(reported) << "the failure did not reach the window";
  EXPECT_NE(boxes[0].find(PageFile()), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[0].find(std::strerror(EFBIG)), std::string::npos) << boxes[0];
  EXPECT_EQ(Form().PageControl1->ActivePage(), Form().EditSheet);
  EXPECT_EQ(Form().Run1->Caption(), "&Run");
  EXPECT_TRUE(Form().PageControl2->Enabled());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_TRUE(Form().Edit1->Enabled());
}

// The colour of most pixels of a binary PPM picture, as "r,g,b" rounded to 0 or 255.
std::string DominantColour(const std::string& ppm) {
  const corvane::test::Picture picture = corvane::test::ReadPpm(ppm);
  if (picture.Empty()) return "no picture";
  std::map<std::string, int> counts;
  for (int i = 0; i < picture.Width * picture.Height; ++i) {
    std::string key;
    for (int c = 0; c < 3; ++c) key += std::string(key.empty() ? "" : ",") + (picture.Pixel(i)[c] > 127 ? "255" : "0");
    ++counts[key];
  }
  std::string best;
  for (const auto& [key, count] : counts)
    if (best.empty() || count > counts[best]) best = key;
  return counts[best] * 2 > picture.Width * picture.Height ? best : "mixed";
}

// The run reads the bytes the file is saved in, and output in UTF-8 shows as its characters in the
// "As Text" memo and in the page; output in the code page's bytes shows as those.
TEST_F(Unit1RunTest, OutputShowsInTheEncodingTheScriptPrintsIn) {
  const struct {
    const char* name;
    std::string script;
    const char* shown;  // UTF-8
  } cases[] = {
      {"utf8.pl", "print \"Ёлка «ель»\\n\";\n", "Ёлка «ель»"},
      {"lacking.pl", "print \"café ☺ привет\\n\";\n", "café ☺ привет"},  // held read-only, run as it is
      {"cp1251.pl", "print \"\xCF\xF0\xE8\xE2\xE5\xF2\\n\";\n", "Привет"},
  };
  RegWriteBool(kSettingsKey, "RunBrowserView", true);
  std::string loaded;
  Form().WebBrowser1->OnDocumentComplete = [&](TObject*, const std::string& URL, bool Ok) {
    if (Ok) loaded = URL;
  };
  for (const auto& c : cases) {
    const TDialogHookScope quiet([](TDialogRequest&) { return IDOK; });
    OpenScript(c.name, c.script);
    loaded.clear();
    Run();
    EXPECT_EQ(ReadFile(ScriptFile()), c.script) << c.name;
    // What the "As Text" view shows, as the user copies it out through its context menu.
    ClickTab(*Form().PageControl2, 0);
    QWidget* view = static_cast<QAbstractScrollArea*>(WidgetOf(Form().Memo1))->viewport();
    for (const Qt::Key item : {Qt::Key_A, Qt::Key_C}) {  // Select All, then Copy
      QTimer::singleShot(0, [item] {  // runs in the menu's own loop, once it shows
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) QTest::keyClick(menu, item);
      });
      QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), view->mapToGlobal(QPoint(5, 5)));
      QCoreApplication::sendEvent(view, &rightClick);  // as the window system sends it for a right click
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), c.shown) << c.name;
    ASSERT_TRUE(PumpUntil([&] { return loaded.find("OmTemp.htm") != std::string::npos; })) << c.name;
    std::string page;
    bool read = false;
    Form().WebBrowser1->ReadPageText([&](const std::string& text) {
      page = text;
      read = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return read; })) << c.name;
    EXPECT_NE(page.find(c.shown), std::string::npos) << c.name << ": " << page;
    Form().Run1Click(nullptr);  // back to the editor
  }
}

TEST_F(Unit1RunTest, TheInBrowserPageIsDrawn) {
  RegWriteBool(kSettingsKey, "RunBrowserView", true);
  OpenScript("red.pl", "print \"<html><body style='background:#ff0000'><h1>Red</h1></body></html>\\n\";\n");
  bool loaded = false;
  Form().WebBrowser1->OnDocumentComplete = [&](TObject*, const std::string& URL, bool Ok) {
    loaded = Ok && URL.find("OmTemp.htm") != std::string::npos;
  };
  Run();
  EXPECT_EQ(Form().PageControl2->ActivePage(), Form().BrowserSheet);
  ASSERT_TRUE(PumpUntil([&] { return loaded; }));
  // A page grabbed right at its load is still blank: the engine paints it a little later.
  const std::string picture = dir_ + "/page.ppm";
  std::string colour;
  PumpUntil([&] {
    colour = Form().WebBrowser1->SaveToImage(picture) ? DominantColour(ReadFile(picture)) : "no picture";
    return colour == "255,0,0";
  });
  EXPECT_EQ(colour, "255,0,0");
}

// The box a page's dialog brought up with this text, if one shows.
QMessageBox* PageNote(const QString& text) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible() && box->text() == text) return box;
  return nullptr;
}

TEST_F(Unit1RunTest, APageAskingForDialogsInALoopNeverHoldsTheWindow) {
  RegWriteBool(kSettingsKey, "RunBrowserView", true);
  // A box that blocks the window is counted and sent away, so that a held window fails the test rather
  // than hanging it.
  int blocking = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      ++blocking;
      modal->reject();
    }
  });
  watch.start(20);
  // Keys and the close request come the way the desktop sends them, so a blocked window would drop them.
  QWindow* window = WidgetOf(&Form())->windowHandle();
  ASSERT_NE(window, nullptr);
  OpenScript("dialogs.pl", "print \"<html><body><script>for(;;){alert('again');confirm('sure?');prompt('name?')}"
                           "</script></body></html>\\n\";\n");
  QTest::keyClick(window, Qt::Key_F9);
  // The first dialog shows beside the window; the page is answered at once and its later dialogs are
  // not shown.
  QMessageBox* note = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (note = PageNote("again")) != nullptr; }))
      << blocking << " boxes blocked the window";
  EXPECT_FALSE(note->isModal());
  QTest::keyClick(window, Qt::Key_F9);
  EXPECT_TRUE(PumpUntil([&] { return Form().PageControl1->ActivePage() == Form().EditSheet; }));
  EXPECT_EQ(PageNote("sure?"), nullptr);
  EXPECT_EQ(PageNote("name?"), nullptr);

  // The next run's page loads in the same browser, and the tabs answer.
  OpenScript("next.pl", "print \"<html><body>next</body></html>\\n\";\n");
  bool loaded = false;
  Form().WebBrowser1->OnDocumentComplete = [&](TObject*, const std::string& URL, bool Ok) {
    loaded = Ok && URL.find("OmTemp.htm") != std::string::npos;
  };
  QTest::keyClick(window, Qt::Key_F9);
  EXPECT_TRUE(PumpUntil([&] { return loaded; }));
  ClickTab(*Form().PageControl1, 0);
  EXPECT_EQ(Form().PageControl1->ActivePage(), Form().EditSheet);
  window->close();
  EXPECT_FALSE(WidgetOf(&Form())->isVisible());
  EXPECT_EQ(blocking, 0);
}

}  // namespace
