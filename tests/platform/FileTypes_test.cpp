#include "win/FileTypes.h"

#include <gtest/gtest.h>


#include <filesystem>
#include <string>

#include "common/DesktopFolders.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"

namespace fs = std::filesystem;

namespace {

using corvane::test::ReadFile;
using corvane::test::WriteFile;
using corvane::test::DesktopTool;

const char* const kEntryId = "Corvane-PerlScriptFile.desktop";

// A desktop of the test's own, and a program that notes the arguments it was started with.
class FileTypesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    dir_ = desktop_.Folder();
  }

  std::string Entry() const { return desktop_.Entry(kEntryId); }
  std::string List() const { return desktop_.List(); }

  std::string MakeProgram(const std::string& folder) {
    fs::create_directories(dir_ + "/" + folder);
    const std::string program = dir_ + "/" + folder + "/Corvane";
    WriteFile(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + dir_ + "/opened.part' && mv '" + dir_ + "/opened.part' '" +
                           dir_ + "/opened'\n");
    fs::permissions(program, fs::perms::owner_all);
    return program;
  }

  bool RegisterScripts(const std::string& program, const std::string& icon = "") {
    bool registered = true;
    for (const char* extension : {"cgi", "pl", "pm"})
      registered = AssociateFileType(extension, "PerlScriptFile", "Perl Script File", program, icon) && registered;
    return registered;
  }

  corvane::test::TDesktopFolders desktop_;
  std::string dir_;
};

// The three script types reach the desktop: the entry passes the desktop's own check, the desktop
// types each kind of script and finds the program as its default, and the desktop's openers start the
// program on a file, whatever signs its path holds (a new path replaces the old in the entry).
TEST_F(FileTypesTest, TheDesktopOpensTheScriptsWithTheProgram) {
  WriteFile(dir_ + "/a.pl", "print 1;\n");
  WriteFile(dir_ + "/a.pm", "1;\n");
  WriteFile(dir_ + "/plain.cgi", "print 1;\n");
  WriteFile(dir_ + "/windows.cgi", "#!C:\\Perl\\bin\\perl.exe\nprint 1;\n");
  const std::string icon = dir_ + "/pl.ico";
  ASSERT_TRUE(RegisterScripts(MakeProgram("bin"), icon));

  int status = -1;
  EXPECT_EQ(DesktopTool({"desktop-file-validate", QString::fromStdString(Entry())}, &status), "");
  EXPECT_EQ(status, 0);
  const struct {
    const char* file;
    const char* type;
  } files[] = {{"a.pl", "application/x-perl"}, {"a.pm", "application/x-perl"}, {"plain.cgi", "application/x-cgi"},
               {"windows.cgi", "application/x-cgi"}};
  for (const auto& f : files) {
    EXPECT_EQ(DesktopTool({"xdg-mime", "query", "filetype", QString::fromStdString(dir_ + "/" + f.file)}), f.type) << f.file;
    EXPECT_EQ(DesktopTool({"xdg-mime", "query", "default", f.type}), kEntryId) << f.file;
  }
  EXPECT_EQ(DesktopTool({"xdg-mime", "query", "default", "text/x-perl"}), kEntryId);
  EXPECT_NE(ReadFile(Entry()).find("\nIcon=" + icon + "\n"), std::string::npos) << ReadFile(Entry());

  const struct {
    const char* what;
    const char* folder;
    const char* file;
    QStringList opener;
  } programs[] = {// xdg-open asks the desktop only where there is a display; the program opened needs none.
                  {"plain path", "plain", "a.pl", {"env", "DISPLAY=:unused", "xdg-open"}},
                  {"blanks", "my bin", "a.pl", {"gio", "open"}},
                  {"shell signs", "a\"b$c`d'e;f", "plain.cgi", {"gio", "open"}},
                  {"backslash", "a\\x", "a.pm", {"gio", "open"}}};
  for (const auto& p : programs) {
    ASSERT_TRUE(RegisterScripts(MakeProgram(p.folder))) << p.what;
    EXPECT_EQ(DesktopTool({"desktop-file-validate", QString::fromStdString(Entry())}, &status), "") << p.what;
    fs::remove(dir_ + "/opened");
    const std::string file = dir_ + "/" + p.file;
    DesktopTool(p.opener + QStringList{QString::fromStdString(file)}, &status);
    EXPECT_EQ(status, 0) << p.what;
    EXPECT_TRUE(corvane::test::PumpUntil([&] { return fs::exists(dir_ + "/opened"); })) << p.what << "\n"
                                                                                       << ReadFile(Entry());
    EXPECT_EQ(ReadFile(dir_ + "/opened"), file + "\n") << p.what;
  }
}

// The user's own choices and other programs' associations stay: a default chosen for the Perl type
// (under its alias too), the programs added before, and every other line of the list.
TEST_F(FileTypesTest, WhatTheUserChoseStays) {
  const std::string before =
      "# mine\n"
      "[Default Applications]\n"
      "text/x-perl=emacs.desktop;\n"
      "text/plain=gedit.desktop\n"
      "\n"
      "[Added Associations]\n"
      "application/x-perl=emacs.desktop;vim.desktop;\n"
      "\n"
      "[Removed Associations]\n"
      "text/html=firefox.desktop;\n";
  fs::create_directories(desktop_.Config());
  WriteFile(List(), before);
  fs::create_directories(desktop_.Data() + "/applications");
  for (const char* other : {"emacs", "gedit", "vim"})
    WriteFile(desktop_.Entry(std::string(other) + ".desktop"),
              std::string("[Desktop Entry]\nType=Application\nName=") + other + "\nExec=/bin/true %f\n");
  ASSERT_TRUE(AssociateFileType("pl", "PerlScriptFile", "Perl Script File", MakeProgram("bin"), ""));
  EXPECT_EQ(ReadFile(List()),
            "# mine\n"
            "[Default Applications]\n"
            "text/x-perl=emacs.desktop;\n"
            "text/plain=gedit.desktop\n"
            "\n"
            "[Added Associations]\n"
            "application/x-perl=emacs.desktop;vim.desktop;Corvane-PerlScriptFile.desktop;\n"
            "text/x-perl=Corvane-PerlScriptFile.desktop;\n"
            "\n"
            "[Removed Associations]\n"
            "text/html=firefox.desktop;\n");
  EXPECT_EQ(DesktopTool({"xdg-mime", "query", "default", "text/x-perl"}), "emacs.desktop");
  EXPECT_EQ(DesktopTool({"xdg-mime", "query", "default", "text/plain"}), "gedit.desktop");
}

// A start that finds its registration in place writes nothing; what changed is written, and only that.
TEST_F(FileTypesTest, OnlyWhatChangedIsWrittenAgain) {
  const auto stamp = corvane::test::FileStamp;
  const std::string program = MakeProgram("bin");
  ASSERT_TRUE(RegisterScripts(program, "/opt/pl.ico"));
  const std::string package = desktop_.Data() + "/mime/packages/Corvane-cgi.xml";
  const std::string cache = desktop_.Data() + "/mime/mime.cache";
  const std::string entry = ReadFile(Entry());
  const std::string entryStamp = stamp(Entry()), listStamp = stamp(List()), packageStamp = stamp(package),
                    cacheStamp = stamp(cache);
  ASSERT_NE(cacheStamp, "missing");

  ASSERT_TRUE(RegisterScripts(program, "/opt/pl.ico"));
  ASSERT_TRUE(RegisterScripts(program, ""));  // no icon: the entry keeps the one it has
  EXPECT_EQ(stamp(Entry()), entryStamp);
  EXPECT_EQ(stamp(List()), listStamp);
  EXPECT_EQ(stamp(package), packageStamp);
  EXPECT_EQ(stamp(cache), cacheStamp);
  EXPECT_EQ(ReadFile(Entry()), entry);

  const std::string moved = MakeProgram("moved");
  ASSERT_TRUE(RegisterScripts(moved, "/opt/pl.ico"));
  EXPECT_NE(stamp(Entry()), entryStamp);
  EXPECT_NE(ReadFile(Entry()).find("\nExec=" + moved + " %f\n"), std::string::npos) << ReadFile(Entry());
  EXPECT_EQ(stamp(List()), listStamp);
  EXPECT_EQ(stamp(cache), cacheStamp);
}

// A folder that cannot be made, or a text no desktop file can hold, is a failure the caller hears of.
TEST_F(FileTypesTest, WhatCannotBeWrittenFails) {
  WriteFile(dir_ + "/file", "a file where a folder should be");
  const std::string program = MakeProgram("bin");
  const struct {
    const char* what;
    std::string data, config, extension, typeName, program;
  } cases[] = {
      {"applications folder", dir_ + "/file/data", dir_ + "/config", "pl", "PerlScriptFile", program},
      {"MIME database", dir_ + "/file/data", dir_ + "/config", "cgi", "PerlScriptFile", program},
      {"MIME applications list", dir_ + "/data", dir_ + "/file/config", "pl", "PerlScriptFile", program},
      {"program path with a percent sign", dir_ + "/data", dir_ + "/config", "pl", "PerlScriptFile", dir_ + "/50%/Corvane"},
      {"program path not UTF-8", dir_ + "/data", dir_ + "/config", "pl", "PerlScriptFile", dir_ + "/b\xe4r/Corvane"},
      {"type name with a separator", dir_ + "/data", dir_ + "/config", "pl", "Perl/Script", program},
      {"extension no type can be named after", dir_ + "/data", dir_ + "/config", "c gi", "PerlScriptFile", program},
  };
  for (const auto& c : cases) {
    desktop_.Use(c.data, c.config);
    EXPECT_FALSE(AssociateFileType(c.extension, c.typeName, "Perl Script File", c.program, "")) << c.what;
  }
}

}  // namespace
