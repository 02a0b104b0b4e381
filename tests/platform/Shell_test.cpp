#include "win/Shell.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "common/TempRegistry.h"
#include "common/TestApp.h"
#include "support/RegTools.h"
#include "win/Kernel.h"

namespace {

namespace fs = std::filesystem;
using corvane::test::EnsureApplication;
using corvane::test::PumpUntil;

// Stands in for the desktop's handlers, so no browser or viewer starts.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  std::vector<std::string> opened;
 public slots:
  void Open(const QUrl& url) { opened.push_back(url.toEncoded().toStdString()); }
};

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    for (const char* scheme : {"http", "mailto", "file"}) QDesktopServices::setUrlHandler(scheme, &catcher_, "Open");
  }
  void TearDown() override {
    for (const char* scheme : {"http", "mailto", "file"}) QDesktopServices::unsetUrlHandler(scheme);
    fs::remove_all(folder_);
  }
  UrlCatcher catcher_;
  std::string folder_ = corvane::test::MakeTempDir("corvane-shell");
};

TEST_F(ShellTest, DocumentsAndLinksGoToTheDesktopsHandler) {
  const std::string document = folder_ + "/page.htm";
  std::ofstream(document) << "<html></html>";
  EXPECT_GT(ShellExecute(nullptr, "open", document, "", "", 1), 32);
  EXPECT_TRUE(ShellOpen("http://127.0.0.1/faq"));
  EXPECT_TRUE(ShellOpen("mailto:someone@example.org?subject=Ombrix%20Tarnwick"));
  EXPECT_EQ(catcher_.opened, (std::vector<std::string>{"file://" + document, "http://127.0.0.1/faq",
                                                       "mailto:someone@example.org?subject=Ombrix%20Tarnwick"}));
  EXPECT_EQ(ShellExecute(nullptr, "open", folder_ + "/missing.htm", "", "", 1), SE_ERR_FNF);
  EXPECT_EQ(ShellExecute(nullptr, "open", "", "", "", 1), SE_ERR_FNF);
}

TEST_F(ShellTest, ProgramsAreStartedWithTheirParameters) {
  const std::string program = folder_ + "/Tool";
  // Renamed into place, so the file appears with its line whole.
  std::ofstream(program) << "#!/bin/sh\necho \"$1|$2\" > \"" << folder_ << "/ran.tmp\" && mv \"" << folder_
                         << "/ran.tmp\" \"" << folder_ << "/ran\"\n";
  fs::permissions(program, fs::perms::owner_all);
  // The Windows name of the program finds it too.
  EXPECT_GT(ShellExecute(nullptr, "open", program + ".exe", "\"one two\" three", "", 1), 32);
  PumpUntil([&] { return fs::exists(folder_ + "/ran"); });
  std::ifstream ran(folder_ + "/ran");
  std::string line;
  std::getline(ran, line);
  EXPECT_EQ(line, "one two|three");
  EXPECT_TRUE(catcher_.opened.empty());
}

// Program, parameters, folder, documents and addresses carry names the way the file system has them.
TEST_F(ShellTest, NamesReachProgramsAndHandlersAsTheFileSystemHasThem) {
  const std::string folder = folder_ + "/Папка";
  fs::create_directory(folder);
  const std::string program = folder + "/Инструмент";
  std::ofstream(program) << "#!/bin/sh\nprintf '%s|%s|%s\\n' \"$1\" \"$2\" \"$(pwd)\" > ran.tmp && mv ran.tmp ran\n";
  fs::permissions(program, fs::perms::owner_all);
  EXPECT_GT(ShellExecute(nullptr, "open", program, "\"файл один.pl\" два", folder, 1), 32);
  PumpUntil([&] { return fs::exists(folder + "/ran"); });
  std::ifstream ran(folder + "/ran");
  std::string line;
  std::getline(ran, line);
  EXPECT_EQ(line, "файл один.pl|два|" + folder);

  const std::string document = folder + "/страница.htm";
  std::ofstream(document) << "<html></html>";
  EXPECT_GT(ShellExecute(nullptr, "open", document, "", "", 1), 32);
  EXPECT_TRUE(ShellOpen("http://127.0.0.1/поиск"));
  EXPECT_EQ(catcher_.opened,
            (std::vector<std::string>{QUrl::fromLocalFile(QString::fromStdString(document)).toEncoded().toStdString(),
                                      "http://127.0.0.1/%D0%BF%D0%BE%D0%B8%D1%81%D0%BA"}));
}

TEST(KernelTest, ProgramFileNamesDropTheWindowsSuffix) {
  const std::pair<std::string, std::string> cases[] = {
      {"Uploader.exe", "Uploader"}, {"/opt/c/PERL.EXE", "/opt/c/PERL"}, {"perl", "perl"}, {".exe", ".exe"},
      {"a.exe.txt", "a.exe.txt"},
  };
  for (const auto& [windows, here] : cases) EXPECT_EQ(ProgramFileName(windows), here) << windows;
}

TEST(KernelTest, TheSystemFolderIsTheSettingsFolder) {
  corvane::test::TempRegistry store;
  EXPECT_EQ(GetWindowsDirectory(), store.Folder());
  EXPECT_FALSE(fs::exists(GetWindowsDirectory() + "/NOTEPAD.EXE"));
  EXPECT_EQ(GetModuleFileName(), fs::read_symlink("/proc/self/exe").string());
}

}  // namespace

#include "Shell_test.moc"
