#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <tuple>

#include "common/DesktopFolders.h"
#include "common/FileSizeLimit.h"
#include "common/HalfWaySave.h"
#include "common/MainWindow.h"
#include "common/ModalForms.h"
#include "common/Picture.h"
#include "common/SettingsLock.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/UserInput.h"
#include "editctl/qzSupportClasses.h"
#include "editor/Corvane.h"
#include "editor/Unit1.h"
#include "highlight/ZuzUderUze.h"
#include "qt/QtSide.h"
#include "support/RecentList.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Classes.h"
#include "vcl/Registry.h"
#include "win/CodePage.h"
#include "win/ScrollBars.h"
#include "win/RegistryStore.h"

using namespace Corvane;

namespace fs = std::filesystem;

namespace {

using corvane::test::ReadFile;
using corvane::test::WriteFile;

// Answers the dialogs in order and keeps what they asked.
struct Answers {
  struct Answer {
    int button;
    std::string value;
  };
  std::deque<Answer> queue;
  std::vector<TDialogRequest> asked;
  std::function<void()> whenAsked;  // sees the program as it is when a dialog comes up
  TDialogHookScope scope{[this](TDialogRequest& r) {
    asked.push_back(r);
    if (whenAsked) whenAsked();
    if (queue.empty()) return r.Kind == dkMessageBox ? IDOK : IDCANCEL;
    Answer a = queue.front();
    queue.pop_front();
    if (!a.value.empty()) r.Value = a.value;
    return a.button;
  }};
  std::string Texts() const {
    std::string all;
    for (const auto& r : asked) all += r.Text + "\n";
    return all;
  }
};

// The recent list as "name:user value " for each entry, newest first.
std::string RecentEntries(TForm1* form) {
  std::string all;
  TRecentStrings* list = form->MRUManager1->Strings();
  for (int i = 0; i < list->Count(); ++i) all += ExtractFileName(list->Get(i)) + ":" + IntToStr(list->UserValue(i)) + " ";
  return all;
}

// Arms the next real file dialog: the name is typed into its file field over the one proposed, then
// Enter; an empty name presses Esc instead. Shown turns true once the dialog came up.
void TypeIntoNextFileDialog(const std::string& name, bool& shown) {
  corvane::test::WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                                      [&shown, name](QWidget* dialog) {
                                        shown = true;
                                        if (name.empty()) {
                                          QTest::keyClick(dialog, Qt::Key_Escape);
                                          return;
                                        }
                                        auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
                                        ASSERT_TRUE(field);
                                        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                                        corvane::test::TypeText(field, QString::fromStdString(name));
                                        // The first Enter may only take the completion the field offers.
                                        for (int i = 0; i < 2 && dialog->isVisible(); ++i)
                                          QTest::keyClick(field, Qt::Key_Return);
                                      });
}

class Unit1Test : public corvane::test::MainWindowTest {
 protected:
  // File, Reopen, then the entry's number, with the keys a user presses in the active window.
  void Reopen(int number) {
    WidgetOf(form_.get())->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(WidgetOf(form_.get()), corvane::test::kUntilTheTestTimesOut));
    corvane::test::Keys(*form_->Editor, "Alt+F");
    ASSERT_TRUE(corvane::test::PressInMenu(Qt::Key_R)) << "the File menu did not open";
    ASSERT_TRUE(corvane::test::PressInMenu(static_cast<Qt::Key>(Qt::Key_0 + number))) << "no Reopen menu";
  }
};

TEST_F(Unit1Test, TabWidthSettingIsRoundedToTheWidthsOnTheMenu) {
  const struct {
    int stored;
    int spaces;
  } cases[] = {{3, 8}, {0, 2}, {1, 2}, {6, 8}, {2, 2}, {4, 4}, {5, 5}, {8, 8}, {-7, 2}, {100, 8}};
  for (const auto& c : cases) {
    RegWriteInteger(kSettingsKey, "TabWidth", c.stored);
    TForm1* form = Build();
    EXPECT_EQ(form->TabWidth(), c.spaces) << c.stored;
    for (TMenuItem* item : {form->Tab2Spaces1, form->Tab4Spaces1, form->Tab5Spaces1, form->Tab8Spaces1})
      EXPECT_EQ(item->Checked(), item->Tag == c.spaces) << c.stored << " " << item->Caption();
  }
}

TEST_F(Unit1Test, ColorSchemeNamesAreExactAndStoredAsGiven) {
  const struct {
    const char* stored;
    int scheme;  // 0 standard, 1 purple strings, 2 monochrome
  } cases[] = {{"Standard", 0}, {"standard", 1}, {"Monochrome", 2}, {"PurpleStrings", 1}, {"", 1}};
  for (const auto& c : cases) {
    RegWriteString(kSettingsKey, "ColorScheme", c.stored);
    TForm1* form = Build();
    TZuzUderUze* expected[] = {form->StandardSyntax, form->VizuviZozaze, form->MonochromeSyntax};
    TMenuItem* items[] = {form->Standard1, form->Purple1, form->Monochrome1};
    EXPECT_EQ(form->Editor->HighLighter(), expected[c.scheme]) << c.stored;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(items[i]->Checked(), i == c.scheme) << c.stored;
    EXPECT_EQ(RegReadString(kSettingsKey, "ColorScheme", "?"), c.stored);
  }
}

// Values of another kind count as missing and are stored again with their own kind, the window's place
// as well, so the next start finds them sound.
TEST_F(Unit1Test, SettingsOfAnotherKindGiveTheirDefaultsSilentlyAndAreRepaired) {
  Answers answers;
  const std::string place = "SOFTWARE\\Ombrix\\Tarnwick\\Window Position";
  RegWriteString(kSettingsKey, "Toolbar", "no");
  RegWriteString(kSettingsKey, "TabWidth", "4");
  RegWriteInteger(kSettingsKey, "ColorScheme", 1);
  RegWriteInteger(kSettingsKey, "FileTemplate", 7);
  RegWriteString(std::string(kSettingsKey) + "\\Font", "Size", "12");
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(place, true));
    registry.WriteBinaryData("FormVersion", "3");
    registry.WriteInteger("NormPos", 5);
  }
  TForm1* form = Start();
  EXPECT_TRUE(form->ToolBar->Visible());
  EXPECT_EQ(form->TabWidth(), 8);
  EXPECT_EQ(form->Editor->HighLighter(), form->VizuviZozaze);
  EXPECT_EQ(form->Editor->Lines()->Get(0), "#!/usr/bin/perl");
  form_.reset();  // closing keeps the window's place
  EXPECT_TRUE(answers.asked.empty()) << answers.Texts();
  const std::vector<std::tuple<std::string, std::string, TRegDataType>> repaired = {
      {kSettingsKey, "Toolbar", rdInteger},
      {kSettingsKey, "TabWidth", rdInteger},
      {kSettingsKey, "ColorScheme", rdString},
      {std::string(kSettingsKey) + "\\Font", "Size", rdInteger},
      {place, "FormVersion", rdInteger},
      {place, "NormPos", rdString},
  };
  for (const auto& [key, name, kind] : repaired) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(key)) << key;
    EXPECT_EQ(registry.GetDataType(name), kind) << name;
  }
}

// Another program locks the settings file while the window is open (a backup tool, the sqlite3 shell). The
// next setting written waits a short while, then the window goes on with its settings as they are, and
// says so once.
TEST_F(Unit1Test, ASettingsFileLockedDuringTheSessionLeavesTheWindowItsOwnSettings) {
  Answers answers;
  RegWriteInteger(kSettingsKey, "TabWidth", 4);
  TForm1* form = Start();
  ASSERT_EQ(form->TabWidth(), 4);
  corvane::test::TSettingsLock holder(RegistryStore::Instance().Path());
  ASSERT_TRUE(holder.Held()) << holder.Errors();

  // The View menu opened and the item clicked with the mouse.
  const auto view = [](TMenuItem* menu, TMenuItem* item) {
    QMenu* shown = SubMenuOf(menu);
    shown->popup(QPoint(0, 0));
    QTest::mouseClick(shown, Qt::LeftButton, {}, shown->actionGeometry(ActionOf(item)).center());
    shown->hide();
  };
  QElapsedTimer clock;
  clock.start();
  view(form->View1, form->Toolbar1);
  EXPECT_LT(clock.elapsed(), 10000);  // a short wait, not the start-up's fifteen seconds
  corvane::test::PumpUntil([&] { return !answers.asked.empty(); });
  EXPECT_FALSE(form->ToolBar->Visible());
  view(form->View1, form->ShowLNum1);
  EXPECT_TRUE(form->ShowLNum1->Checked());
  corvane::test::PumpPosted();
  ASSERT_EQ(answers.asked.size(), 1u) << answers.Texts();
  const std::string notice = answers.asked[0].Text;
  EXPECT_NE(notice.find("has been locked by another program. The program goes on with its settings as they are"),
            std::string::npos)
      << notice;
  EXPECT_EQ(RegReadInteger(kSettingsKey, "TabWidth", 8), 4);
  EXPECT_FALSE(RegReadBool(kSettingsKey, "Toolbar", true));
  EXPECT_TRUE(RegReadBool(kSettingsKey, "LineNumbers", false));
  EXPECT_TRUE(holder.Release());
}

// The window registers its three script types with the desktop at every start unless "NoAssociation"
// is set; a desktop folder that refuses the writes, or a store that does, leaves the window to start as
// usual.
TEST_F(Unit1Test, ScriptTypesAreRegisteredUnlessTheSettingSaysNo) {
  const std::string entryId = ExtractFileName(Application->ExeName()) + "-PerlScriptFile.desktop";
  const struct {
    const char* what;
    int noAssociation;  // -1: not stored
    bool expected;
  } cases[] = {{"not stored", -1, true}, {"false", 0, true}, {"true", 1, false}};
  for (const auto& c : cases) {
    corvane::test::TDesktopFolders desktop;
    RegistryStore::Instance().SetPath(store_.Folder() + "/" + c.what + ".sqlite3");
    if (c.noAssociation >= 0) RegWriteBool(kSettingsKey, "NoAssociation", c.noAssociation == 1);
    Build();
    EXPECT_EQ(ReadFile(desktop.Entry(entryId)),
              c.expected ? "[Desktop Entry]\nType=Application\nName=" + ExtractFileName(Application->ExeName()) +
                               "\nExec=" + Application->ExeName() + " %f\nIcon=" +
                               (corvane::test::BuildDataFolder() / "icons" / "pl.ico").string() +
                               "\nMimeType=application/x-cgi;application/x-perl;text/x-perl;\n"
                         : "")
        << c.what;
    for (const char* type : {"application/x-cgi", "application/x-perl", "text/x-perl"})
      EXPECT_EQ(corvane::test::DesktopTool({"xdg-mime", "query", "default", type}) == entryId, c.expected)
          << c.what << " " << type;
  }

  {
    corvane::test::TDesktopFolders desktop;
    WriteFile(dir_ + "/file", "a file where the desktop's folders should be");
    desktop.Use(dir_ + "/file/data", dir_ + "/file/config");
    RegistryStore::Instance().SetPath(store_.Folder() + "/blocked desktop.sqlite3");
    Answers answers;
    EXPECT_EQ(Start()->Caption(), "Untitled - Ombrix Tarnwick 2.1");
    EXPECT_TRUE(answers.asked.empty()) << answers.Texts();
  }

  std::ofstream(dir_ + "/file") << "a file where the store's folder should be";
  RegistryStore::Instance().SetPath(dir_ + "/file/registry.sqlite3");
  Answers answers;
  TForm1* form = Start();
  EXPECT_EQ(form->Caption(), "Untitled - Ombrix Tarnwick 2.1");
  // The store's one notice comes once the loop runs; it must be answered here, not by the next test.
  ASSERT_TRUE(corvane::test::PumpUntil([&] { return !answers.asked.empty(); })) << "no notice";
  ASSERT_EQ(answers.asked.size(), 1u) << answers.Texts();
  EXPECT_NE(answers.asked[0].Text.find("cannot be written"), std::string::npos) << answers.Texts();
}

TEST_F(Unit1Test, TheTextTakesTheKeyboardWhenTheWindowShows) {
  TForm1* form = Start();
  EXPECT_TRUE(corvane::test::PumpUntil([&] { return form->Editor->Focused(); }));
}

// Back from a run the keys go to the text again, and a tool-bar button never takes them: Space would
// press it.
TEST_F(Unit1Test, TheTextHasTheKeyboardAgainAfterARun) {
  const char* previous = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = previous ? previous : "";
  setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
  RegWriteBool(kSettingsKey, "RunBrowserView", false);  // the browser engine is not needed here
  TForm1* form = Start();
  ASSERT_TRUE(corvane::test::PumpUntil([&] { return form->Editor->Focused(); }));
  corvane::test::Keys(nullptr, "F9");
  ASSERT_TRUE(corvane::test::PumpUntil([&] { return form->Memo1->Hint.rfind("Done.", 0) == 0; }));
  corvane::test::Keys(nullptr, "F9");
  EXPECT_EQ(form->PageControl1->ActivePage(), form->EditSheet);
  corvane::test::Type(nullptr, "x");
  ASSERT_TRUE(form->UndoButton->Enabled());
  corvane::test::Click(WidgetOf(form->UndoButton), QPoint(5, 5));
  corvane::test::Type(nullptr, "ab ");
  EXPECT_TRUE(form->Editor->Focused());
  EXPECT_EQ(form->Editor->Lines()->Get(0), "ab #!/usr/bin/perl");
  EXPECT_EQ(form->Editor->LineCount(), 4);
  if (previous)
    setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
  else
    unsetenv("XDG_RUNTIME_DIR");
}

TEST_F(Unit1Test, ANewFileIsTheUntitledTemplate) {
  Answers answers;
  TForm1* form = Start();
  EXPECT_EQ(form->CurrentFileName(), "Untitled");
  EXPECT_EQ(form->Caption(), "Untitled - Ombrix Tarnwick 2.1");
  EXPECT_EQ(Application->Title(), form->Caption());
  EXPECT_EQ(form->Editor->Lines()->Count(), 4);
  EXPECT_EQ(form->Editor->Lines()->Get(2), "print \"Content-type: text/html\\n\\n\";");
  EXPECT_FALSE(form->Editor->Modified());
  EXPECT_EQ(form->PageControl1->ActivePage(), form->EditSheet);
  EXPECT_TRUE(answers.asked.empty());
}

// Pixels of a screen row of the editor's text, from its second to its twentieth column (clear of the
// caret), that differ from the row's background far to the right.
int InkInRow(const corvane::test::Picture& shown, const TqzCustomEdit& editor, int row) {
  if (shown.Empty()) return -1;
  const int left = editor.GutterWidth() + 2 + editor.CharWidth() * 3 / 2;
  const int right = editor.GutterWidth() + 2 + editor.CharWidth() * 20;
  const int background = std::min(shown.Width - 1, editor.GutterWidth() + 2 + editor.CharWidth() * 40);
  int ink = 0;
  for (int y = (row - 1) * editor.LineHeight(); y < row * editor.LineHeight() && y < shown.Height; ++y) {
    const unsigned char* far = shown.Pixel(y * shown.Width + background);
    for (int x = left; x < right && x < shown.Width; ++x) {
      const unsigned char* p = shown.Pixel(y * shown.Width + x);
      ink += (p[0] != far[0] || p[1] != far[1] || p[2] != far[2]) ? 1 : 0;
    }
  }
  return ink;
}

// A new text shows from its top whatever part of the old one was in view: Open, New and Reopen replace
// the whole text, and the view, the caret, the selection and the scroll bars start again.
TEST_F(Unit1Test, ANewTextShowsFromItsTopAfterScrollingDownTheOldOne) {
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += "line " + std::to_string(i) + " " + std::string(150, 'x') + "\r\n";
  WriteFile(Path("long.pl"), longText);
  WriteFile(Path("short.pl"), "short\r\n");
  SetCommandLine({Path("long.pl")});
  TForm1* form = Start();
  form->Open(Path("short.pl"), false);  // on the recent list for the reopen below
  TqzCustomEdit* editor = form->Editor;
  const std::vector<std::pair<const char*, std::function<void()>>> replacements = {
      {"open", [&] {
         Answers answers;
         answers.queue.push_back({IDOK, Path("short.pl")});
         corvane::test::Keys(*editor, "Ctrl+O");
       }},
      {"new", [&] { corvane::test::Keys(*editor, "Ctrl+N"); }},
      {"reopen", [&] {
         Reopen(2);  // the short text, below the long one just opened
         EXPECT_EQ(form->CurrentFileName(), Path("short.pl"));
       }},
  };
  for (const auto& [how, replace] : replacements) {
    form->Open(Path("long.pl"), false);
    corvane::test::Keys(*editor, "Ctrl+End");
    corvane::test::Keys(*editor, "Shift+Up");
    ASSERT_GT(editor->TopLine(), 1) << how;
    ASSERT_GT(editor->LeftColumn(), 1) << how;
    corvane::test::EventCounter paints(WidgetOf(editor), QEvent::Paint);
    replace();
    EXPECT_EQ(editor->TopLine(), 1) << how;
    EXPECT_EQ(editor->LeftColumn(), 1) << how;
    EXPECT_EQ(editor->CaretXY(), (TPoint{1, 1})) << how;
    EXPECT_FALSE(editor->SelectionAvailable()) << how;
    SCROLLINFO vertical;
    vertical.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(editor, SB_VERT, vertical));
    EXPECT_EQ(vertical.nPos, 1) << how;
    EXPECT_EQ(vertical.nMax, std::max(1, editor->LineCount() + editor->LinesInWindow() - 1)) << how;
    EXPECT_TRUE(paints.WaitFor(1)) << how;
    // The picture shows the new text: its first line from its first column, and nothing below its end
    // (the old text's long lines filled every row).
    const corvane::test::Picture shown = corvane::test::Grab(WidgetOf(editor));
    EXPECT_GT(InkInRow(shown, *editor, 1), 0) << how;
    EXPECT_EQ(InkInRow(shown, *editor, editor->LineCount() + 1), 0) << how;
    EXPECT_EQ(form->StatusBar1->Panels()->Items(0)->Text(), "     1:   1") << how;
  }
}

TEST_F(Unit1Test, AnUnquotedPathWithABlankOpensAsOneName) {
  fs::create_directories(Path("My Scripts"));
  WriteFile(Path("My Scripts/a b.pl"), "print 1;\r\nprint 2;\r\n");
  SetCommandLine({Path("My"), "Scripts/a", "b.pl"});
  TForm1* form = Start();
  EXPECT_EQ(form->CurrentFileName(), Path("My Scripts/a b.pl"));
  EXPECT_EQ(form->Caption(), "a b.pl - Ombrix Tarnwick 2.1");
  EXPECT_EQ(form->Editor->Lines()->Text(), "print 1;\r\nprint 2;\r\n");
  EXPECT_EQ(RegReadString(kSettingsKey, "LastDir", ""), Path("My Scripts"));
}

TEST_F(Unit1Test, AMissingFileShowsTheErrorAndItsNameIsNotSavedOverWithoutAsking) {
  Answers answers;
  const std::string missing = Path("missing.pl");
  SetCommandLine({missing});
  RegWriteString(kSettingsKey, "LastDir", Path("elsewhere"));
  TForm1* form = Start();
  ASSERT_EQ(answers.asked.size(), 1u);
  EXPECT_NE(answers.asked[0].Text.find("missing.pl"), std::string::npos) << answers.asked[0].Text;
  EXPECT_EQ(form->Caption(), "missing.pl - Ombrix Tarnwick 2.1");
  EXPECT_EQ(form->Editor->Lines()->Text(), "\r\n");  // the editor's single empty line
  EXPECT_FALSE(form->Editor->Modified());
  EXPECT_EQ(RecentEntries(form), "missing.pl:0 ");  // a name given at start is listed before it is opened
  // The window shows the empty text as it is.
  for (TToolButton* button : {form->UndoButton, form->RedoButton, form->CutButton, form->CopyButton})
    EXPECT_FALSE(button->Enabled()) << button->Name();
  TStatusPanels* panels = form->StatusBar1->Panels();
  EXPECT_EQ(panels->Items(0)->Text() + "|" + panels->Items(1)->Text() + "|" + panels->Items(2)->Text(), "     1:   1||Insert");
  // The window stays usable: Save asks for the name, proposing the one that failed, in its folder.
  answers.queue.push_back({IDCANCEL, ""});
  form->Save1Click(form);
  ASSERT_EQ(answers.asked.size(), 2u);
  EXPECT_EQ(answers.asked[1].Kind, dkSaveFile);
  EXPECT_EQ(answers.asked[1].Value, missing);
  EXPECT_EQ(answers.asked[1].InitialDir, Path(""));
  EXPECT_FALSE(fs::exists(missing));
}

// A name that cannot be opened changes nothing: the window keeps its file, its title and its text with
// the changes made to it, and Save still writes them where they came from.
TEST_F(Unit1Test, AFailedOpenFromTheMenuNeverSavesTheOldTextUnderTheNewName) {
  Answers answers;
  WriteFile(Path("old.pl"), "old text\r\n");
  TForm1* form = Start();
  form->Open(Path("old.pl"), false);
  form->Editor->SetText("changed text\r\n");
  form->Editor->SetModified(true);
  answers.queue.push_back({IDOK, Path("gone.pl")});
  EXPECT_THROW(form->Open1Click(form), EFOpenError);  // as far as the message loop
  EXPECT_EQ(form->CurrentFileName(), Path("old.pl"));
  EXPECT_EQ(form->Caption(), "old.pl - Ombrix Tarnwick 2.1");
  EXPECT_EQ(form->Editor->Lines()->Text(), "changed text\r\n");
  EXPECT_TRUE(form->Editor->Modified());
  EXPECT_EQ(RecentEntries(form), "old.pl:1 ");
  form->Save1Click(form);
  EXPECT_FALSE(fs::exists(Path("gone.pl")));
  EXPECT_EQ(ReadFile(Path("old.pl")), "changed text\r\n");
}

TEST_F(Unit1Test, SaveAsAddsAnExtensionOnlyWhenTheNameHasNoDotAnywhere) {
  fs::create_directories(Path("v1.2"));
  const struct {
    std::string chosen;
    std::string saved;
  } cases[] = {
      {Path("script"), Path("script.pl")},
      {Path("script.cgi"), Path("script.cgi")},
      {Path("v1.2/script"), Path("v1.2/script")},
  };
  TForm1* form = Start();
  for (const auto& c : cases) {
    Answers answers;
    answers.queue.push_back({IDOK, c.chosen});
    form->Saveas1Click(form);
    EXPECT_EQ(form->CurrentFileName(), c.saved);
    EXPECT_EQ(form->Caption(), ExtractFileName(c.saved) + " - Ombrix Tarnwick 2.1");
    EXPECT_TRUE(fs::exists(c.saved)) << c.saved;
  }
}

// The Open and Save As dialogs start in "LastDir", else in the current file's folder (nothing for a
// text never saved); only Open writes "LastDir". Opening "Untitled" starts a new file instead.
TEST_F(Unit1Test, DialogsStartInTheLastFolderOrInTheCurrentFilesOwn) {
  const auto startFolders = [](TForm1* form) {
    Answers answers;  // both dialogs cancelled
    form->Open1Click(form);
    form->Saveas1Click(form);
    EXPECT_EQ(answers.asked.size(), 2u);
    return answers.asked.at(0).InitialDir + " | " + answers.asked.at(1).InitialDir;
  };
  fs::create_directories(Path("sub"));
  WriteFile(Path("sub/a.pl"), "a\r\n");
  TForm1* form = Start();
  EXPECT_EQ(startFolders(form), " | ");

  form->Open(Path("sub/a.pl"), false);
  EXPECT_EQ(startFolders(form), Path("sub") + " | " + Path("sub"));

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kSettingsKey, false));
  registry.DeleteValue("LastDir");
  EXPECT_EQ(startFolders(form), Path("sub/") + " | " + Path("sub/"));

  fs::create_directories(Path("other"));
  {
    Answers answers;
    answers.queue.push_back({IDOK, Path("other/b.pl")});
    form->Saveas1Click(form);
    EXPECT_EQ(answers.asked.at(0).Value, Path("sub/a.pl"));
    EXPECT_EQ(answers.asked.at(0).DefaultExt, ".cgi");
  }
  EXPECT_EQ(RegReadString(kSettingsKey, "LastDir", "not written"), "not written");

  form->Editor->SetModified(false);
  form->Open("Untitled", false);
  EXPECT_EQ(form->Caption(), "Untitled - Ombrix Tarnwick 2.1");
  EXPECT_EQ(form->Editor->Lines()->Get(0), "#!/usr/bin/perl");
}

TEST_F(Unit1Test, SaveWritesEveryLineByteForByte) {
  const std::string name = Path("bytes.pl");
  WriteFile(name, "a\r\nb\xe9\xff\r\n\r\nlast");
  TForm1* form = Start();
  form->Open(name, false);
  form->Editor->Lines()->Add("\x01tail\t");
  form->Save1Click(form);
  EXPECT_EQ(ReadFile(name), "a\r\nb\xe9\xff\r\n\r\nlast\r\n\x01tail\t");
  EXPECT_FALSE(form->Editor->Modified());
  EXPECT_EQ(form->StatusBar1->Panels()->Items(1)->Text(), "");
}

TEST_F(Unit1Test, SaveKeepsPermissionsAndLinksAndAFailedWriteLeavesTheOldFile) {
  const std::string name = Path("kept.pl");
  WriteFile(name, "old\r\n");
  fs::permissions(name, fs::perms(0741));
  fs::create_symlink(name, Path("link.pl"));
  TForm1* form = Start();
  form->Open(Path("link.pl"), false);
  form->Editor->Lines()->Put(0, "new");
  form->Save1Click(form);
  EXPECT_EQ(ReadFile(name), "new\r\n");
  EXPECT_EQ(fs::status(name).permissions(), fs::perms(0741));
  EXPECT_TRUE(fs::is_symlink(Path("link.pl")));

  // A write that fails half way (here the file-size limit) reports and leaves the file alone.
  form->Editor->Lines()->Put(0, std::string(100000, 'x'));
  bool failed = false;
  try {
    const corvane::test::FileSizeLimit full(1000);
    form->Save1Click(form);
  } catch (const Exception& e) {
    failed = true;
    EXPECT_NE(e.Message.find("link.pl"), std::string::npos) << e.Message;
  }
  EXPECT_TRUE(failed);
  EXPECT_EQ(ReadFile(name), "new\r\n");
  EXPECT_EQ(fs::status(name).permissions(), fs::perms(0741));
  std::vector<std::string> left;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"kept.pl", "link.pl"}));  // no temporary left
}

// A file keeps the line ends it came with: its first line end decides, a last line without one stays
// without, an empty file stays empty. A new text gets this platform's line end after every line.
TEST_F(Unit1Test, FilesKeepTheirLineEndsThroughOpenAndSave) {
  const struct {
    const char* name;
    std::string bytes;
    std::string saved;
    std::string afterTypingAHash;
  } cases[] = {
      {"lf.cgi", "#!/usr/bin/perl\nprint 1;\n", "#!/usr/bin/perl\nprint 1;\n", "##!/usr/bin/perl\nprint 1;\n"},
      {"crlf.pl", "print 1;\r\nprint 2;\r\n", "print 1;\r\nprint 2;\r\n", "#print 1;\r\nprint 2;\r\n"},
      {"unended.pl", "print 1;\nprint 2;", "print 1;\nprint 2;", "#print 1;\nprint 2;"},
      {"mixed.pl", "a\r\nb\nc\r\n", "a\r\nb\r\nc\r\n", "#a\r\nb\r\nc\r\n"},
      {"empty.pl", "", "", "#"},
  };
  TForm1* form = Start();
  for (const auto& c : cases) {
    const std::string name = Path(c.name);
    WriteFile(name, c.bytes);
    Answers answers;
    answers.queue.push_back({IDOK, name});
    Press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(form->CurrentFileName(), name);
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(name), c.saved) << c.name;
    Press(Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(WidgetOf(form->Editor), "#");
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(name), c.afterTypingAHash) << c.name;
    EXPECT_EQ(answers.asked.size(), 1u) << answers.Texts();
  }

  Answers answers;
  form->Editor->SetModified(false);
  form->New1Click(form);
  answers.queue.push_back({IDOK, Path("new.pl")});
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadFile(Path("new.pl")),
            "#!/usr/bin/perl\n\nprint \"Content-type: text/html\\n\\n\";\nprint \"<html><h1>Hello!</h1></html>\\n\";\n");
}

// A file that is valid UTF-8 is shown in the editor's code page (Windows-1251) and written back as UTF-8
// (after its byte order mark when it has one), also what is typed into it; a file that is not keeps its
// bytes. However it was opened, and under
// another name through Save As too.
TEST_F(Unit1Test, FilesKeepTheirEncodingThroughOpenEditAndSave) {
  enum class Way { CommandLine, OpenDialog };
  const struct {
    const char* name;
    Way way;
    std::string bytes;
    std::string shown;  // the first line in the editor
    std::string saved;  // after typing "ж" and committing "ё" through the input method at its start
  } cases[] = {
      {"utf8.pl", Way::CommandLine, "# привет «мир» €\nprint 1;\n",
       "# \xEF\xF0\xE8\xE2\xE5\xF2 \xAB\xEC\xE8\xF0\xBB \x88", "жё# привет «мир» €\nprint 1;\n"},
      {"utf8-crlf.pl", Way::OpenDialog, "print \"Ёлка\";\r\n", "print \"\xA8\xEB\xEA\xE0\";",
       "жёprint \"Ёлка\";\r\n"},
      {"cp1251.pl", Way::OpenDialog, "# \xCF\xF0\xE8\xE2\xE5\xF2\r\n\xE9", "# \xCF\xF0\xE8\xE2\xE5\xF2",
       "\xE6\xB8# \xCF\xF0\xE8\xE2\xE5\xF2\r\n\xE9"},
      {"cp1251-one-byte.pl", Way::CommandLine, "\xE6", "\xE6", "\xE6\xB8\xE6"},
      {"ascii.pl", Way::OpenDialog, "print 1;\n", "print 1;", "жёprint 1;\n"},
      {"bom.pl", Way::OpenDialog, "\xEF\xBB\xBFprint \"Ёж\";\n", "print \"\xA8\xE6\";", "\xEF\xBB\xBFжёprint \"Ёж\";\n"},
      {"empty.pl", Way::CommandLine, "", "", "жё"},
  };
  for (const auto& c : cases) {
    const std::string name = Path(c.name);
    WriteFile(name, c.bytes);
    SetCommandLine(c.way == Way::CommandLine ? std::vector<std::string>{name} : std::vector<std::string>{});
    Answers answers;
    TForm1* form = Start();
    if (c.way == Way::OpenDialog) {
      answers.queue.push_back({IDOK, name});
      Press(Qt::Key_O, Qt::ControlModifier);
    }
    ASSERT_EQ(form->CurrentFileName(), name);
    EXPECT_EQ(form->Editor->Lines()->Get(0), c.shown) << c.name;
    EXPECT_FALSE(form->Editor->ReadOnly()) << c.name;
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(name), c.bytes) << c.name;

    Press(Qt::Key_Home, Qt::ControlModifier);
    corvane::test::TypeText(WidgetOf(form->Editor), QString::fromUtf8("ж"));
    corvane::test::CommitText(*form->Editor, QString::fromUtf8("ё"));
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(name), c.saved) << c.name;
    answers.queue.push_back({IDOK, Path(std::string("copy-") + c.name)});
    Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ReadFile(Path(std::string("copy-") + c.name)), c.saved) << c.name;
    EXPECT_EQ(answers.asked.size(), c.way == Way::OpenDialog ? 2u : 1u) << answers.Texts();
  }

  // A new text takes this platform's encoding.
  Answers answers;
  form_->Editor->SetModified(false);
  form_->New1Click(form_.get());
  corvane::test::TypeText(WidgetOf(form_->Editor), QString::fromUtf8("ж"));
  answers.queue.push_back({IDOK, Path("new.pl")});
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadFile(Path("new.pl")).substr(0, 18), "ж#!/usr/bin/perl\n");
}

// The Tools menu's conversions act on the editor's bytes, and the file is written as the text then
// shows: converted to KOI8-R and back, a UTF-8 file comes back byte for byte.
TEST_F(Unit1Test, ConvertingAUtf8FileToKoi8rAndBackSavesItsOwnBytes) {
  const std::string name = Path("koi.pl");
  WriteFile(name, "# привет\n");
  SetCommandLine({name});
  Start();
  Press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadFile(name), "# РТЙЧЕФ\n");  // the KOI8-R bytes of the word, read as Windows-1251
  Press(Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadFile(name), "# привет\n");
}

// Characters the code page cannot show are never lost by a save: the file opens read-only with a
// message naming the first line that holds one, and Save and Save As refuse with it. The next file
// that fits the code page is editable again.
TEST_F(Unit1Test, AUtf8FileWithCharactersTheCodePageLacksOpensReadOnlyAndIsNeverSaved) {
  const std::string name = Path("cafe.pl");
  const std::string bytes = "# привет\nmy $s = 'café ☺';\n";
  WriteFile(name, bytes);
  SetCommandLine({name});
  Answers answers;
  // Given at start, the file opens while the window is being shown: its message comes once the window
  // is up, over the file's text.
  bool upWithTheText = false;
  answers.whenAsked = [&] {
    upWithTheText = WidgetOf(form_.get())->isVisible() && form_->Editor->Lines()->Get(0) == "# \xEF\xF0\xE8\xE2\xE5\xF2";
  };
  TForm1* form = Start();
  ASSERT_TRUE(corvane::test::PumpUntil([&] { return !answers.asked.empty(); }));
  answers.whenAsked = nullptr;
  EXPECT_TRUE(upWithTheText);
  ASSERT_EQ(answers.asked.size(), 1u) << answers.Texts();
  const std::string message = answers.asked[0].Text;
  EXPECT_EQ(message,
            "Line 2 of \"cafe.pl\" holds characters that the editor's code page (Windows-1251) cannot show. "
            "The file is opened read-only, so that no save can change it; it can still be copied, searched, "
            "run and printed.");
  EXPECT_TRUE(form->Editor->ReadOnly());
  EXPECT_EQ(form->Editor->Lines()->Get(1), "my $s = 'caf? ?';");

  QTest::keyClicks(WidgetOf(form->Editor), "x");
  corvane::test::CommitText(*form->Editor, QString::fromUtf8("ж"));
  EXPECT_EQ(form->Editor->Lines()->Get(0), "# \xEF\xF0\xE8\xE2\xE5\xF2");
  form->Editor->SetSelText("changed by a command ");  // as the Tools menu changes a text
  Press(Qt::Key_S, Qt::ControlModifier);
  answers.queue.push_back({IDOK, Path("copy.pl")});
  Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(answers.asked.size(), 4u) << answers.Texts();
  EXPECT_EQ(answers.asked[1].Text, message);
  EXPECT_EQ(answers.asked[3].Text, message);
  EXPECT_EQ(ReadFile(name), bytes);
  EXPECT_FALSE(fs::exists(Path("copy.pl")));

  WriteFile(Path("fits.pl"), "# привет\n");
  form->Editor->SetModified(false);
  form->Open(Path("fits.pl"), false);
  EXPECT_FALSE(form->Editor->ReadOnly());
  EXPECT_EQ(answers.asked.size(), 4u) << answers.Texts();
}

// A read that fails part of the way through, or a file that another program cuts shorter while it is
// read, fails the open with a message that names the file; the window keeps its own text and name, so
// the part read is never saved over the file without asking.
TEST_F(Unit1Test, AReadErrorFailsTheOpenAndTheFileIsNotSavedOverWithoutAsking) {
  const std::string name = Path("big.pl");
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "print \"line " + std::to_string(i) + " of a long script\\n\";\n";
  const struct {
    const char* what;
    TFileReadFault fault;
    std::string message;
    std::string left;
  } cases[] = {
      {"a failing disk",
       [&](const std::string& file, std::int64_t position) { return file == name && position >= 65536 ? EIO : 0; },
       "Cannot read file \"" + name + "\". Input/output error.", text},
      {"a file cut shorter",
       [&](const std::string& file, std::int64_t position) {
         if (file == name && position == 0) fs::resize_file(name, 1000);
         return 0;
       },
       "Cannot read file \"" + name + "\". It became shorter while it was read.", text.substr(0, 1000)},
  };
  struct Restore {
    ~Restore() { SetFileReadFault(nullptr); }
  } restore;
  TForm1* form = Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(name, text);
    const std::string before = form->Editor->Lines()->Text();
    SetFileReadFault(c.fault);
    Answers answers;
    answers.queue.push_back({IDOK, name});
    Press(Qt::Key_O, Qt::ControlModifier);
    SetFileReadFault(nullptr);
    ASSERT_EQ(answers.asked.size(), 2u) << answers.Texts();
    EXPECT_EQ(answers.asked[1].Text, c.message);
    EXPECT_EQ(form->Editor->Lines()->Text(), before);
    EXPECT_EQ(form->CurrentFileName(), kUntitled);
    QTest::keyClicks(WidgetOf(form->Editor), "x");
    answers.queue.push_back({IDCANCEL, ""});
    Press(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(answers.asked.size(), 3u);
    EXPECT_EQ(answers.asked[2].Kind, dkSaveFile);
    EXPECT_EQ(ReadFile(name), c.left);
    form->Editor->SetModified(false);
  }
}

// A pipe, a device, a folder, a file or a line longer than the editor can hold: the open is refused at
// once with a message, and the window keeps its text and its name.
TEST_F(Unit1Test, WhatTheEditorCannotOpenIsRefusedAndNothingChanges) {
  const std::string fifo = Path("pipe.pl");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directories(Path("folder.pl"));
  const std::string huge = Path("huge.pl");
  WriteFile(huge, "");
  fs::resize_file(huge, std::uintmax_t{1} << 31);  // sparse: nothing is written
  const std::string longLine = Path("long.pl");
  WriteFile(longLine, "print 1;\n" + std::string(static_cast<size_t>(kMaxLineLength) + 1, 'x') + "\n");
  const struct {
    std::string name;
    std::string reason;
  } cases[] = {
      {fifo, "It is not a regular file"},
      {"/dev/zero", "It is not a regular file"},
      {Path("folder.pl"), "Is a directory"},
      {huge, "The text is longer than the editor can hold (2147483647 bytes)"},
      {longLine, "Line 2 is longer than the editor can hold (8388607 bytes)"},
  };
  WriteFile(Path("kept.pl"), "kept\n");
  TForm1* form = Start();
  form->Open(Path("kept.pl"), false);
  for (const auto& c : cases) {
    Answers answers;
    answers.queue.push_back({IDOK, c.name});
    Press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(answers.asked.size(), 2u) << answers.Texts();
    EXPECT_EQ(answers.asked[1].Text, "Cannot open file \"" + c.name + "\". " + c.reason + ".");
    EXPECT_EQ(form->CurrentFileName(), Path("kept.pl"));
    EXPECT_EQ(form->Caption(), "kept.pl - Ombrix Tarnwick 2.1");
    EXPECT_EQ(form->Editor->Lines()->Text(), "kept\r\n");
  }
  EXPECT_EQ(form->MRUManager1->Strings()->IndexOf(fifo), -1);
}

// Given on the command line, what the editor does not open is reported, stays off the recent list, and
// the window starts with a new text as without a name.
TEST_F(Unit1Test, WhatTheEditorCannotOpenGivenAtStartIsReportedAndTheWindowStartsNew) {
  WriteFile(Path("a.pl"), "a\r\n");
  SetCommandLine({Path("a.pl")});
  Start()->Close();
  SetCommandLine({});
  const std::string newText = Start()->Editor->Lines()->Text();
  const std::string fifo = Path("pipe.pl");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directories(Path("folder.pl"));
  const struct {
    std::string name;
    std::string reason;
  } cases[] = {{fifo, "It is not a regular file"}, {Path("folder.pl"), "Is a directory"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Answers answers;
    SetCommandLine({c.name});
    TForm1* form = Start();
    ASSERT_EQ(answers.asked.size(), 1u) << answers.Texts();
    EXPECT_EQ(answers.asked[0].Text, "Cannot open file \"" + c.name + "\". " + c.reason + ".");
    EXPECT_EQ(form->CurrentFileName(), kUntitled);
    EXPECT_EQ(form->Caption(), "Untitled - Ombrix Tarnwick 2.1");
    EXPECT_EQ(form->Editor->Lines()->Text(), newText);
    EXPECT_FALSE(form->Editor->Modified());
    EXPECT_EQ(RecentEntries(form), "a.pl:2 ");
    EXPECT_EQ(form->Reopen1->Count(), 1);
    form->Close();
  }
}

// Save reports a read-only file as the system does and leaves it alone; Save As asks again.
TEST_F(Unit1Test, AReadOnlyFileIsNotReplacedAndSaveAsAsksForAnotherName) {
  const std::string name = Path("readonly.pl");
  WriteFile(name, "old\n");
  fs::permissions(name, fs::perms(0444));
  TForm1* form = Start();
  form->Open(name, false);
  QTest::keyClicks(WidgetOf(form->Editor), "new ");
  Answers answers;
  Press(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(answers.asked.size(), 1u);
  EXPECT_EQ(answers.asked[0].Text, "Cannot create file \"" + name + "\". Permission denied.");
  EXPECT_EQ(ReadFile(name), "old\n");
  EXPECT_TRUE(form->Editor->Modified());

  answers.queue.push_back({IDOK, name});
  answers.queue.push_back({IDOK, ""});
  answers.queue.push_back({IDOK, Path("copy.pl")});
  Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(answers.asked.size(), 4u) << answers.Texts();
  EXPECT_EQ(answers.asked[1].Kind, dkSaveFile);
  EXPECT_EQ(answers.asked[2].Text, "Cannot create file \"" + name + "\". Permission denied.");
  EXPECT_EQ(answers.asked[3].Kind, dkSaveFile);
  EXPECT_EQ(ReadFile(name), "old\n");
  EXPECT_EQ(ReadFile(Path("copy.pl")), "new old\n");
  EXPECT_EQ(form->CurrentFileName(), Path("copy.pl"));
  EXPECT_FALSE(form->Editor->Modified());
}

TEST_F(Unit1Test, TheSavePromptDecidesWhetherOpenGoesOn) {
  WriteFile(Path("one.pl"), "one\r\n");
  WriteFile(Path("two.pl"), "two\r\n");
  TForm1* form = Start();
  form->Open(Path("one.pl"), false);
  form->Editor->Lines()->Put(0, "one changed");
  form->Editor->SetModified(true);
  {
    Answers answers;
    answers.queue.push_back({IDCANCEL, ""});
    form->Open(Path("two.pl"), false);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].Text, "Save changes to " + Path("one.pl") + "?");
    EXPECT_EQ(answers.asked[0].Flags & MB_TYPEMASK, MB_YESNOCANCEL);
    EXPECT_EQ(form->CurrentFileName(), Path("one.pl"));
    EXPECT_EQ(form->Editor->Lines()->Get(0), "one changed");
  }
  {
    Answers answers;
    answers.queue.push_back({IDYES, ""});
    form->Open(Path("two.pl"), false);
    EXPECT_EQ(ReadFile(Path("one.pl")), "one changed\r\n");
    EXPECT_EQ(form->CurrentFileName(), Path("two.pl"));
  }
  {
    form->Editor->SetModified(true);
    Answers answers;
    answers.queue.push_back({IDNO, ""});
    bool canClose = true;
    form->FormCloseQuery(form, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(ReadFile(Path("two.pl")), "two\r\n");
  }
}

// Yes on the save question, then Esc in the real Save As dialog: the text was not saved, so the action
// that asked stops and the text stays as it was.
TEST_F(Unit1Test, ASaveAsCancelledAfterYesStopsTheActionThatAsked) {
  WriteFile(Path("a.pl"), "a\r\n");
  const struct {
    const char* name;
    std::function<void()> act;
  } actions[] = {
      {"File > New", [this] { corvane::test::Keys(*form_->Editor, "Ctrl+N"); }},
      {"File > Reopen", [this] { Reopen(1); }},
      {"File > Exit", [this] {
         WidgetOf(form_.get())->activateWindow();
         ASSERT_TRUE(QTest::qWaitForWindowActive(WidgetOf(form_.get()), corvane::test::kUntilTheTestTimesOut));
         corvane::test::Keys(*form_->Editor, "Alt+F");
         ASSERT_TRUE(corvane::test::PressInMenu(Qt::Key_X)) << "the File menu did not open";
       }},
  };
  for (const auto& action : actions) {
    TForm1* form = Start();
    form->Open(Path("a.pl"), false);
    form->New1Click(form);
    corvane::test::Type(*form->Editor, "kept");
    const std::string text = form->Editor->Text();
    bool asked = false;
    bool cancelled = false;
    corvane::test::WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                                        [&](QWidget* w) {
                                          asked = true;
                                          static_cast<QMessageBox*>(w)->button(QMessageBox::Yes)->click();
                                        });
    TypeIntoNextFileDialog("", cancelled);
    action.act();
    EXPECT_TRUE(asked) << action.name;
    EXPECT_TRUE(cancelled) << action.name;
    EXPECT_EQ(form->Editor->Text(), text) << action.name;
    EXPECT_TRUE(form->Editor->Modified()) << action.name;
    EXPECT_EQ(form->CurrentFileName(), "Untitled") << action.name;
    EXPECT_TRUE(form->Visible()) << action.name;
    form->Editor->SetModified(false);
  }
}

// Every name opened or saved goes on the recent list with the way it came (0 command line, 1 open,
// 2 command line or the list itself, 3 save as), also when the save prompt cancelled the open.
TEST_F(Unit1Test, TheRecentListTakesEveryOpenAndComesBackWithTheWindow) {
  WriteFile(Path("a.pl"), "a\r\n");
  WriteFile(Path("b.pl"), "b\r\n");
  SetCommandLine({Path("a.pl")});
  TForm1* form = Start();
  EXPECT_EQ(form->MRUManager1->Capacity(), 7);
  form->Editor->SetModified(true);
  {
    Answers answers;
    answers.queue.push_back({IDCANCEL, ""});
    form->Open(Path("b.pl"), false);
    EXPECT_EQ(form->CurrentFileName(), Path("a.pl"));
  }
  {
    Answers answers;
    answers.queue.push_back({IDOK, Path("c")});
    form->Saveas1Click(form);
  }
  const auto entries = RecentEntries;
  EXPECT_EQ(entries(form), "c.pl:3 b.pl:1 a.pl:2 ");
  EXPECT_TRUE(form->Reopen1->Enabled());
  ASSERT_EQ(form->Reopen1->Count(), 3);
  form->Close();
  TRegistry registry;
  EXPECT_TRUE(registry.KeyExists("SOFTWARE\\Ombrix\\Tarnwick\\Window Position\\TForm1.MRUManager1"));

  SetCommandLine({});
  form = Start();
  EXPECT_EQ(entries(form), "c.pl:3 b.pl:1 a.pl:2 ");
  ASSERT_EQ(form->Reopen1->Count(), 3);
  Reopen(2);
  EXPECT_EQ(form->CurrentFileName(), Path("b.pl"));
  EXPECT_EQ(form->Editor->Lines()->Get(0), "b");
  EXPECT_EQ(entries(form), "b.pl:2 c.pl:3 a.pl:2 ");
}

// A file named relative to the working folder is listed once, by its full path, and reopens from any
// folder.
TEST_F(Unit1Test, TheRecentListKeepsFullPaths) {
  fs::create_directories(Path("files"));
  WriteFile(Path("files/hi.cgi"), "hi\r\n");
  const fs::path previous = fs::current_path();
  fs::current_path(dir_);
  SetCommandLine({"files/hi.cgi"});
  TForm1* form = Start();
  fs::current_path(previous);
  EXPECT_EQ(form->CurrentFileName(), Path("files/hi.cgi"));
  TRecentStrings* list = form->MRUManager1->Strings();
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(list->Get(0), Path("files/hi.cgi"));
  EXPECT_EQ(RegReadString(kSettingsKey, "LastDir", ""), Path("files"));

  Answers answers;
  corvane::test::Keys(*form->Editor, "Ctrl+N");
  Reopen(1);
  EXPECT_TRUE(answers.asked.empty()) << answers.Texts();
  EXPECT_EQ(form->Editor->Lines()->Get(0), "hi");
  EXPECT_EQ(list->Count(), 1);
}

TEST_F(Unit1Test, LineNumberDigitsFollowTheLineCount) {
  RegWriteBool(kSettingsKey, "LineNumbers", true);
  // The window asks for the digits of the line count; the gutter never shows fewer than two.
  for (auto [lines, digits] : {std::pair{9, 2}, {10, 2}, {100, 3}, {1000, 4}}) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += (i ? "\r\n" : "") + std::string("line");
    RegWriteString(kSettingsKey, "FileTemplate", text);
    TForm1* form = Start();
    EXPECT_EQ(form->Editor->LineCount(), lines);
    EXPECT_EQ(form->Editor->Gutter()->DigitCount(), digits) << lines;
    EXPECT_FALSE(form->ThinGutter1->Enabled());
  }
}

TEST_F(Unit1Test, ViewSettingsComeBackWhenTheWindowIsBuiltAgain) {
  TForm1* form = Build();
  EXPECT_TRUE(form->ToolBar->Visible());
  EXPECT_EQ(form->Editor->Gutter()->Width(), 30);
  form->Toolbar1->Click();
  form->StatusBar2->Click();
  form->ThinGutter1->Click();
  form->ShowLNum1->Click();
  form->ExtraLineSpacing1->Click();
  form->Tab4Spaces1->Click();
  form->SmartTabs1->Click();
  form->Monochrome1->Click();

  form = Build();
  EXPECT_FALSE(form->ToolBar->Visible());
  EXPECT_FALSE(form->Toolbar1->Checked());
  EXPECT_FALSE(form->StatusBar1->Visible());
  EXPECT_FALSE(form->StatusBar2->Checked());
  EXPECT_TRUE(form->ThinGutter1->Checked());
  EXPECT_EQ(form->Editor->Gutter()->Width(), 16);
  EXPECT_TRUE(form->Editor->Gutter()->ShowLineNumbers());
  EXPECT_FALSE(form->ThinGutter1->Enabled());
  EXPECT_EQ(form->Editor->ExtraLineSpacing(), 8);
  EXPECT_EQ(form->TabWidth(), 4);
  EXPECT_TRUE(form->Tab4Spaces1->Checked());
  EXPECT_FALSE(form->Editor->Options().Contains(qzeoSmartTabs));
  EXPECT_FALSE(form->SmartTabs1->Checked());
  EXPECT_EQ(form->Editor->HighLighter(), form->MonochromeSyntax);
}

TEST_F(Unit1Test, StatusBarShowsCaretModifiedAndInsertState) {
  TForm1* form = Start();
  form->Editor->SetCaretXY(TPoint{3, 2});
  form->Editor->SetModified(true);
  form->EditorStatusChange(form->Editor, {});
  EXPECT_EQ(form->StatusBar1->Panels()->Items(0)->Text(), "     2:   3");
  EXPECT_EQ(form->StatusBar1->Panels()->Items(1)->Text(), "Modified");
  EXPECT_EQ(form->StatusBar1->Panels()->Items(2)->Text(), "Insert");
  form->Editor->SetInsertMode(false);
  form->Editor->SetModified(false);
  form->EditorStatusChange(form->Editor, {});
  EXPECT_EQ(form->StatusBar1->Panels()->Items(1)->Text(), "");
  EXPECT_EQ(form->StatusBar1->Panels()->Items(2)->Text(), "Overwrite");
  // A hint takes the whole bar while it lasts.
  Application->SetHint("Save the script");
  EXPECT_TRUE(form->StatusBar1->SimplePanel());
  EXPECT_EQ(form->StatusBar1->SimpleText(), "Save the script");
  Application->CancelHint();
  EXPECT_FALSE(form->StatusBar1->SimplePanel());
}

TEST_F(Unit1Test, QuickInsertsAndTheirShortCutsComeFromTheSettings) {
  RegWriteString(kSettingsKey, "PerlHeader", "#!/usr/local/bin/perl -w");
  RegWriteString(kSettingsKey, "Quick2", "use strict;");
  RegWriteString(kSettingsKey, "QuickHotkey2", "Shift+Ctrl+F7");
  RegWriteString(kSettingsKey, "QuickHotkey3", "");
  RegWriteString(kSettingsKey, "QuickHotkey4", "no such key");
  TForm1* form = Build();
  EXPECT_EQ(form->SetPerlHeader1->Caption(), "Set Perl &Header To #!/usr/local/bin/perl -w");
  EXPECT_EQ(form->PerlHeader(), "#!/usr/local/bin/perl -w");
  EXPECT_EQ(form->QuickItems[0]->Caption(), "foreach $line ( @lines ) {");
  EXPECT_EQ(form->QuickItems[0]->ShortCut(), ShortCut('0', {ssCtrl}));
  EXPECT_EQ(form->QuickItems[9]->Caption(), "my $name = param('name');");
  EXPECT_EQ(form->QuickItems[2]->Caption(), "use strict;");
  EXPECT_EQ(form->QuickItems[2]->ShortCut(), ShortCut(VkF(7), {ssShift, ssCtrl}));
  EXPECT_EQ(form->QuickItems[3]->ShortCut(), 0);
  EXPECT_EQ(form->QuickItems[4]->ShortCut(), 0);
}

// The window's key table leaves Tab to the window and has no keys for the selection modes.
TEST_F(Unit1Test, TabInsertsTheChosenNumberOfSpacesAndCtrlShiftCKeepsTheSelectionMode) {
  RegWriteInteger(kSettingsKey, "TabWidth", 5);
  TForm1* form = Start();
  form->Editor->SetText("ab");
  form->Editor->SetCaretXY(TPoint{2, 1});
  corvane::test::Press(*form->Editor, Qt::Key_Tab);
  EXPECT_EQ(form->Editor->Lines()->Get(0), "a     b");  // the tab character itself inserts nothing
  EXPECT_EQ(form->Editor->CaretX(), 7);
  for (const char* keys : {"Ctrl+Shift+C", "Ctrl+Shift+L"}) {
    corvane::test::Keys(*form->Editor, keys);
    EXPECT_EQ(form->Editor->SelectionMode(), smNormal) << keys;
  }
  EXPECT_EQ(form->Editor->Lines()->Get(0), "a     b");
}

// Closing the window stops a script still running and removes the run's temporary script and page.
TEST_F(Unit1Test, ClosingStopsTheRunAndRemovesItsTemporaryFiles) {
  // The run's temporary folder lies in this test's folder while the test runs.
  struct RuntimeFolder {
    const char* previous = std::getenv("XDG_RUNTIME_DIR");
    std::string saved = previous ? previous : "";
    explicit RuntimeFolder(const std::string& folder) { setenv("XDG_RUNTIME_DIR", folder.c_str(), 1); }
    ~RuntimeFolder() { previous ? setenv("XDG_RUNTIME_DIR", saved.c_str(), 1) : unsetenv("XDG_RUNTIME_DIR"); }
  };
  fs::create_directories(Path("runtime"));
  const RuntimeFolder runtime(Path("runtime"));
  RegWriteBool(kSettingsKey, "RunBrowserView", false);
  const std::string pidFile = Path("pid");
  WriteFile(Path("long.pl"), "open my $f, '>', '" + pidFile + "'; print $f $$; close $f; sleep 60;\n");
  TForm1* form = Start();
  form->Open(Path("long.pl"), false);
  form->Run1Click(form);
  ASSERT_TRUE(corvane::test::PumpUntil([&] { return !ReadFile(pidFile).empty(); })) << "the script did not start";
  const std::string state = "/proc/" + ReadFile(pidFile) + "/stat";
  const std::string temp = GetTempDirectory();
  WriteFile(temp + "OmTemp.htm", "<html></html>");
  ASSERT_TRUE(fs::exists(temp + "OmTemp.pl"));

  form->Close();
  const auto stopped = [&] {
    const std::string stat = ReadFile(state);  // gone, or a zombie: "pid (perl) Z ..."
    return stat.empty() || stat.find(") Z ") != std::string::npos;
  };
  EXPECT_TRUE(corvane::test::PumpUntil(stopped, 20000)) << ReadFile(state);
  EXPECT_FALSE(fs::exists(temp + "OmTemp.pl"));
  EXPECT_FALSE(fs::exists(temp + "OmTemp.htm"));
  form->Close();  // nothing left to remove: no error
}

TEST_F(Unit1Test, ComingBackToTheWindowKeepsTheRunsPage) {
  const std::string page = Path("out.htm");
  WriteFile(page, "<html><body>out</body></html>");
  TForm1* form = Start();
  form->FormActivate(form);
  EXPECT_EQ(form->WebBrowser1->LocationURL(), "about:blank");
  EXPECT_FALSE(form->WebBrowser1->EngineCreated());  // the first activation costs nothing
  form->WebBrowser1->Navigate("file://" + page);
  form->FormActivate(form);
  EXPECT_EQ(form->WebBrowser1->LocationURL(), "file://" + page);
}

// The prompt proposes the interpreter PATH finds.
TEST_F(Unit1Test, ThePerlPathPromptStoresOnlyAPathThatExists) {
  const char* key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Perl.exe";
  const struct SearchPath {
    const std::string saved = std::getenv("PATH");
    SearchPath() { setenv("PATH", "/nowhere:/usr/bin", 1); }
    ~SearchPath() { setenv("PATH", saved.c_str(), 1); }
  } search;
  {
    Answers answers;
    answers.queue.push_back({IDOK, Path("no-perl")});
    EditPerlPath();
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[0].Caption, "Edit Perl Path");
    EXPECT_EQ(answers.asked[0].Text, "New Perl path:");
    EXPECT_EQ(answers.asked[0].Value, "/usr/bin/perl");
    EXPECT_EQ(answers.asked[1].Caption, "Error");
    EXPECT_EQ(answers.asked[1].Text, "The file " + Path("no-perl") + " must exist!");
    EXPECT_EQ(RegReadStringLM(key, "", "unset"), "unset");
  }
  {
    Answers answers;
    answers.queue.push_back({IDOK, "/usr/bin/perl"});
    EditPerlPath();
    EXPECT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(RegReadStringLM(key, "", "unset"), "/usr/bin/perl");
  }
  EXPECT_TRUE(IsPerlPathSwitch("-p"));
  EXPECT_TRUE(IsPerlPathSwitch("/p"));
  EXPECT_FALSE(IsPerlPathSwitch("-P"));
  EXPECT_FALSE(IsPerlPathSwitch("-p "));
}

// A save that wrote its file in place (here: one with another hard link) and was killed half way is
// told of when the file is next opened, and Yes puts the old text back before it is opened.
TEST_F(Unit1Test, OpeningAFileWhoseSaveWasCutShortOffersItsOldText) {
  const std::string name = Path("linked.pl");
  std::string old;
  for (int i = 0; i < 20000; ++i) old += "print \"old line " + std::to_string(i) + "\\n\";\n";
  WriteFile(name, old);
  fs::create_hard_link(name, Path("other-name.pl"));
  TForm1* form = Start();
  {
    corvane::test::HalfWaySave save(name, std::string(old.size(), '#'), old.size() / 2);
    ASSERT_TRUE(save.Started());
    ASSERT_TRUE(save.Kill());
  }
  ASSERT_NE(ReadFile(name), old);
  const std::vector<TCutShortSave> cut = FindCutShortSaves(name);
  ASSERT_EQ(cut.size(), 1u);
  Answers answers;
  answers.queue.push_back({IDOK, Path("other-name.pl")});
  answers.queue.push_back({IDYES, ""});
  Press(Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(answers.asked.size(), 2u) << answers.Texts();
  EXPECT_EQ(answers.asked[1].Text, "A save of \"" + name +
                                       "\" was cut short, so the file may be half written. Its old contents are "
                                       "kept in \"" + cut[0].OldCopy + "\". Put them back?");
  EXPECT_EQ(ReadFile(name), old);
  EXPECT_EQ(form->Editor->LineCount(), 20000);
  EXPECT_EQ(form->Editor->Lines()->Get(19999), "print \"old line 19999\\n\";");
  EXPECT_FALSE(fs::exists(cut[0].OldCopy));
  EXPECT_TRUE(FindCutShortSaves("").empty());
}

// At the start the real box tells of every save cut short; No leaves the copy where it said, and the
// next start asks no more.
TEST_F(Unit1Test, TheStartTellsOfASaveCutShortAndNoLeavesTheOldCopy) {
  const std::string name = Path("linked.pl");
  const std::string old(200000, 'o');
  WriteFile(name, old);
  fs::create_hard_link(name, Path("other-name.pl"));
  {
    corvane::test::HalfWaySave save(name, std::string(old.size(), 'n'), 1000);
    ASSERT_TRUE(save.Started());
    ASSERT_TRUE(save.Kill());
  }
  const std::string half = ReadFile(name);
  const TDialogHookScope real{TDialogHook{}};
  auto shown = std::make_shared<QString>();
  corvane::test::WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                                      [shown](QWidget* box) {
                                        *shown = static_cast<QMessageBox*>(box)->text();
                                        QTest::mouseClick(static_cast<QMessageBox*>(box)->button(QMessageBox::No),
                                                          Qt::LeftButton);
                                      });
  const std::string copy = FindCutShortSaves(name).at(0).OldCopy;
  Start()->Close();
  EXPECT_EQ(shown->toStdString(), "A save of \"" + name +
                                      "\" was cut short, so the file may be half written. Its old contents are "
                                      "kept in \"" + copy + "\". Put them back?");
  EXPECT_EQ(ReadFile(copy), old);
  EXPECT_EQ(ReadFile(name), half);
  Answers answers;
  Start();
  EXPECT_TRUE(answers.asked.empty()) << answers.Texts();
}

// Walks down a chain of folders, together longer than the longest path the system takes, and back up
// again removing them; no path names the deepest ones, so each step is relative.
class DeepFolder {
 public:
  DeepFolder(const std::string& top) : back_(::open(".", O_RDONLY | O_DIRECTORY)) {
    if (::chdir(top.c_str()) != 0) return;
    for (; depth_ < 25; ++depth_)
      if (::mkdir(kStep.c_str(), 0755) != 0 || ::chdir(kStep.c_str()) != 0) return;
  }
  DeepFolder(const DeepFolder&) = delete;
  DeepFolder& operator=(const DeepFolder&) = delete;
  ~DeepFolder() {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(".", ignored)) fs::remove(entry.path().filename(), ignored);
    for (; depth_ > 0; --depth_)
      if (::chdir("..") != 0 || ::rmdir(kStep.c_str()) != 0) break;
    if (::fchdir(back_) != 0) ADD_FAILURE() << "the test's folder is lost";
    ::close(back_);
  }
  bool Made() const { return depth_ == 25; }

 private:
  inline static const std::string kStep = std::string(200, 'd');
  int back_;
  int depth_ = 0;
};

// A name given relative to a current folder deeper than the system's longest path is opened, and Ctrl+S
// writes it or says why not, never a file of that name at the root; where the current folder is gone
// the name stands for no file at all.
TEST_F(Unit1Test, ANameRelativeToTheCurrentFolderNamesThatFolderOrNone) {
  const std::string name = "deep-" + std::to_string(::getpid()) + ".pl";
  const std::string atRoot = "/" + name;
  ASSERT_FALSE(fs::exists(atRoot));
  {
    DeepFolder deep(dir_);
    ASSERT_TRUE(deep.Made());
    WriteFile(name, "old\n");
    SetCommandLine({name});
    Answers answers;
    TForm1* form = Start();
    ASSERT_TRUE(answers.asked.empty()) << answers.Texts();
    EXPECT_EQ(form->Editor->Lines()->Get(0), "old");
    QTest::keyClicks(WidgetOf(form->Editor), "#");
    Press(Qt::Key_S, Qt::ControlModifier);
    const bool written = ReadFile(name) == "#old\n";
    EXPECT_FALSE(fs::exists(atRoot)) << "the save wrote " << atRoot;
    fs::remove(atRoot);
    EXPECT_EQ(form->Editor->Modified(), !written);
    EXPECT_EQ(answers.asked.size(), written ? 0u : 1u) << answers.Texts();
    form_.reset();
  }
  fs::create_directories(Path("gone"));
  const int back = ::open(".", O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::chdir(Path("gone").c_str()), 0);
  fs::remove(Path("gone"));
  SetCommandLine({name});
  Answers answers;
  TForm1* form = Start();
  EXPECT_EQ(::fchdir(back), 0);
  ::close(back);
  ASSERT_EQ(answers.asked.size(), 1u) << answers.Texts();
  EXPECT_EQ(answers.asked[0].Text, "Cannot find the full name of \"" + name +
                                       "\". The current folder cannot be read: No such file or directory.");
  EXPECT_EQ(form->CurrentFileName(), kUntitled);
  EXPECT_FALSE(form->Editor->Modified());
}

// Closes each message box that comes up while it lives and keeps its text, so a failure shows in the
// test instead of waiting for a click.
class BoxCatcher {
 public:
  BoxCatcher() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
          texts_.push_back(box->text().toStdString());
          box->done(0);
        }
    });
    timer_.start();
  }
  std::string Texts() const {
    std::string all;
    for (const std::string& t : texts_) all += t + "\n";
    return all;
  }

 private:
  QTimer timer_;
  std::vector<std::string> texts_;
};

// Keys in the active window give the command, a menu item (none for Qt::Key_unknown) opens the real file
// dialog, and the name is typed into it (an empty name presses Esc).
void ChooseThroughTheFileDialog(TForm1* form, const char* command, Qt::Key item, const std::string& typed) {
  WidgetOf(form)->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(WidgetOf(form), corvane::test::kUntilTheTestTimesOut));
  bool shown = false;
  TypeIntoNextFileDialog(typed, shown);
  corvane::test::Keys(*form->Editor, command);
  if (item != Qt::Key_unknown) {
    ASSERT_TRUE(corvane::test::PressInMenu(item));
  }
  corvane::test::Settle();
  ASSERT_TRUE(shown);
}

// The File menu's dialogs are Qt's own, with the name typed into their file field as the user does: the
// name reaches the disk as the file system's bytes, and the title and the recent menu read as typed.
TEST_F(Unit1Test, NamesTypedIntoTheRealFileDialogsAreTheFileSystemsOwn) {
  WriteFile(Path("кириллица.pl"), "print 'ok';\r\n");
  RegWriteString(kSettingsKey, "LastDir", dir_);
  struct Case {
    const char* command;   // keys that open the dialog, or a menu's key then an item's
    Qt::Key item;
    std::string typed;     // into the dialog, which starts in the folder of the files
    std::string file;      // what is then on disk
    const char* title;     // the window's title afterwards
  } cases[] = {
      // Save As first, from the new text: a proposed name that exists would stay chosen in the dialog's
      // list, as typing here comes without the keyboard focus the dialog follows.
      {"Ctrl+Shift+S", Qt::Key_unknown, "новый", Path("новый.cgi"), "новый.cgi - Ombrix Tarnwick 2.1"},
      {"Ctrl+O", Qt::Key_unknown, "кириллица.pl", Path("кириллица.pl"), "кириллица.pl - Ombrix Tarnwick 2.1"},
      {"Alt+F", Qt::Key_H, "страница", Path("страница.htm"), "кириллица.pl - Ombrix Tarnwick 2.1"},
  };
  TForm1* form = Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    BoxCatcher boxes;
    ASSERT_NO_FATAL_FAILURE(ChooseThroughTheFileDialog(form, c.command, c.item, c.typed));
    EXPECT_EQ(boxes.Texts(), "");
    EXPECT_TRUE(fs::exists(c.file));
    EXPECT_EQ(WidgetOf(form)->windowTitle().toStdString(), c.title);
  }
  EXPECT_EQ(form->Editor->Lines()->Text(), "print 'ok';\r\n");
  // Newest first, each entry as its full path.
  TMenuItem* reopen = form->Reopen1;
  ASSERT_GE(reopen->Count(), 2);
  EXPECT_TRUE(ActionOf(reopen->Items(0))->text().endsWith(QString::fromStdString(Path("кириллица.pl"))))
      << ActionOf(reopen->Items(0))->text().toStdString();
  EXPECT_TRUE(ActionOf(reopen->Items(1))->text().endsWith(QString::fromStdString(Path("новый.cgi"))))
      << ActionOf(reopen->Items(1))->text().toStdString();
}

// Typed into the real dialogs: a name with a folder part lands in that folder, an existing name is
// saved over (the dialog asks nothing), and Esc leaves the window's file, text and folder as they were.
TEST_F(Unit1Test, TheRealFileDialogsTakeAFolderPartAnExistingNameAndEsc) {
  fs::create_directories(Path("sub"));
  WriteFile(Path("sub/другой.pl"), "other\r\n");
  WriteFile(Path("old.pl"), "old\r\n");
  RegWriteString(kSettingsKey, "LastDir", dir_);
  struct Case {
    const char* command;  // keys that open the dialog, or a menu's key then an item's
    Qt::Key item;
    std::string typed;    // empty: Esc
    std::string file;     // then on disk (with the editor's text for Save As; nothing for Esc)
    const char* title;    // the window's title afterwards
  } cases[] = {
      {"Ctrl+Shift+S", Qt::Key_unknown, "sub/записка", Path("sub/записка.cgi"), "записка.cgi - Ombrix Tarnwick 2.1"},
      {"Ctrl+Shift+S", Qt::Key_unknown, "old.pl", Path("old.pl"), "old.pl - Ombrix Tarnwick 2.1"},
      {"Ctrl+Shift+S", Qt::Key_unknown, "", "", "old.pl - Ombrix Tarnwick 2.1"},
      {"Alt+F", Qt::Key_H, "sub/страница", Path("sub/страница.htm"), "old.pl - Ombrix Tarnwick 2.1"},
      {"Alt+F", Qt::Key_H, "", "", "old.pl - Ombrix Tarnwick 2.1"},
      {"Ctrl+O", Qt::Key_unknown, "", "", "old.pl - Ombrix Tarnwick 2.1"},
      {"Ctrl+O", Qt::Key_unknown, "sub/другой.pl", Path("sub/другой.pl"), "другой.pl - Ombrix Tarnwick 2.1"},
  };
  TForm1* form = Start();
  corvane::test::Type(*form->Editor, "kept");
  std::set<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir_)) files.insert(entry.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command + (" " + c.typed));
    const std::string text = form->Editor->Lines()->Text();
    BoxCatcher boxes;
    ASSERT_NO_FATAL_FAILURE(ChooseThroughTheFileDialog(form, c.command, c.item, c.typed));
    EXPECT_EQ(boxes.Texts(), "");
    EXPECT_EQ(WidgetOf(form)->windowTitle().toStdString(), c.title);
    std::set<fs::path> now;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) now.insert(entry.path());
    if (c.file.empty()) {
      EXPECT_EQ(now, files);
      EXPECT_EQ(form->Editor->Lines()->Text(), text);
    } else if (c.command == std::string("Ctrl+Shift+S")) {
      EXPECT_EQ(ReadFile(c.file).rfind("kept#!", 0), 0u) << ReadFile(c.file);  // the text typed, not the old file
    } else {
      EXPECT_TRUE(fs::exists(c.file));
    }
    files = now;
  }
  EXPECT_EQ(form->Editor->Lines()->Text(), "other\r\n");
  EXPECT_EQ(RegReadString(kSettingsKey, "LastDir", ""), Path("sub"));
}

// A name that cannot be opened is named in the box as the user typed it.
TEST_F(Unit1Test, TheOpenErrorNamesTheFileAsTyped) {
  Answers answers;
  TForm1* form = Start();
  answers.queue.push_back({IDOK, Path("нет.pl")});
  try {
    form->Open1Click(form);
    ADD_FAILURE() << "the open did not fail";
  } catch (const Exception& e) {
    EXPECT_EQ(AnsiToUtf8(e.Message), "Cannot open file \"" + Path("нет.pl") + "\". No such file or directory");
  }
}

// Earlier builds kept the recent list as code-page text. An entry that names no file as it is but does
// when read that way opens that file; one that names a file as it is stays as it is.
TEST_F(Unit1Test, RecentFilesKeptByEarlierBuildsStillOpen) {
  const std::string key = "SOFTWARE\\Ombrix\\Tarnwick\\Window Position\\TForm1.MRUManager1";
  WriteFile(Path("старый.pl"), "old build\r\n");
  WriteFile(Path("дом.pl"), "its own name\r\n");
  WriteFile(AnsiToUtf8(Path("дом.pl")), "its bytes read as code-page text\r\n");
  RegWriteString(key, "Item_0", Utf8ToAnsi(Path("старый.pl")));  // as an earlier build wrote it
  RegWriteString(key, "Item_1", Path("дом.pl"));
  const struct {
    int entry;
    std::string opened;
    std::string text;
  } cases[] = {{1, Path("старый.pl"), "old build\r\n"}, {2, Path("дом.pl"), "its own name\r\n"}};
  TForm1* form = Start();
  for (const auto& c : cases) {
    BoxCatcher boxes;
    Reopen(c.entry);
    EXPECT_EQ(boxes.Texts(), "");
    EXPECT_EQ(form->CurrentFileName(), c.opened);
    EXPECT_EQ(form->Editor->Lines()->Text(), c.text);
  }
}

}  // namespace
