// The built Uploader as a person uses it: a real window on a virtual X display, keys typed into
// it, the upload to a local server, and the program ending by itself.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/FtpTestServer.h"
#include "common/MissingTool.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/TestPrograms.h"
#include "common/VirtualDisplay.h"
#include "support/RegTools.h"
#include "uploader/Unit1.h"
#include "win/RegistryStore.h"

using namespace Uploader;

namespace {

using corvane::test::ReadFile;
using corvane::test::TFtpTestServer;
using corvane::test::TVirtualDisplay;
using corvane::test::XdoTool;

// A script in a folder with a blank in its name, a local server, the settings an earlier session
// remembered (the password is typed, as it is never stored) and a display of its own.
class UploaderProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!corvane::test::VirtualDisplayToolsInstalled()) SKIP_WITHOUT_TOOL("Xvfb and xdotool");
    corvane::test::EnsureApplication();
    folder_ = corvane::test::MakeTempDir("uploader-program");
    std::filesystem::create_directory(folder_ + "/My Scripts");
    std::ofstream(Script(), std::ios::binary) << kScript;
    server_ = std::make_unique<TFtpTestServer>();
    RegistryStore::Instance().SetPath(Registry());
    RegWriteString(UploaderKey, "Host", "127.0.0.1:" + std::to_string(server_->Port()));
    RegWriteString(UploaderKey, "User", server_->User);
    RegWriteString(UploaderKey, "RemoteDir", "/cgi-bin");
    RegWriteBool("Software\\Ombrix\\Tarnwick", "NoAssociation", true);
    display_ = std::make_unique<TVirtualDisplay>();
    ASSERT_FALSE(display_->Name().isEmpty()) << "Xvfb did not start";
  }

  void TearDown() override {
    display_.reset();
    server_.reset();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }

  std::string Script() const { return folder_ + "/My Scripts/Hello.PL"; }
  std::string Registry() const { return folder_ + "/registry.sqlite3"; }

  void StartProgram(QProcess& process, const QString& name, const QStringList& arguments,
                    const QString& answers = "OK") {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_->Name());
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("CORVANE_REGISTRY", QString::fromStdString(Registry()));
    environment.insert("CORVANE_TEST_DIALOG_ANSWERS", answers);
    process.setProcessEnvironment(environment);
    process.start(corvane::test::TestCopyOfProgram(name), arguments);
    ASSERT_TRUE(process.waitForStarted(-1));
  }

  bool Xdo(const QStringList& arguments, QString* output = nullptr) {
    return XdoTool(display_->Name(), arguments, output);
  }

  // Focuses the visible window the search finds.
  void Focus(const QStringList& search) {
    QString windows;
    ASSERT_TRUE(Xdo(QStringList{"search", "--sync", "--onlyvisible"} + search, &windows));
    ASSERT_TRUE(Xdo({"windowfocus", "--sync", windows.split('\n').first()}));
  }

  // In the uploader's window: Host, User ID, Password: type the password; then Local File and
  // Remote File, whose entering proposes the remote name; Enter presses Upload.
  void TypePasswordAndUpload() {
    ASSERT_NO_FATAL_FAILURE(Focus({"--name", "Upload A Script To FTP"}));
    ASSERT_TRUE(Xdo({"key", "--delay", "50", "Tab", "Tab"}));
    ASSERT_TRUE(Xdo({"type", "--delay", "20", QString::fromStdString(server_->Password)}));
    ASSERT_TRUE(Xdo({"key", "--delay", "50", "Tab", "Tab"}));
    ASSERT_TRUE(Xdo({"key", "Return"}));
  }

  // The uploader's window closes once the file is up, however long a loaded machine takes.
  void WaitUntilTheUploaderIsGone() {
    while (Xdo({"search", "--onlyvisible", "--name", "Upload A Script To FTP"})) corvane::test::PumpEvents(100);
  }

  void ExpectUploaded(const std::string& content = kScript, const std::string& name = "hello.pl") {
    const std::string stored = server_->HomePath() + "/cgi-bin/" + name;
    EXPECT_TRUE(ReadFile(stored) == content);
    EXPECT_EQ(std::filesystem::status(stored).permissions() & std::filesystem::perms::all,
              static_cast<std::filesystem::perms>(0755));
    EXPECT_EQ(server_->Verbs(), (std::vector<std::string>{"USER", "PASS", "CWD", "TYPE", "PORT", "STOR",
                                                          "SITE chmod 755 " + name}));
  }

  static constexpr const char* kScript = "#!/usr/bin/perl\r\nprint \"Content-type: text/plain\\n\\nhello\\n\";\r\n";
  std::string folder_;
  std::unique_ptr<TFtpTestServer> server_;
  std::unique_ptr<TVirtualDisplay> display_;
};

TEST_F(UploaderProgram, UploadsTheFileNamedOnTheCommandLineAndEnds) {
  QProcess uploader;
  // An unquoted path with a blank arrives as two arguments.
  const std::string script = Script();
  const std::size_t blank = script.find(' ');
  StartProgram(uploader, "Uploader",
               {QString::fromStdString(script.substr(0, blank)), QString::fromStdString(script.substr(blank + 1))});
  ASSERT_NO_FATAL_FAILURE(TypePasswordAndUpload());

  ASSERT_TRUE(uploader.waitForFinished(-1)) << "the program did not end";
  const std::string errors = uploader.readAllStandardError().toStdString();
  EXPECT_EQ(uploader.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(uploader.exitCode(), 0);
  EXPECT_NE(errors.find("dialog: Upload A Script To FTP: The file was succesfully uploaded!"), std::string::npos)
      << errors;
  ExpectUploaded();
}

TEST_F(UploaderProgram, AServerThatHangsUpMidUploadIsReportedBeforeTheProgramEnds) {
  server_ = std::make_unique<TFtpTestServer>("drop-transfer");
  RegWriteString(UploaderKey, "Host", "127.0.0.1:" + std::to_string(server_->Port()));
  QProcess uploader;
  StartProgram(uploader, "Uploader", {QString::fromStdString(Script())});
  ASSERT_NO_FATAL_FAILURE(TypePasswordAndUpload());

  ASSERT_TRUE(uploader.waitForFinished(-1)) << "the program did not end";
  const std::string errors = uploader.readAllStandardError().toStdString();
  EXPECT_EQ(uploader.exitCode(), 1);
  EXPECT_NE(errors.find("The server closed the connection"), std::string::npos) << errors;
}

// A refused upload, its reply shown with the password masked, then Cancel: the program ends with a result
// that tells a caller the file did not arrive.
TEST_F(UploaderProgram, CancelAfterARefusedUploadEndsWithAFailure) {
  server_ = std::make_unique<TFtpTestServer>("quote-password-once", 502, "STOR");
  RegWriteString(UploaderKey, "Host", "127.0.0.1:" + std::to_string(server_->Port()));
  QProcess uploader;
  StartProgram(uploader, "Uploader", {QString::fromStdString(Script())});
  ASSERT_NO_FATAL_FAILURE(TypePasswordAndUpload());
  uploader.setReadChannel(QProcess::StandardError);  // where the answered boxes are told
  std::string errors;
  while (errors.find("dialog:") == std::string::npos && uploader.waitForReadyRead(-1))
    errors += uploader.readAllStandardError().toStdString();
  EXPECT_NE(errors.find("550 No such place for tester with password ******."), std::string::npos) << errors;

  QString window;
  ASSERT_TRUE(Xdo({"search", "--sync", "--onlyvisible", "--name", "Upload A Script To FTP"}, &window));
  ASSERT_TRUE(Xdo({"mousemove", "--sync", "--window", window.split('\n').first(), "244", "172", "click", "1"}));
  ASSERT_TRUE(uploader.waitForFinished(-1)) << "Cancel did not end the program";
  errors += uploader.readAllStandardError().toStdString();
  EXPECT_EQ(uploader.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(uploader.exitCode(), 1);
  EXPECT_EQ(errors.find(server_->Password), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(server_->HomePath() + "/cgi-bin/hello.pl"));
}

TEST_F(UploaderProgram, CorvaneHandsItsScriptToTheUploader) {
  QProcess corvane;
  StartProgram(corvane, "Corvane", {QString::fromStdString(Script())});
  ASSERT_NO_FATAL_FAILURE(Focus({"--pid", QString::number(corvane.processId())}));
  ASSERT_TRUE(Xdo({"key", "ctrl+alt+f"}));  // File, Upload To FTP...; the script is saved, so nothing is asked
  ASSERT_NO_FATAL_FAILURE(TypePasswordAndUpload());

  // The uploader ends by itself once the file is up; the editor stays.
  WaitUntilTheUploaderIsGone();
  EXPECT_FALSE(Xdo({"search", "--onlyvisible", "--name", "Upload A Script To FTP"}));
  EXPECT_EQ(corvane.state(), QProcess::Running);
  ExpectUploaded();
  corvane.terminate();
  corvane.waitForFinished(-1);
}

// A script in a folder with a Cyrillic name: the editor's title reads as the name, the uploader's Local
// File field holds the path as it reads (copied out of the field as a user would), and the upload finds
// the file and stores it under its own name.
TEST_F(UploaderProgram, CorvaneHandsAScriptWithACyrillicPathToTheUploader) {
  if (QStandardPaths::findExecutable("xclip").isEmpty()) SKIP_WITHOUT_TOOL("xclip");
  std::filesystem::create_directory(folder_ + "/Документы");
  const std::string script = folder_ + "/Документы/Привет.PL";
  std::ofstream(script, std::ios::binary) << kScript;
  QProcess corvane;
  StartProgram(corvane, "Corvane", {QString::fromStdString(script)});
  QString windows;
  ASSERT_TRUE(Xdo({"search", "--sync", "--onlyvisible", "--pid", QString::number(corvane.processId())}, &windows));
  // The title may follow the window's first showing: asked until it names the file, however long that takes.
  const QString expected = QString::fromStdString("Привет.PL - Ombrix Tarnwick 2.1");
  QString title;
  for (int i = 0; !title.contains(".PL - "); ++i) {
    if (i > 0) corvane::test::PumpEvents(100);
    Xdo({"getwindowname", windows.split('\n').first()}, &title);
  }
  EXPECT_EQ(title.toStdString(), expected.toStdString());
  ASSERT_NO_FATAL_FAILURE(Focus({"--pid", QString::number(corvane.processId())}));
  ASSERT_TRUE(Xdo({"key", "ctrl+alt+f"}));

  ASSERT_NO_FATAL_FAILURE(Focus({"--name", "Upload A Script To FTP"}));
  ASSERT_TRUE(Xdo({"key", "--delay", "50", "Tab", "Tab"}));
  ASSERT_TRUE(Xdo({"type", "--delay", "20", QString::fromStdString(server_->Password)}));
  ASSERT_TRUE(Xdo({"key", "--delay", "50", "Tab", "ctrl+a", "ctrl+c"}));  // Local File
  // The copy lands when the uploader has handled the keys: read until the clipboard holds something.
  std::string copied;
  for (int i = 0; copied.empty(); ++i) {
    if (i > 0) corvane::test::PumpEvents(100);
    QProcess clipboard;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_->Name());
    clipboard.setProcessEnvironment(environment);
    clipboard.start("xclip", {"-o", "-selection", "clipboard"});
    clipboard.waitForFinished(-1);
    copied = clipboard.readAllStandardOutput().toStdString();
  }
  EXPECT_EQ(copied, script);
  ASSERT_TRUE(Xdo({"key", "--delay", "50", "Tab", "Return"}));  // Remote File proposes the name

  WaitUntilTheUploaderIsGone();
  ExpectUploaded(kScript, "Привет.pl");
  corvane.kill();
  corvane.waitForFinished(-1);
}

// Changes in the editor reach the server only when the user takes the offer to save them first.
TEST_F(UploaderProgram, CorvaneOffersToSaveAChangedScriptBeforeHandingItOver) {
  struct Case {
    const char* answer;
    bool saved;
  };
  for (const Case c : {Case{"Yes", true}, Case{"No", false}}) {
    SCOPED_TRACE(c.answer);
    std::ofstream(Script(), std::ios::binary | std::ios::trunc) << kScript;
    server_ = std::make_unique<TFtpTestServer>();
    RegWriteString(UploaderKey, "Host", "127.0.0.1:" + std::to_string(server_->Port()));
    QProcess corvane;
    // The uploader inherits the answers: its own box takes the next item, or is dismissed.
    StartProgram(corvane, "Corvane", {QString::fromStdString(Script())}, QString(c.answer) + ";OK");
    ASSERT_NO_FATAL_FAILURE(Focus({"--pid", QString::number(corvane.processId())}));
    // A click into the text gives the editor the keyboard.
    QString window;
    ASSERT_TRUE(Xdo({"search", "--sync", "--onlyvisible", "--pid", QString::number(corvane.processId())}, &window));
    ASSERT_TRUE(Xdo({"mousemove", "--sync", "--window", window.split('\n').first(), "200", "150", "click", "1"}));
    ASSERT_TRUE(Xdo({"key", "--delay", "50", "ctrl+Home", "numbersign"}));  // "#!/usr/bin/perl" becomes "##!..."
    ASSERT_TRUE(Xdo({"key", "ctrl+alt+f"}));
    ASSERT_NO_FATAL_FAILURE(TypePasswordAndUpload());
    WaitUntilTheUploaderIsGone();
    const std::string onDisk = ReadFile(Script());
    EXPECT_EQ(onDisk.rfind("##!", 0) == 0, c.saved);
    ExpectUploaded(onDisk);
    corvane.terminate();
    corvane.waitForFinished(-1);
    const std::string asked = corvane.readAllStandardError().toStdString();
    EXPECT_NE(asked.find(": It's recommended to save the file first. Save?"), std::string::npos) << asked;
  }
}

}  // namespace
