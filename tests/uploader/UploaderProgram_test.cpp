// The built Uploader as a person uses it: a real window on a virtual X display, keys typed into
// it, the upload to a local server, and the program ending by itself.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/TestApp.h"
#include "support/RegTools.h"
#include "uploader/FtpTestServer.h"
#include "uploader/Unit1.h"
#include "win/RegistryStore.h"

namespace {

using corvane::test::TFtpTestServer;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// An X server of its own on a free display, for as long as the object lives.
class TVirtualDisplay {
 public:
  TVirtualDisplay() {
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (server_.waitForStarted(5000) && server_.waitForReadyRead(10000))
      display_ = ":" + server_.readLine().trimmed();
  }
  const QString& Name() const { return display_; }

 private:
  QProcess server_;
  QString display_;
};

// Runs xdotool on the display; true when it succeeded.
bool XdoTool(const QString& display, const QStringList& arguments, QString* output = nullptr) {
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DISPLAY", display);
  tool.setProcessEnvironment(environment);
  tool.start("xdotool", arguments);
  if (!tool.waitForFinished(15000) || tool.exitCode() != 0) return false;
  if (output) *output = QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
  return true;
}

TEST(UploaderProgram, UploadsTheFileNamedOnTheCommandLineAndEnds) {
  if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
    GTEST_SKIP() << "needs Xvfb and xdotool";
  const char* binaryDir = std::getenv("CORVANE_BINARY_DIR");
  ASSERT_NE(binaryDir, nullptr);
  corvane::test::EnsureApplication();
  const std::string folder = corvane::test::MakeTempDir("uploader-program");
  std::filesystem::create_directory(folder + "/My Scripts");
  const std::string script = "#!/usr/bin/perl\r\nprint \"Content-type: text/plain\\n\\nhello\\n\";\r\n";
  std::ofstream(folder + "/My Scripts/Hello.PL", std::ios::binary) << script;

  TFtpTestServer server;
  // What an earlier session remembered; the password is typed, as it is never stored.
  const std::string registry = folder + "/registry.sqlite3";
  RegistryStore::Instance().SetPath(registry);
  RegWriteString(UploaderKey, "Host", "127.0.0.1:" + std::to_string(server.Port()));
  RegWriteString(UploaderKey, "User", server.User);
  RegWriteString(UploaderKey, "RemoteDir", "/cgi-bin");

  TVirtualDisplay display;
  ASSERT_FALSE(display.Name().isEmpty()) << "Xvfb did not start";
  QProcess uploader;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DISPLAY", display.Name());
  environment.insert("QT_QPA_PLATFORM", "xcb");
  environment.insert("CORVANE_REGISTRY", QString::fromStdString(registry));
  environment.insert("CORVANE_TEST_DIALOG_ANSWERS", "OK");
  uploader.setProcessEnvironment(environment);
  // An unquoted path with a blank arrives as two arguments.
  uploader.start(QString(binaryDir) + "/bin/Uploader",
                 {QString::fromStdString(folder + "/My"), "Scripts/Hello.PL"});
  ASSERT_TRUE(uploader.waitForStarted(10000));

  QString window;
  ASSERT_TRUE(XdoTool(display.Name(), {"search", "--sync", "--onlyvisible", "--name", "Upload A Script To FTP"}, &window));
  window = window.split('\n').first();
  ASSERT_TRUE(XdoTool(display.Name(), {"windowfocus", "--sync", window}));
  // Host, User ID, Password: type the password; then Local File and Remote File, whose entering
  // proposes the remote name; Enter presses Upload.
  ASSERT_TRUE(XdoTool(display.Name(), {"key", "--delay", "50", "Tab", "Tab"}));
  ASSERT_TRUE(XdoTool(display.Name(), {"type", "--delay", "20", QString::fromStdString(server.Password)}));
  ASSERT_TRUE(XdoTool(display.Name(), {"key", "--delay", "50", "Tab", "Tab"}));
  ASSERT_TRUE(XdoTool(display.Name(), {"key", "Return"}));

  ASSERT_TRUE(uploader.waitForFinished(30000)) << "the program did not end";
  const std::string errors = uploader.readAllStandardError().toStdString();
  EXPECT_EQ(uploader.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(uploader.exitCode(), 0);
  EXPECT_NE(errors.find("dialog: Upload A Script To FTP: The file was succesfully uploaded!"), std::string::npos)
      << errors;
  const std::string stored = server.HomePath() + "/cgi-bin/hello.pl";
  EXPECT_TRUE(ReadFile(stored) == script);
  EXPECT_EQ(std::filesystem::status(stored).permissions() & std::filesystem::perms::all,
            static_cast<std::filesystem::perms>(0755));
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS", "CWD", "TYPE", "PORT", "STOR",
                                                      "SITE chmod 755 hello.pl"}));
  std::filesystem::remove_all(folder);
}

}  // namespace
