// The programs as `cmake --install` lays them out in a prefix of their own: the desktop finds the
// editor and its icon, and the installed programs, with the build and source folders out of their
// sight, find their help pages, the browser engine's module, each other and the script files' icon.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/DesktopFolders.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/VirtualDisplay.h"

namespace fs = std::filesystem;

namespace {

using corvane::test::ReadFile;

class InstalledPrograms : public ::testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    folder_ = corvane::test::MakeTempDir("corvane-install");
    prefix_ = fs::canonical(folder_).string() + "/prefix";
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(CORVANE_CMAKE_COMMAND, {"--install", Env("CORVANE_BINARY_DIR"), "--prefix", QString::fromStdString(prefix_)});
    ASSERT_TRUE(install.waitForFinished(-1));
    ASSERT_EQ(install.exitCode(), 0) << install.readAll().toStdString();
  }
  void TearDown() override { fs::remove_all(folder_); }

  static QString Env(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }

  std::string folder_;
  std::string prefix_;
};

TEST_F(InstalledPrograms, TheDesktopEntryStartsTheInstalledEditorWithItsIcon) {
  const std::string entry = prefix_ + "/share/applications/corvane.desktop";
  int status = -1;
  EXPECT_EQ(corvane::test::DesktopTool({"desktop-file-validate", QString::fromStdString(entry)}, &status), "");
  EXPECT_EQ(status, 0);
  const std::string text = ReadFile(entry);
  const std::string program = prefix_ + "/bin/Corvane";
  EXPECT_NE(text.find("\nExec=" + program + " %f\n"), std::string::npos) << text;
  EXPECT_EQ(::access(program.c_str(), X_OK), 0);
  EXPECT_NE(text.find("\nIcon=corvane\n"), std::string::npos) << text;
  for (const char* size : {"16x16", "32x32", "48x48"})
    EXPECT_TRUE(fs::is_regular_file(prefix_ + "/share/icons/hicolor/" + size + "/apps/corvane.png")) << size;
}

// Corvane and the Uploader it starts run on a display of their own in a mount namespace where the
// build and source folders are empty. F1 hands the installed page of links to the desktop's browser
// (a stand-in that notes what it was given), the browser engine's module is loaded from the prefix,
// and File, Upload To FTP starts the installed Uploader.
class InstalledProgramsOnADisplay : public InstalledPrograms {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
      FAIL() << "needs Xvfb and xdotool, which bash .ci/run installs";
    InstalledPrograms::SetUp();
    if (HasFatalFailure()) return;
    display_ = std::make_unique<corvane::test::TVirtualDisplay>();
    ASSERT_FALSE(display_->Name().isEmpty()) << "Xvfb did not start";
    fs::create_directory(folder_ + "/browser");
    corvane::test::WriteFile(Browser(), "#!/bin/sh\nprintf '%s' \"$1\" > '" + Opened() + ".part' && mv '" + Opened() +
                                            ".part' '" + Opened() + "'\n");
    fs::permissions(Browser(), fs::perms::owner_all);
  }
  void TearDown() override {
    if (uploader_ > 0) ::kill(uploader_, SIGKILL);
    if (corvane_.state() != QProcess::NotRunning) {
      corvane_.kill();
      corvane_.waitForFinished(-1);
    }
    display_.reset();
    InstalledPrograms::TearDown();
  }

  std::string Browser() const { return folder_ + "/browser/xdg-open"; }
  std::string Opened() const { return folder_ + "/opened"; }

  // The installed editor in a mount namespace of its own where the build and source folders are empty
  // (mounted over), so whatever it finds lies in the prefix. Root needs no user namespace.
  void StartCorvaneUnseen(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_->Name());
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(folder_));
    environment.insert("CORVANE_REGISTRY", QString::fromStdString(folder_ + "/registry.sqlite3"));
    environment.insert("PATH", QString::fromStdString(folder_ + "/browser:") + Env("PATH"));
    corvane_.setProcessEnvironment(environment);
    corvane_.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList command;
    if (::geteuid() != 0) command << "--map-root-user";
    command << "--mount" << "--propagation" << "private" << "/bin/sh" << "-c"
            << "for d in \"$1\" \"$2\"; do [ ! -d \"$d\" ] || mount -t tmpfs tmpfs \"$d\" || exit 71; done; "
               "shift 2; exec \"$@\""
            << "sh" << Env("CORVANE_BINARY_DIR") << Env("CORVANE_SOURCE_DIR")
            << QString::fromStdString(prefix_ + "/bin/Corvane") << arguments;
    corvane_.start("unshare", command);
    ASSERT_TRUE(corvane_.waitForStarted(-1));
  }

  bool Xdo(const QStringList& arguments, QString* output = nullptr) {
    return corvane::test::XdoTool(display_->Name(), arguments, output);
  }

  // The title of a box the editor shows over its window, empty while it shows none.
  QString BoxTitle(const QString& window) {
    QString windows, title;
    Xdo({"search", "--onlyvisible", "--pid", QString::number(corvane_.processId())}, &windows);
    for (const QString& shown : windows.split('\n', Qt::SkipEmptyParts))
      if (shown != window && Xdo({"getwindowname", shown}, &title)) return title.isEmpty() ? "(no title)" : title;
    return {};
  }

  // Waits as long as the test may take for the condition, while the editor runs.
  template <class Condition>
  ::testing::AssertionResult WhileRunning(Condition done) {
    while (!done()) {
      if (corvane_.state() == QProcess::NotRunning)
        return ::testing::AssertionFailure() << "the editor ended with " << corvane_.exitCode()
                                             << (corvane_.exitCode() == 71 ? " (the build could not be hidden)" : "");
      corvane::test::PumpEvents(100);
    }
    return ::testing::AssertionSuccess();
  }

  std::unique_ptr<corvane::test::TVirtualDisplay> display_;
  QProcess corvane_;
  pid_t uploader_ = 0;
};

TEST_F(InstalledProgramsOnADisplay, FindTheirFilesWithTheBuildOutOfSight) {
  corvane::test::TDesktopFolders desktop;
  const std::string script = folder_ + "/hello.pl";
  corvane::test::WriteFile(script, "print \"hello\\n\";\n");
  StartCorvaneUnseen({QString::fromStdString(script)});
  QString window;
  ASSERT_TRUE(WhileRunning([&] {
    return Xdo({"search", "--onlyvisible", "--pid", QString::number(corvane_.processId())}, &window);
  }));
  window = window.split('\n').first();
  ASSERT_TRUE(Xdo({"windowfocus", "--sync", window}));

  ASSERT_TRUE(Xdo({"key", "F1"}));
  QString box;
  ASSERT_TRUE(WhileRunning([&] { return fs::exists(Opened()) || !(box = BoxTitle(window)).isEmpty(); }));
  ASSERT_TRUE(box.isEmpty()) << "the editor showed a box: " << box.toStdString();
  const std::string page = prefix_ + "/share/corvane/help/links.htm";
  EXPECT_EQ(ReadFile(Opened()), "file://" + page);
  EXPECT_FALSE(ReadFile(page).empty());

  const std::string maps = "/proc/" + std::to_string(corvane_.processId()) + "/maps";
  const std::string module = prefix_ + "/lib/corvane/libcorvane_browser.so";
  EXPECT_TRUE(WhileRunning([&] {
    return ReadFile(maps).find(module) != std::string::npos || !(box = BoxTitle(window)).isEmpty();
  }));
  EXPECT_TRUE(box.isEmpty()) << "the editor showed a box: " << box.toStdString();

  // The script types it registered at its start name the installed program and icon.
  const std::string entry = ReadFile(desktop.Entry("Corvane-PerlScriptFile.desktop"));
  EXPECT_NE(entry.find("\nExec=" + prefix_ + "/bin/Corvane %f\n"), std::string::npos) << entry;
  const std::string icon = prefix_ + "/share/corvane/icons/pl.ico";
  EXPECT_NE(entry.find("\nIcon=" + icon + "\n"), std::string::npos) << entry;
  EXPECT_TRUE(fs::is_regular_file(icon));

  ASSERT_TRUE(Xdo({"windowfocus", "--sync", window}));
  ASSERT_TRUE(Xdo({"key", "ctrl+alt+f"}));  // File, Upload To FTP...; the script is saved, so nothing is asked
  QString uploaderWindow;
  ASSERT_TRUE(WhileRunning([&] {
    return Xdo({"search", "--onlyvisible", "--name", "Upload A Script To FTP"}, &uploaderWindow);
  }));
  QString pid;
  ASSERT_TRUE(Xdo({"getwindowpid", uploaderWindow.split('\n').first()}, &pid));
  uploader_ = pid.toInt();
  std::error_code error;
  EXPECT_EQ(fs::read_symlink("/proc/" + pid.toStdString() + "/exe", error).string(), prefix_ + "/bin/Uploader");
}

}  // namespace
