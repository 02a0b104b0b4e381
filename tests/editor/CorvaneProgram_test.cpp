#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <filesystem>
#include <fstream>

#include <sys/resource.h>
#include <unistd.h>

#include "common/DesktopFolders.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/TestPrograms.h"
#include "common/Unprivileged.h"
#include "common/VirtualDisplay.h"
#include "support/RegTools.h"
#include "vcl/SysUtils.h"
#include "win/RegistryStore.h"

namespace fs = std::filesystem;

namespace {

// Runs the test copy of a built program as a user would start it, with its own registry in a temporary
// folder; the copy tells of its dialogs and its first paint.
class CorvaneProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    program_ = corvane::test::TestCopyOfProgram("Corvane");
    ASSERT_TRUE(fs::exists(program_.toStdString()));
    dir_ = corvane::test::MakeTempDir("corvane-program");
    registry_ = dir_ + "/registry.sqlite3";
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Start(QProcess& process, const QStringList& args, const QString& answers = QString()) {
    // An environment the test gave the process already is kept, else the test's own.
    QProcessEnvironment env = process.processEnvironment();
    if (env.isEmpty()) env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("CORVANE_REGISTRY", QString::fromStdString(registry_));
    env.insert("CORVANE_TEST_REPORT_PAINT", "1");
    env.insert("CORVANE_TEST_DIALOG_ANSWERS", answers);
    process.setProcessEnvironment(env);
    process.start(program_, args);
    ASSERT_TRUE(process.waitForStarted(-1));
  }

  static bool WaitForLine(QProcess& process, const QByteArray& line) {
    QByteArray seen;
    while (process.waitForReadyRead(-1)) {
      seen += process.readAllStandardOutput();
      if (seen.contains(line + "\n")) return true;
    }
    return false;
  }

  QString program_;
  std::string dir_;
  std::string registry_;
};

TEST_F(CorvaneProgramTest, StartsWithAScriptShowsItsWindowAndClosesCleanly) {
  const std::string script = dir_ + "/hello world.pl";
  std::ofstream(script, std::ios::binary) << "print \"hello\";\r\n";
  QProcess corvane;
  Start(corvane, {QString::fromStdString(dir_ + "/hello"), "world.pl"});
  ASSERT_TRUE(WaitForLine(corvane, "painted")) << corvane.readAllStandardError().toStdString();
  corvane.terminate();  // the end of the session: the window closes as if the user closed it
  ASSERT_TRUE(corvane.waitForFinished(-1));
  EXPECT_EQ(corvane.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(corvane.exitCode(), 0);
  const QString errors = corvane.readAllStandardError();
  EXPECT_FALSE(errors.contains("dialog:")) << errors.toStdString();  // no box: the file opened
  RegistryStore::Instance().SetPath(registry_);
  EXPECT_EQ(RegReadString("Software\\Ombrix\\Tarnwick", "LastDir", ""), dir_);
}

TEST_F(CorvaneProgramTest, PerlPathPromptStoresTheAnswerAndEndsWithoutAWindow) {
  const char* key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Perl.exe";
  QProcess refused;
  Start(refused, {"-p"}, "OK=" + QString::fromStdString(dir_) + "/none");
  ASSERT_TRUE(refused.waitForFinished(-1));
  EXPECT_EQ(refused.exitCode(), 0);
  const std::string log = refused.readAllStandardError().toStdString();
  EXPECT_NE(log.find("dialog: Edit Perl Path: New Perl path:"), std::string::npos) << log;
  EXPECT_NE(log.find("dialog: Error: The file " + dir_ + "/none must exist!"), std::string::npos) << log;
  EXPECT_FALSE(refused.readAllStandardOutput().contains("painted"));

  QProcess accepted;
  Start(accepted, {"/p"}, "OK=/usr/bin/perl");
  ASSERT_TRUE(accepted.waitForFinished(-1));
  EXPECT_EQ(accepted.exitCode(), 0);
  RegistryStore::Instance().SetPath(registry_);
  EXPECT_EQ(RegReadStringLM(key, "", "unset"), "/usr/bin/perl");
}

// A start of the shipped program teaches the desktop of the user who starts it that the program opens
// Perl scripts: the desktop's own tools accept its entry and find it as the scripts' default. A second
// start finds all of it in place and writes nothing.
TEST_F(CorvaneProgramTest, RegistersTheScriptTypesWithTheDesktopAtStart) {
  if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
    FAIL() << "needs Xvfb and xdotool, which bash .ci/run installs";
  corvane::test::TDesktopFolders desktop;
  corvane::test::TVirtualDisplay display;
  ASSERT_FALSE(display.Name().isEmpty()) << "Xvfb did not start";
  program_ = corvane::test::ShippedProgram("Corvane");
  const auto startOnce = [&] {
    QProcess corvane;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display.Name());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("CORVANE_REGISTRY", QString::fromStdString(registry_));
    corvane.setProcessEnvironment(env);
    corvane.start(program_, {});
    ASSERT_TRUE(corvane.waitForStarted(-1));
    // The window shows once the start, the registration with it, is done.
    ASSERT_TRUE(corvane::test::XdoTool(display.Name(), {"search", "--sync", "--onlyvisible", "--pid",
                                                        QString::number(corvane.processId())}))
        << corvane.readAllStandardError().toStdString();
    corvane.terminate();
    ASSERT_TRUE(corvane.waitForFinished(-1));
  };
  const auto stamp = corvane::test::FileStamp;
  startOnce();
  const std::string entryId = "Corvane-PerlScriptFile.desktop";
  const std::string entry = desktop.Entry(entryId);
  int status = -1;
  EXPECT_EQ(corvane::test::DesktopTool({"desktop-file-validate", QString::fromStdString(entry)}, &status), "");
  EXPECT_EQ(status, 0);
  const std::string program = fs::canonical(program_.toStdString()).string();
  const std::string text = corvane::test::ReadFile(entry);
  EXPECT_NE(text.find("\nExec=" + program + " %f\n"), std::string::npos) << text;
  const fs::path icon = corvane::test::BuildDataFolder() / "icons" / "pl.ico";
  EXPECT_NE(text.find("\nIcon=" + icon.string() + "\n"), std::string::npos) << text;
  EXPECT_TRUE(fs::is_regular_file(icon));

  corvane::test::WriteFile(dir_ + "/plain.cgi", "print 1;\n");
  corvane::test::WriteFile(dir_ + "/a.pm", "1;\n");
  EXPECT_EQ(corvane::test::DesktopTool({"xdg-mime", "query", "filetype", QString::fromStdString(dir_ + "/plain.cgi")}),
            "application/x-cgi");
  EXPECT_EQ(corvane::test::DesktopTool({"xdg-mime", "query", "filetype", QString::fromStdString(dir_ + "/a.pm")}),
            "application/x-perl");
  for (const char* type : {"application/x-perl", "text/x-perl", "application/x-cgi"})
    EXPECT_EQ(corvane::test::DesktopTool({"xdg-mime", "query", "default", type}), entryId) << type;

  const std::string entryStamp = stamp(entry), listStamp = stamp(desktop.List());
  startOnce();
  EXPECT_EQ(stamp(entry), entryStamp);
  EXPECT_EQ(stamp(desktop.List()), listStamp);
}

TEST_F(CorvaneProgramTest, BothProgramsStartOnASettingsFileTheyCannotWriteAndSayOnceWhy) {
  RegistryStore::Instance().SetPath(registry_);
  RegWriteString("Software\\Ombrix\\Tarnwick", "ColorScheme", "Standard");
  RegistryStore::Instance().SetPath(dir_ + "/other.sqlite3");  // closed, its journal folded into the file
  fs::remove(dir_ + "/other.sqlite3");
  const std::string home = dir_ + "/home";
  fs::create_directories(home);
  fs::permissions(home, fs::perms::all);
  fs::permissions(registry_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const auto readOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
  fs::permissions(dir_, readOnlyFolder);
  const std::string before = corvane::test::ReadFile(registry_);
  for (const char* name : {"Corvane", "Uploader"}) {
    QProcess program;
    program_ = corvane::test::TestCopyOfProgram(name);
    // Root writes whatever the modes say: the programs run as an ordinary user then.
    if (::geteuid() == 0)
      program.setChildProcessModifier([] {
        if (::setgid(corvane::test::kNobody) != 0 || ::setuid(corvane::test::kNobody) != 0) ::_exit(71);
      });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", QString::fromStdString(home));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(home));
    env.insert("XDG_CACHE_HOME", QString::fromStdString(home + "/cache"));
    env.insert("XDG_DATA_HOME", QString::fromStdString(home + "/data"));
    program.setProcessEnvironment(env);
    Start(program, {});
    ASSERT_TRUE(WaitForLine(program, "painted")) << name << ": " << program.readAllStandardError().toStdString();
    // The notice is shown once the loop runs; the whole log, to the program's end, is counted below.
    const std::string notice = "\" cannot be written (Permission denied)";
    std::string log;
    EXPECT_TRUE(corvane::test::PumpUntil([&] {
      log += program.readAllStandardError().toStdString();
      return log.find(notice) != std::string::npos;
    })) << name << ": " << log;
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(-1)) << name;
    EXPECT_EQ(program.exitCode(), 0) << name;
    log += program.readAllStandardError().toStdString();
    const std::size_t first = log.find(notice);
    EXPECT_NE(first, std::string::npos) << name << ": " << log;
    EXPECT_EQ(log.find(notice, first + 1), std::string::npos) << name << ": said more than once: " << log;
    EXPECT_NE(log.find("dialog: "), std::string::npos) << name << ": " << log;
  }
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(corvane::test::ReadFile(registry_), before);
}

// Under a file-size limit of nothing at all (ulimit -f 0) every write fails, from the settings file's
// first one on: both programs say so and go on, and end as asked.
TEST_F(CorvaneProgramTest, BothProgramsLiveThroughAFileSizeLimit) {
  for (const char* name : {"Corvane", "Uploader"}) {
    SCOPED_TRACE(name);
    QProcess program;
    program_ = corvane::test::TestCopyOfProgram(name);
    program.setChildProcessModifier([] {
      const rlimit nothing{0, RLIM_INFINITY};
      if (::setrlimit(RLIMIT_FSIZE, &nothing) != 0) ::_exit(71);
    });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", QString::fromStdString(dir_ + "/data"));
    program.setProcessEnvironment(env);
    Start(program, {});
    ASSERT_TRUE(WaitForLine(program, "painted")) << program.readAllStandardError().toStdString();
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(-1));
    const std::string log = program.readAllStandardError().toStdString();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << log;
    EXPECT_EQ(program.exitCode(), 0) << log;
    EXPECT_NE(log.find("\" cannot be written"), std::string::npos) << log;
    fs::remove(registry_);
  }
}

}  // namespace
