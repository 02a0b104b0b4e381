#include "uploader/Unit1.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/FtpTestServer.h"
#include "common/TempRegistry.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/TextFit.h"
#include "common/UserInput.h"
#include "qt/QtSide.h"
#include "support/LCDate.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Buttons.h"
#include "vcl/ComCtrls.h"
#include "vcl/Dialogs.h"
#include "vcl/Menus.h"
#include "vcl/Registry.h"
#include "vcl/StdCtrls.h"

using namespace Uploader;

namespace {

using corvane::test::ReadFile;
using corvane::test::TFtpTestServer;

bool programEnded = false;
void MarkProgramEnded() { programEnded = true; }

bool KeyExists(const std::string& key) {
  TRegistry registry;
  return registry.KeyExists(key);
}

// A message box as the user saw it, with the status line behind it at that moment and whether the
// program had ended by then.
struct TBox {
  std::string caption;
  std::string text;
  std::string status;
  bool afterTheEnd = false;
};

// The uploader's window built in-process, with the registry in a fresh store, the command line
// given by the test, and every message box answered and recorded.
class Uploader : public ::testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    folder_ = corvane::test::MakeTempDir("uploader");
    Application->SetTitle("Upload A Script To FTP");
    Application->ExitCode = 0;
    programEnded = false;
  }

  void TearDown() override {
    form_.reset();
    TCustomForm::SetMainForm(nullptr);
    std::filesystem::remove_all(folder_);
  }

  void Start(std::vector<std::string> arguments = {}) {
    arguments.insert(arguments.begin(), "Uploader");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    Application->Initialize(static_cast<int>(argv.size()), argv.data());
    form_.reset(CreateForm<TForm1>(nullptr));
    // Closing the main window ends the program; here it only tells the test.
    TCustomForm::SetMainForm(form_.get());
    TCustomForm::SetTerminateHandler(&MarkProgramEnded);
  }

  void Fill(const std::string& host, const std::string& user, const std::string& password,
            const std::string& local, const std::string& remote) {
    form_->HostEdit->SetText(host);
    form_->UserEdit->SetText(user);
    form_->PassEdit->SetText(password);
    form_->LocalEdit->SetText(local);
    form_->RemoteEdit->SetText(remote);
  }

  // Fills the fields for the server and the script, as the user would, and presses Upload.
  void UploadTo(const TFtpTestServer& server, const std::string& remote, const std::string& password = "") {
    Fill("127.0.0.1", server.User, password.empty() ? server.Password : password, Script(), remote);
    form_->Ftp1->Port = server.Port();
    Press(form_->BitBtn1);
  }

  // A real mouse click on the button: what its handler raises goes to the error box, as from the
  // message loop.
  void Press(TBitBtn* button) {
    ASSERT_TRUE(button->Enabled()) << button->Name();
    corvane::test::Click(*button, WidgetOf(button)->rect().center());
  }

  std::string Script() {
    const std::string path = folder_ + "/Test.PL";
    if (!std::filesystem::exists(path)) std::ofstream(path, std::ios::binary) << ScriptBytes();
    return path;
  }

  static std::string ScriptBytes() {
    std::string text = "#!/usr/bin/perl\r\nprint \"Content-type: text/html\\n\\n\";\r\n";
    for (int i = 0; i < 20000; ++i) text += "print \"line " + std::to_string(i) + "\\r\\n\";\r\n";
    return text + std::string("\0\xff\n", 3);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TBox& box : boxes_) texts.push_back(box.text);
    return texts;
  }

  bool InputsEnabled() const {
    return form_->HostEdit->Enabled() && form_->UserEdit->Enabled() && form_->PassEdit->Enabled() &&
           form_->LocalEdit->Enabled() && form_->RemoteEdit->Enabled() && form_->BitBtn1->Enabled();
  }

  std::string Status() const { return form_->StatusBar1->SimpleText(); }

  corvane::test::TempRegistry store_;
  std::string folder_;
  std::unique_ptr<TForm1> form_;
  std::vector<TBox> boxes_;
  TDialogHookScope dialogs_{[this](TDialogRequest& request) {
    boxes_.push_back({request.Caption, request.Text, form_ ? Status() : "", programEnded});
    return IDOK;
  }};
};

TEST(RemotePath, SplitsIntoDirectoryAndName) {
  const std::vector<std::array<std::string, 3>> cases = {
      {"/cgi-bin/test.pl", "/cgi-bin", "test.pl"},
      {"/test.pl", "/", "test.pl"},
      {"test.pl", "", "test.pl"},
      {"\\x", "/", "x"},
      {"a/b/c.pl", "a/b", "c.pl"},
      {"a//c.pl", "a//", "c.pl"},  // a separator behind another stays
      {"/cgi-bin/", "/cgi-bin", ""},
      {"host:x.pl", "host", "x.pl"},
      {"host:/x.pl", "host:/", "x.pl"},
  };
  for (const auto& [path, directory, name] : cases) {
    std::string gotDirectory = "?", gotName = "?";
    SplitRemotePath(path, gotDirectory, gotName);
    EXPECT_EQ(gotDirectory, directory) << path;
    EXPECT_EQ(gotName, name) << path;
  }
}

TEST(RemotePath, ProposesTheLowerCasedLocalNameBelowTheRememberedDirectory) {
  const std::vector<std::array<std::string, 3>> cases = {
      {"/", "C:\\Web\\Test.PL", "/test.pl"},
      {"/cgi-bin", "C:\\Web\\Test.PL", "/cgi-bin/test.pl"},
      {"/cgi-bin/", "D:Run.CGI", "/cgi-bin/run.cgi"},
      {"", "/home/ann/Mail Form.pl", "mail form.pl"},
  };
  for (const auto& [directory, local, proposal] : cases) EXPECT_EQ(ProposeRemoteName(directory, local), proposal) << local;
}

TEST_F(Uploader, StartsEmptyWithNothingStoredAndStoresNothing) {
  Start();
  for (TEdit* edit : {form_->HostEdit, form_->UserEdit, form_->PassEdit, form_->LocalEdit, form_->RemoteEdit})
    EXPECT_EQ(edit->Text(), "") << edit->Name();
  EXPECT_EQ(form_->ChmodEdit->Text(), "755");
  EXPECT_TRUE(form_->CheckBox1->Checked());
  EXPECT_TRUE(form_->ChmodEdit->Enabled());
  EXPECT_TRUE(form_->Label1->Enabled());
  EXPECT_FALSE(form_->BitBtn1->Enabled());
  EXPECT_EQ(form_->Caption(), "Upload A Script To FTP");
  EXPECT_EQ(form_->ClientWidth(), 304);
  EXPECT_EQ(form_->ClientHeight(), 207);
  EXPECT_FALSE(KeyExists(UploaderKey));
}

TEST_F(Uploader, TheShownWindowKeepsItsPlaceAndGoesAwayCleanly) {
  Start();
  form_->Show();
  corvane::test::PumpPosted();
  form_->StatusBar1->SetSimpleText("shown");
  form_->Close();
  EXPECT_TRUE(programEnded);
  EXPECT_NE(RegReadString(std::string(UploaderKey) + "\\Window Position", "NormPos", ""), "");
  form_.reset();  // every control's window goes with the form's, none twice
}

TEST_F(Uploader, EveryCaptionFitsItsControl) {
  Start({"/home/ann/cgi-bin/test.pl"});
  form_->Show();
  corvane::test::PumpPosted();
  EXPECT_EQ(corvane::test::TextsThatDoNotFit(WidgetOf(form_.get())), std::vector<std::string>{});
  // The longest of the window's own status texts, a dotted address of the most digits included.
  for (const char* status : {"Upload succesful. Trying to chmod...", "Chmod is not suppoted by the server",
                             "Connecting to 255.255.255.255..."}) {
    form_->StatusBar1->SetSimpleText(status);
    EXPECT_EQ(corvane::test::PanelTextsThatDoNotFit(form_->StatusBar1), std::vector<std::string>{});
  }
}

TEST_F(Uploader, ShowsTheStoredSettingsAndTheCommandLineJoined) {
  RegWriteString(UploaderKey, "Host", "ftp.example.org");
  RegWriteString(UploaderKey, "User", "ann");
  RegWriteString(UploaderKey, "Chmod", "700");
  RegWriteBool(UploaderKey, "AllowChmod", false);
  Start({"C:\\My", "Scripts\\a.pl"});
  EXPECT_EQ(form_->LocalEdit->Text(), "C:\\My Scripts\\a.pl");
  EXPECT_EQ(form_->HostEdit->Text(), "ftp.example.org");
  EXPECT_EQ(form_->UserEdit->Text(), "ann");
  EXPECT_EQ(form_->ChmodEdit->Text(), "700");
  EXPECT_FALSE(form_->CheckBox1->Checked());
  EXPECT_FALSE(form_->ChmodEdit->Enabled());
  EXPECT_FALSE(form_->Label1->Enabled());
  EXPECT_EQ(form_->PassEdit->Text(), "");  // the password is never stored
}

TEST_F(Uploader, UploadIsEnabledOnlyWithAllFiveFieldsFilled) {
  Start();
  Fill("h", "u", "p", "l", "r");
  EXPECT_TRUE(form_->BitBtn1->Enabled());
  for (TEdit* edit : {form_->HostEdit, form_->UserEdit, form_->PassEdit, form_->LocalEdit, form_->RemoteEdit}) {
    for (const char* empty : {"", "   ", "\t "}) {
      edit->SetText(empty);
      EXPECT_FALSE(form_->BitBtn1->Enabled()) << edit->Name() << " '" << empty << "'";
    }
    edit->SetText("x");
    EXPECT_TRUE(form_->BitBtn1->Enabled()) << edit->Name();
  }
}

TEST_F(Uploader, EnteringTheRemoteFieldProposesANameOnlyWhenItIsEmpty) {
  Start({"C:\\Web\\Test.PL"});
  form_->RemoteEditEnter(form_->RemoteEdit);
  EXPECT_EQ(form_->RemoteEdit->Text(), "/test.pl");

  RegWriteString(UploaderKey, "RemoteDir", "/cgi-bin");
  form_->RemoteEdit->SetText("  ");
  form_->RemoteEditEnter(form_->RemoteEdit);
  EXPECT_EQ(form_->RemoteEdit->Text(), "/cgi-bin/test.pl");

  form_->RemoteEdit->SetText("/kept.pl");
  form_->RemoteEditEnter(form_->RemoteEdit);
  EXPECT_EQ(form_->RemoteEdit->Text(), "/kept.pl");

  form_->RemoteEdit->SetText("");
  form_->LocalEdit->SetText(" ");
  form_->RemoteEditEnter(form_->RemoteEdit);
  EXPECT_EQ(form_->RemoteEdit->Text(), "");
}

TEST_F(Uploader, TheChmodBoxIsRememberedAndEnablesTheModeField) {
  Start();
  form_->CheckBox1->SetChecked(false);
  EXPECT_FALSE(RegReadBool(UploaderKey, "AllowChmod", true));
  EXPECT_FALSE(form_->ChmodEdit->Enabled());
  EXPECT_FALSE(form_->Label1->Enabled());
  form_->CheckBox1->SetChecked(true);
  EXPECT_TRUE(RegReadBool(UploaderKey, "AllowChmod", false));
  EXPECT_TRUE(form_->ChmodEdit->Enabled());
}

TEST_F(Uploader, ClosingStoresTheHostOnlyWhenNoneIsStored) {
  Start();
  form_->HostEdit->SetText("  first.example.org ");
  form_->Close();
  EXPECT_EQ(RegReadString(UploaderKey, "Host", ""), "first.example.org");
  EXPECT_TRUE(programEnded);
  form_->HostEdit->SetText("second.example.org");
  form_->Close();
  EXPECT_EQ(RegReadString(UploaderKey, "Host", ""), "first.example.org");
}

TEST_F(Uploader, ProgressTextsHoldingThePasswordAreDropped) {
  Start();
  form_->Ftp1Status(form_->Ftp1, "230 Login successful.");
  form_->PassEdit->SetText(" pw42 ");
  form_->Ftp1Status(form_->Ftp1, "331 pw42 is your password?");
  EXPECT_EQ(Status(), "230 Login successful.");
  form_->Ftp1Status(form_->Ftp1, "250 CWD done.");
  EXPECT_EQ(Status(), "250 CWD done.");
  form_->PassEdit->SetText("  ");  // an empty password hides nothing
  form_->Ftp1Status(form_->Ftp1, "257 \"/\" is the current directory.");
  EXPECT_EQ(Status(), "257 \"/\" is the current directory.");
}

TEST_F(Uploader, FailuresNameTheirOperation) {
  Start();
  const std::vector<std::pair<TCmdType, std::string>> cases = {
      {cmdChangeDir, "ChangeDir failed!"}, {cmdUpload, "Upload failed!"}, {cmdDoCommand, "DoCommand failed!"},
      {cmdCurrentDir, "Accessing the CurrentDir property failed!"}, {cmdDownRestore, "DownloadRestore failed!"}};
  for (const auto& [type, status] : cases) {
    bool handled = false;
    form_->Ftp1Failure(handled, type);
    EXPECT_EQ(Status(), status);
    EXPECT_FALSE(handled);
  }
}

TEST_F(Uploader, TheAboutBoxShowsTheBuildDate) {
  Start();
  form_->About1->Click();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "FTP Script Uploader\nVersion 1.0 (build " + DateToStr(form_->LCDate1->LCDate) +
                                ")\n\nPart of Ombrix Tarnwick");
}

// ---------------------------------------------------------------------------------------------------
// The whole road against a real server

TEST_F(Uploader, UploadsIntoTheRemoteDirectoryAndSetsTheMode) {
  TFtpTestServer server;
  Start();
  form_->ChmodEdit->SetText("644");
  UploadTo(server, " /cgi-bin/x.pl ");

  const std::string stored = server.HomePath() + "/cgi-bin/x.pl";
  EXPECT_TRUE(ReadFile(stored) == ScriptBytes());
  EXPECT_EQ(std::filesystem::status(stored).permissions() & std::filesystem::perms::all,
            static_cast<std::filesystem::perms>(0644));
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS", "CWD", "TYPE", "PORT", "STOR",
                                                      "SITE chmod 644 x.pl"}));
  EXPECT_EQ(server.Commands()[2], "CWD /cgi-bin");
  EXPECT_EQ(server.Commands()[5], "STOR /cgi-bin/x.pl");
  EXPECT_EQ(Texts(), std::vector<std::string>{"The file was succesfully uploaded!"});
  EXPECT_TRUE(programEnded);
  EXPECT_EQ(RegReadString(UploaderKey, "RemoteDir", ""), "/cgi-bin");
  EXPECT_EQ(RegReadString(UploaderKey, "Host", ""), "127.0.0.1");
  EXPECT_EQ(RegReadString(UploaderKey, "User", ""), server.User);
}

// Local File and Remote File hold names: a Cyrillic path from the command line shows as it reads, a name
// typed into Remote File reaches the server as the same characters, and the upload finds the file.
TEST_F(Uploader, TheFileFieldsShowAndSendNamesAsTheyRead) {
  TFtpTestServer server;
  std::filesystem::create_directory(folder_ + "/Документы");
  const std::string local = folder_ + "/Документы/Отчёт.PL";
  std::ofstream(local, std::ios::binary) << ScriptBytes();
  RegWriteString(UploaderKey, "RemoteDir", "/cgi-bin");
  Start({local});
  form_->Show();
  auto* localField = static_cast<QLineEdit*>(WidgetOf(form_->LocalEdit));
  EXPECT_EQ(localField->text().toStdString(), local);
  EXPECT_EQ(form_->LocalEdit->Text(), local);
  form_->RemoteEditEnter(form_->RemoteEdit);
  EXPECT_EQ(static_cast<QLineEdit*>(WidgetOf(form_->RemoteEdit))->text().toStdString(), "/cgi-bin/Отчёт.pl");
  form_->RemoteEdit->Clear();
  corvane::test::TypeText(WidgetOf(form_->RemoteEdit), QString::fromStdString("/cgi-bin/отчёт.pl"));
  EXPECT_EQ(form_->RemoteEdit->Text(), "/cgi-bin/отчёт.pl");

  form_->HostEdit->SetText("127.0.0.1");
  form_->UserEdit->SetText(server.User);
  form_->PassEdit->SetText(server.Password);
  form_->Ftp1->Port = server.Port();
  Press(form_->BitBtn1);
  EXPECT_TRUE(ReadFile(server.HomePath() + "/cgi-bin/отчёт.pl") == ScriptBytes());
  EXPECT_EQ(server.Commands()[5], "STOR /cgi-bin/отчёт.pl");
  EXPECT_EQ(Texts(), std::vector<std::string>{"The file was succesfully uploaded!"});
}

// Typed into a field, Enter presses Upload and Esc presses Cancel, as a dialog's keys do.
TEST_F(Uploader, EnterInAFieldUploadsAndEscInAFieldCancels) {
  TFtpTestServer server;
  Start();
  form_->Show();
  Fill("127.0.0.1", server.User, server.Password, Script(), "/x.pl");
  form_->Ftp1->Port = server.Port();
  form_->PassEdit->SetFocus();
  QTest::keyClick(WidgetOf(form_->PassEdit), Qt::Key_Return);
  EXPECT_TRUE(ReadFile(server.HomePath() + "/x.pl") == ScriptBytes());
  EXPECT_TRUE(programEnded);

  Start();
  form_->Show();
  form_->HostEdit->SetFocus();
  QTest::keyClicks(WidgetOf(form_->HostEdit), "ftp.example.org");
  programEnded = false;
  QTest::keyClick(WidgetOf(form_->HostEdit), Qt::Key_Escape);
  EXPECT_TRUE(programEnded);
  EXPECT_FALSE(form_->Visible());
}

TEST_F(Uploader, WithTheBoxUncheckedNoChmodIsSent) {
  TFtpTestServer server;
  Start();
  form_->CheckBox1->SetChecked(false);
  UploadTo(server, "/x.pl");
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS", "CWD", "TYPE", "PORT", "STOR"}));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "The file was succesfully uploaded!");
  EXPECT_EQ(boxes_[0].status, "Upload succesful. Trying to chmod...");
  EXPECT_TRUE(programEnded);
  EXPECT_TRUE(ReadFile(server.HomePath() + "/x.pl") == ScriptBytes());
}

TEST_F(Uploader, AChmodTheServerDoesNotSupportIsNotOfferedAgain) {
  for (const int code : {500, 501, 502}) {
    SCOPED_TRACE(code);
    boxes_.clear();
    TFtpTestServer server("refuse-chmod", code);
    Start();
    UploadTo(server, "/cgi-bin/x.pl");
    EXPECT_FALSE(RegReadBool(UploaderKey, "AllowChmod", true));
    EXPECT_TRUE(form_->CheckBox1->Checked());  // until the next start
    EXPECT_EQ(Status(), "DoCommand failed!");
    ASSERT_EQ(boxes_.size(), 1u);  // the server's reply in the error box
    EXPECT_NE(boxes_[0].text.find(std::to_string(code)), std::string::npos) << boxes_[0].text;
    EXPECT_EQ(boxes_[0].status, "DoCommand failed!");
    EXPECT_TRUE(InputsEnabled());
    EXPECT_FALSE(programEnded);
    EXPECT_TRUE(ReadFile(server.HomePath() + "/cgi-bin/x.pl") == ScriptBytes());
    RegWriteBool(UploaderKey, "AllowChmod", true);
  }
}

TEST_F(Uploader, FailedLoginsLetTheUserTryAgain) {
  TFtpTestServer server;
  TFtpTestServer silent("silent");
  TFtpTestServer account("ask-account");
  struct TCase {
    const char* name;
    std::string host;
    int port;
    std::string password;
    std::string box;
  };
  const std::vector<TCase> cases = {
      {"wrong password", "127.0.0.1", server.Port(), "wrong", "Connection failed!"},
      {"unknown host", "no-such-host.invalid", server.Port(), server.Password, "Invalid host!"},
      {"never answers", "127.0.0.1", silent.Port(), server.Password, "Connection failed!"},
      {"account required", "127.0.0.1", account.Port(), server.Password, "Authentication failed!"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    boxes_.clear();
    Start();
    Fill(c.host, server.User, c.password, Script(), "/cgi-bin/x.pl");
    form_->Ftp1->Port = c.port;
    // Short only where the silence is meant: a slow reply on a loaded machine is no silence.
    form_->Ftp1->TimeOut = c.port == silent.Port() ? 700 : 30000;
    Press(form_->BitBtn1);
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].text, c.box);
    EXPECT_EQ(boxes_[1].caption, "Upload A Script To FTP");  // then the component's error
    EXPECT_EQ(boxes_[1].text.find(c.password), std::string::npos);
    EXPECT_TRUE(InputsEnabled());
    EXPECT_FALSE(programEnded);
  }
}

TEST_F(Uploader, AMissingRemoteDirectoryStopsTheRoad) {
  TFtpTestServer server;
  Start();
  UploadTo(server, "/missing/x.pl");
  EXPECT_EQ(Status(), "ChangeDir failed!");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].text.find("550"), std::string::npos) << boxes_[0].text;
  EXPECT_TRUE(InputsEnabled());
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS", "CWD"}));
  EXPECT_FALSE(programEnded);
}

// A server that refuses the directory, the upload or the chmod once, quoting the password in its reply: the
// error box and the status show the reply with the password masked, the failure is the program's result
// until the user presses Upload again, and that second try goes through.
TEST_F(Uploader, ARefusedStepShowsTheReplyMaskedAndCanBeTriedAgain) {
  for (const std::string refused : {"CWD", "STOR", "SITE"}) {
    SCOPED_TRACE(refused);
    boxes_.clear();
    programEnded = false;
    TFtpTestServer server("quote-password-once", 502, refused);
    Start();
    UploadTo(server, "/cgi-bin/x.pl");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].text.find("550 No such place for tester with password ******."), std::string::npos)
        << boxes_[0].text;
    EXPECT_EQ(boxes_[0].text.find(server.Password), std::string::npos) << boxes_[0].text;
    EXPECT_EQ(Status().find(server.Password), std::string::npos) << Status();
    EXPECT_TRUE(InputsEnabled());
    EXPECT_FALSE(programEnded);
    EXPECT_EQ(Application->ExitCode, 1);

    Press(form_->BitBtn1);
    EXPECT_EQ(Texts().back(), "The file was succesfully uploaded!");
    EXPECT_TRUE(programEnded);
    EXPECT_EQ(Application->ExitCode, 0);
    EXPECT_TRUE(ReadFile(server.HomePath() + "/cgi-bin/x.pl") == ScriptBytes());
    EXPECT_EQ(server.Verbs().back(), "SITE chmod 755 x.pl");
  }
}

TEST_F(Uploader, ARemoteNameWithoutDirectoryChangesToAnEmptyOne) {
  TFtpTestServer server;
  Start();
  UploadTo(server, "x.pl");
  EXPECT_EQ(server.Commands()[2], "CWD ");  // with nothing behind it
  EXPECT_EQ(RegReadString(UploaderKey, "RemoteDir", "?"), "");
  EXPECT_TRUE(programEnded);
  EXPECT_TRUE(ReadFile(server.HomePath() + "/x.pl") == ScriptBytes());
}

TEST_F(Uploader, ALocalFileThatCannotBeReadStopsTheRoadAfterTheDirectory) {
  TFtpTestServer server;
  Start();
  Fill("127.0.0.1", server.User, server.Password, folder_ + "/absent.pl", "/cgi-bin/x.pl");
  form_->Ftp1->Port = server.Port();
  Press(form_->BitBtn1);
  EXPECT_EQ(Status(), "Change dir succesful");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].text.find("absent.pl"), std::string::npos) << boxes_[0].text;
  EXPECT_TRUE(InputsEnabled());
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS", "CWD"}));
}

TEST_F(Uploader, AnOperationWithoutConnectionStartsTheWholeRoad) {
  TFtpTestServer server;
  Start();
  Fill("127.0.0.1", server.User, server.Password, Script(), "/cgi-bin/x.pl");
  form_->Ftp1->Port = server.Port();
  bool handled = false;
  form_->Ftp1ConnectionRequired(handled);
  EXPECT_EQ(Texts(), std::vector<std::string>{"The file was succesfully uploaded!"});
  EXPECT_TRUE(programEnded);
}

TEST_F(Uploader, TheServerHangingUpMidUploadShowsWhyBeforeTheWindowCloses) {
  TFtpTestServer server("drop-transfer");
  Start();
  UploadTo(server, "/x.pl");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].text.find("closed the connection"), std::string::npos) << boxes_[0].text;
  EXPECT_FALSE(boxes_[0].afterTheEnd);
  EXPECT_TRUE(programEnded);
  EXPECT_EQ(Application->ExitCode, 1);
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS", "CWD", "TYPE", "PORT", "STOR"}));
}

TEST_F(Uploader, APasswordInsideOtherTextsDoesNotMaskThem) {
  Start();
  Fill("127.0.0.1", "tester", "127", Script(), "/x.pl");
  form_->Ftp1->Port = 1;  // nobody listens there
  Press(form_->BitBtn1);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Connection failed!");
  EXPECT_NE(boxes_[1].text.find("Cannot connect to 127.0.0.1"), std::string::npos) << boxes_[1].text;
  EXPECT_EQ(boxes_[1].text.find('*'), std::string::npos) << boxes_[1].text;
}

TEST_F(Uploader, CancelOrClosingDuringTheTransferEndsItSilently) {
  TFtpTestServer server;
  const std::string big = folder_ + "/big.pl";
  std::ofstream(big, std::ios::binary) << std::string(64 * 1024 * 1024, 'x');
  for (const bool cancel : {true, false}) {
    SCOPED_TRACE(cancel ? "Cancel" : "the window's close box");
    programEnded = false;
    Start();
    form_->Ftp1->OnTransactionStart = [this, cancel](TObject*) {
      // Arrives from the event loop while the upload waits, as the user's click would.
      QTimer::singleShot(0, [this, cancel] {
        if (cancel)
          Press(form_->BitBtn2);
        else
          form_->Close();
      });
    };
    Fill("127.0.0.1", server.User, server.Password, big, "/big.pl");
    form_->Ftp1->Port = server.Port();
    Press(form_->BitBtn1);
    EXPECT_TRUE(programEnded);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(server.Verbs().back(), "STOR");  // no chmod: the road ended there
  }
}

TEST_F(Uploader, CancelWhileTheServerKeepsSilentClosesAtOnce) {
  TFtpTestServer silent("silent");
  Start();
  form_->Ftp1->TimeOut = 60000;
  QTimer::singleShot(200, [this] { Press(form_->BitBtn2); });
  UploadTo(silent, "/x.pl");
  // The cancel ended the wait: a time-out would have shown its error and left the window open.
  EXPECT_TRUE(programEnded);
  EXPECT_TRUE(boxes_.empty());
}

}  // namespace
