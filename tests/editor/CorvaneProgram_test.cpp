#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <fstream>

#include "common/TestApp.h"
#include "support/RegTools.h"
#include "win/RegistryStore.h"

namespace fs = std::filesystem;

namespace {

// Runs the built program as a user would start it, with its own registry in a temporary folder.
class CorvaneProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    const char* binaries = std::getenv("CORVANE_BINARY_DIR");
    ASSERT_NE(binaries, nullptr);
    program_ = QString::fromStdString(std::string(binaries) + "/bin/Corvane");
    ASSERT_TRUE(fs::exists(program_.toStdString()));
    dir_ = corvane::test::MakeTempDir("corvane-program");
    registry_ = dir_ + "/registry.sqlite3";
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Start(QProcess& process, const QStringList& args, const QString& answers = QString()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("CORVANE_REGISTRY", QString::fromStdString(registry_));
    env.insert("CORVANE_TEST_REPORT_PAINT", "1");
    env.insert("CORVANE_TEST_DIALOG_ANSWERS", answers);
    process.setProcessEnvironment(env);
    process.start(program_, args);
    ASSERT_TRUE(process.waitForStarted(10000));
  }

  static bool WaitForLine(QProcess& process, const QByteArray& line) {
    QByteArray seen;
    while (process.waitForReadyRead(15000)) {
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
  ASSERT_TRUE(corvane.waitForFinished(10000));
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
  ASSERT_TRUE(refused.waitForFinished(15000));
  EXPECT_EQ(refused.exitCode(), 0);
  const std::string log = refused.readAllStandardError().toStdString();
  EXPECT_NE(log.find("dialog: Edit Perl Path: New Perl path:"), std::string::npos) << log;
  EXPECT_NE(log.find("dialog: Error: The file " + dir_ + "/none must exist!"), std::string::npos) << log;
  EXPECT_FALSE(refused.readAllStandardOutput().contains("painted"));

  QProcess accepted;
  Start(accepted, {"/p"}, "OK=/usr/bin/perl");
  ASSERT_TRUE(accepted.waitForFinished(15000));
  EXPECT_EQ(accepted.exitCode(), 0);
  RegistryStore::Instance().SetPath(registry_);
  EXPECT_EQ(RegReadStringLM(key, "", "unset"), "/usr/bin/perl");
}

}  // namespace
