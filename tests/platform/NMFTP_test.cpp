#include "inet/NMFTP.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/FtpTestServer.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"

namespace {

using corvane::test::ReadFile;
using corvane::test::TFtpTestServer;

// Bytes that any text-mode conversion would change: CR LF, lone LF, NUL and high bytes.
std::string Payload(std::size_t size) {
  std::string bytes(size, '\0');
  unsigned state = 12345;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes[i] = static_cast<char>(state >> 16);
    if (i % 97 == 0) bytes[i] = '\r';
    if (i % 97 == 1) bytes[i] = '\n';
  }
  return bytes;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A component with every event recorded, in the order they fire.
class FtpClient : public ::testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    folder_ = corvane::test::MakeTempDir("nmftp");
    ftp_ = std::make_unique<TNMFTP>(nullptr);
    ftp_->Host = "127.0.0.1";
    // Long enough that a slow reply on a loaded machine never passes for a silent server; the tests of
    // the time-out shorten it where the silence is meant.
    ftp_->TimeOut = 30000;
    ftp_->OnHostResolved = [this](TObject*) { events_.push_back("resolved"); };
    ftp_->OnInvalidHost = [this](bool& handled) {
      events_.push_back("invalid host");
      handled = handleFailures_;
    };
    ftp_->OnConnectionFailed = [this](TObject*) { events_.push_back("connection failed"); };
    ftp_->OnAuthenticationFailed = [this](bool&) { events_.push_back("authentication failed"); };
    ftp_->OnConnect = [this](TObject*) { events_.push_back("connect"); };
    ftp_->OnDisconnect = [this](TObject*) { events_.push_back("disconnect"); };
    ftp_->OnConnectionRequired = [this](bool&) { events_.push_back("connection required"); };
    ftp_->OnSuccess = [this](TCmdType type) { events_.push_back("success " + std::to_string(type)); };
    ftp_->OnFailure = [this](bool& handled, TCmdType type) {
      events_.push_back("failure " + std::to_string(type));
      handled = handleFailures_;
    };
    ftp_->OnUnSupportedFunction = [this](TCmdType type) { events_.push_back("unsupported " + std::to_string(type)); };
    ftp_->OnTransactionStart = [this](TObject*) { events_.push_back("start"); };
    ftp_->OnTransactionStop = [this](TObject*) { events_.push_back("stop"); };
    ftp_->OnError = [this](TComponent*, int errorNumber, const std::string& text) {
      events_.push_back("error " + std::to_string(errorNumber));
      shown_.push_back(text);
    };
    ftp_->OnStatus = [this](TComponent*, const std::string& text) { shown_.push_back(text); };
  }

  void TearDown() override { std::filesystem::remove_all(folder_); }

  void LogInTo(const TFtpTestServer& server, const std::string& password = "") {
    ftp_->Port = server.Port();
    ftp_->UserID = server.User;
    ftp_->Password = password.empty() ? server.Password : password;
  }

  // Runs an operation, returning the message of the error it raised ("" when none).
  template <class Operation>
  std::string ErrorOf(Operation operation) {
    try {
      operation();
    } catch (const ESockError& e) {
      shown_.push_back(e.Message);
      return e.Message;
    }
    return "";
  }

  std::string LocalFile(const std::string& bytes) {
    const std::string path = folder_ + "/script.pl";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::unique_ptr<TNMFTP> ftp_;
  std::vector<std::string> events_;
  std::vector<std::string> shown_;  // every status and error text
  bool handleFailures_ = false;
  std::string folder_;
};

TEST(FtpCommandType, FollowsTheBeginningOfTheCommand) {
  const std::vector<std::pair<std::string, TCmdType>> cases = {
      {"CWD /x", cmdChangeDir}, {"cwd /x", cmdChangeDir}, {"DELE a", cmdDelete}, {"MKD a", cmdMakeDir},
      {"RMD a", cmdRemoveDir},  {"PWD", cmdCurrentDir},   {"PWD x", cmdDoCommand}, {"CWDX", cmdDoCommand},
      {"SITE chmod 755 a.pl", cmdDoCommand}, {"", cmdDoCommand}};
  for (const auto& [command, type] : cases) EXPECT_EQ(TNMFTP::CommandType(command), type) << command;
}

TEST_F(FtpClient, UploadsByteForByteInBothDataModesAndSetsTheMode) {
  const std::string bytes = Payload(3 * 1024 * 1024 + 17);
  for (const bool passive : {false, true}) {
    SCOPED_TRACE(passive ? "passive" : "active");
    TFtpTestServer server;
    LogInTo(server);
    ftp_->Passive = passive;
    ftp_->ReportLevel = passive ? 1 : 0;  // level 1 adds the transfer's progress
    events_.clear();
    shown_.clear();
    // The road of the uploader: each step runs from the event of the step before.
    ftp_->OnConnect = [&](TObject*) {
      events_.push_back("connect");
      ftp_->ChangeDir("/cgi-bin");
    };
    ftp_->OnSuccess = [&](TCmdType type) {
      events_.push_back("success " + std::to_string(type));
      if (type == cmdChangeDir) ftp_->Upload(LocalFile(bytes), "/cgi-bin/x.pl");
      if (type == cmdUpload) ftp_->DoCommand("SITE chmod 755 x.pl");
    };
    EXPECT_EQ(ErrorOf([&] { ftp_->Connect(); }), "");

    EXPECT_EQ(events_, (std::vector<std::string>{"resolved", "connect", "success 0", "start", "stop", "success 9",
                                                 "success 14"}));
    const std::string stored = server.HomePath() + "/cgi-bin/x.pl";
    EXPECT_TRUE(ReadFile(stored) == bytes);
    EXPECT_EQ(std::filesystem::status(stored).permissions() & std::filesystem::perms::all,
              static_cast<std::filesystem::perms>(0755));
    const std::vector<std::string> commands = server.Commands();
    EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS", "CWD", "TYPE", passive ? "PASV" : "PORT",
                                                        "STOR", "SITE chmod 755 x.pl"}));
    ASSERT_EQ(commands.size(), 7u);
    EXPECT_EQ(commands[0], "USER tester");
    EXPECT_EQ(commands[1], "PASS " + server.Password);
    EXPECT_EQ(commands[2], "CWD /cgi-bin");
    EXPECT_EQ(commands[3], "TYPE I");
    if (!passive) {
      EXPECT_EQ(commands[4].rfind("PORT 127,0,0,1,", 0), 0u) << commands[4];
    }
    EXPECT_EQ(commands[5], "STOR /cgi-bin/x.pl");
    EXPECT_TRUE(ftp_->Connected());
    const bool progress = std::find(shown_.begin(), shown_.end(), "Sent " + std::to_string(bytes.size()) + " bytes") !=
                          shown_.end();
    EXPECT_EQ(progress, passive);
  }
}

TEST_F(FtpClient, ConnectFailuresFireTheirEventsAndRaise) {
  TFtpTestServer server;
  TFtpTestServer silent("silent");
  TFtpTestServer account("ask-account");
  struct TCase {
    const char* name;
    std::string host;
    int port;
    std::string password;
    std::vector<std::string> events;
    std::string error;
  };
  const std::vector<TCase> cases = {
      {"wrong password", "127.0.0.1", server.Port(), "wrong", {"resolved", "connection failed"}, "530"},
      {"unknown host", "no-such-host.invalid", server.Port(), "", {"invalid host"}, "Invalid host no-such-host.invalid"},
      {"refused", "127.0.0.1", 1, "", {"resolved", "error 111", "connection failed"}, "Connection refused"},
      {"never answers", "127.0.0.1", silent.Port(), "", {"resolved", "error 110", "connection failed"},
       "No reply from the server"},
      {"account required", "127.0.0.1", account.Port(), "", {"resolved", "authentication failed"}, "account"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    events_.clear();
    LogInTo(server, c.password);
    ftp_->Host = c.host;
    ftp_->Port = c.port;
    ftp_->TimeOut = c.port == silent.Port() ? 700 : 30000;
    // Each failure names its own cause: one that had waited for the time-out would say "No reply".
    const std::string error = ErrorOf([&] { ftp_->Connect(); });
    EXPECT_TRUE(Contains(error, c.error)) << error;
    EXPECT_EQ(events_, c.events);
    EXPECT_FALSE(ftp_->Connected());
  }
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS"}));
}

TEST_F(FtpClient, TheHostMayNameThePort) {
  TFtpTestServer server;
  LogInTo(server);
  ftp_->Port = 1;
  const std::string port = std::to_string(server.Port());
  for (const auto& [host, connects] : std::vector<std::pair<std::string, bool>>{
           {"127.0.0.1:" + port, true}, {"localhost:" + port, true}, {"127.0.0.1:99999", false},
           {"127.0.0.1:", false}, {":" + port, false}, {"127.0.0.1:" + port + "x", false}}) {
    ftp_->Host = host;
    EXPECT_EQ(ErrorOf([&] { ftp_->Connect(); }).empty(), connects) << host;
    EXPECT_EQ(ftp_->Connected(), connects) << host;
  }
}

TEST_F(FtpClient, HandledInvalidHostRaisesNothing) {
  handleFailures_ = true;
  ftp_->Host = "no-such-host.invalid";
  ftp_->TimeOut = 2000;
  EXPECT_EQ(ErrorOf([&] { ftp_->Connect(); }), "");
  EXPECT_EQ(events_, std::vector<std::string>{"invalid host"});
}

TEST_F(FtpClient, RefusedCommandsFailWithTheirTypeAndOnlyCodes500To502AreUnsupported) {
  struct TCase {
    const char* name;
    int chmodCode;
    std::string command;
    std::vector<std::string> events;
  };
  const std::vector<TCase> cases = {
      {"missing directory", 502, "CWD /missing", {"failure 0"}},
      {"chmod 500", 500, "SITE chmod 755 x.pl", {"unsupported 14", "failure 14"}},
      {"chmod 501", 501, "SITE chmod 755 x.pl", {"unsupported 14", "failure 14"}},
      {"chmod 502", 502, "SITE chmod 755 x.pl", {"unsupported 14", "failure 14"}},
      {"chmod 550", 550, "SITE chmod 755 x.pl", {"failure 14"}},
      {"making a directory", 502, "MKD made", {"success 1"}},
      {"current directory", 502, "PWD", {"success 15"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TFtpTestServer server("refuse-chmod", c.chmodCode);
    LogInTo(server);
    const bool failed = c.events.back().rfind("failure", 0) == 0;
    for (const bool handled : failed ? std::vector<bool>{false, true} : std::vector<bool>{false}) {
      handleFailures_ = handled;
      EXPECT_EQ(ErrorOf([&] { ftp_->Connect(); }), "");
      events_.clear();
      const std::string error = ErrorOf([&] { ftp_->DoCommand(c.command); });
      EXPECT_EQ(events_, c.events);
      EXPECT_EQ(!error.empty(), failed && !handled) << error;
    }
  }
}

TEST_F(FtpClient, ARefusedStoreFailsTheUploadInBothDataModes) {
  TFtpTestServer server;
  LogInTo(server);
  for (const bool passive : {false, true}) {
    ftp_->Passive = passive;
    ftp_->Connect();
    events_.clear();
    const std::string error = ErrorOf([&] { ftp_->Upload(LocalFile("print 1;"), "/missing/x.pl"); });
    EXPECT_TRUE(Contains(error, "550")) << error;
    EXPECT_EQ(events_, std::vector<std::string>{"failure 9"});
    EXPECT_TRUE(ftp_->Connected());  // the dialogue goes on
  }
}

TEST_F(FtpClient, TheServerHangingUpDuringATransferIsADisconnect) {
  TFtpTestServer server("drop-transfer");
  LogInTo(server);
  ftp_->Connect();
  events_.clear();
  const std::string error = ErrorOf([&] { ftp_->Upload(LocalFile(Payload(16 * 1024 * 1024)), "big.bin"); });
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(events_.front(), "start");
  EXPECT_NE(std::find(events_.begin(), events_.end(), "disconnect"), events_.end());
  EXPECT_FALSE(ftp_->Connected());
}

TEST_F(FtpClient, AServerThatStopsServingTheDataConnectionEndsTheUploadByTimeOut) {
  struct TCase {
    const char* mode;
    std::size_t size;  // more than the socket buffers hold, where the transfer must stall
    bool started;
    std::string error;
  };
  const TCase cases[] = {
      {"no-data", 100, false, "The server opened no data connection"},
      {"stall-data", 64 * 1024 * 1024, true, "The data transfer stalled"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.mode);
    TFtpTestServer server(c.mode);
    LogInTo(server);
    ftp_->Connect();
    events_.clear();
    // The dialogue keeps the long time-out; the silence of the data connection gets a short one.
    ftp_->OnStatus = [&](TComponent*, const std::string& text) {
      if (text.rfind("STOR ", 0) == 0) ftp_->TimeOut = 700;
    };
    const std::string local = LocalFile(Payload(c.size));
    const auto started = std::chrono::steady_clock::now();
    const std::string error = ErrorOf([&] { ftp_->Upload(local, "x.bin"); });
    EXPECT_TRUE(Contains(error, c.error)) << error;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_EQ(std::find(events_.begin(), events_.end(), "start") != events_.end(), c.started);
    EXPECT_EQ(std::find(events_.begin(), events_.end(), "success 9"), events_.end());
  }
}

TEST_F(FtpClient, FieldsWithLineBreaksAreRefusedBeforeAnythingIsSent) {
  TFtpTestServer server;
  struct TCase {
    const char* name;
    std::string TNMFTP::*field;
    std::string value;
  };
  const std::vector<TCase> fieldCases = {{"host", &TNMFTP::Host, "127.0.0.1\r\nSITE x"},
                                         {"user", &TNMFTP::UserID, "tester\nDELE y"},
                                         {"password", &TNMFTP::Password, "pw\rRMD z"}};
  for (const TCase& c : fieldCases) {
    SCOPED_TRACE(c.name);
    LogInTo(server);
    ftp_->Host = "127.0.0.1";
    (*ftp_).*c.field = c.value;
    events_.clear();
    shown_.clear();
    const std::string error = ErrorOf([&] { ftp_->Connect(); });
    EXPECT_TRUE(Contains(error, "contains a line break; nothing was sent")) << error;
    ASSERT_FALSE(shown_.empty());
    EXPECT_EQ(shown_.front(), error);  // the status says it first
    EXPECT_EQ(events_, std::vector<std::string>{"connection failed"});
  }
  EXPECT_TRUE(server.Commands().empty());

  LogInTo(server);
  ftp_->Connect();
  const std::vector<std::function<void()>> operations = {
      [&] { ftp_->ChangeDir("/cgi-bin\r\nDELE x"); }, [&] { ftp_->DoCommand("SITE chmod 755 a\nDELE x"); },
      [&] { ftp_->Upload(LocalFile("print 1;"), "a.pl\r\nDELE x"); }};
  for (const auto& operation : operations)
    EXPECT_TRUE(Contains(ErrorOf(operation), "contains a line break; nothing was sent"));
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS"}));
}

TEST_F(FtpClient, ThePasswordIsMaskedWhereItIsSentAndNowhereElse) {
  // A password made of characters that other texts hold: the address, the port, the reply codes.
  struct Case {
    const char* name;
    const char* mode;
    bool refused;        // nobody listens at the port
    const char* error;   // part of the error text
  };
  for (const Case& c : {Case{"wrong password", "normal", false, "530"},
                        Case{"nobody listens", "normal", true, "Cannot connect to 127.0.0.1"},
                        Case{"the reply quotes the password", "echo-password", false,
                             "530 Password ****** is not the one of tester."}}) {
    SCOPED_TRACE(c.name);
    TFtpTestServer server(c.mode);
    const int port = c.refused ? 1 : server.Port();
    shown_.clear();
    LogInTo(server, "127");
    ftp_->Port = port;
    const std::string error = ErrorOf([&] { ftp_->Connect(); });
    EXPECT_TRUE(Contains(error, c.error)) << error;
    bool masked = false;
    bool connecting = false;
    for (const std::string& text : shown_) {
      EXPECT_FALSE(Contains(text, "*****.") || Contains(text, "PASS 127") || Contains(text, " 127 ")) << text;
      masked = masked || text == "PASS ******";
      connecting = connecting || Contains(text, "Connecting to 127.0.0.1:" + std::to_string(port));
    }
    EXPECT_EQ(masked, !c.refused);
    EXPECT_TRUE(connecting);
  }
}

TEST_F(FtpClient, UploadNeedsAConnectionAndAReadableFile) {
  EXPECT_EQ(ErrorOf([&] { ftp_->Upload(LocalFile("print 1;"), "a.pl"); }), "Not Connected");
  EXPECT_EQ(events_, std::vector<std::string>{"connection required"});

  TFtpTestServer server;
  LogInTo(server);
  ftp_->Connect();
  const std::string error = ErrorOf([&] { ftp_->Upload(folder_ + "/absent.pl", "a.pl"); });
  EXPECT_TRUE(Contains(error, "Cannot open the file")) << error;
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS"}));
}

TEST_F(FtpClient, EventsAreProcessedDuringATransferAndAbortCancelsIt) {
  TFtpTestServer server;
  LogInTo(server);
  ftp_->Connect();
  std::string refusal;
  bool aborted = false;
  ftp_->OnTransactionStart = [&](TObject*) {
    // Runs from the event loop while the upload waits, as a click on Cancel would.
    QTimer::singleShot(0, [&] {
      refusal = ErrorOf([&] { ftp_->ChangeDir("/"); });
      ftp_->Abort();
    });
  };
  try {
    ftp_->Upload(LocalFile(Payload(64 * 1024 * 1024)), "big.bin");
  } catch (const EAbort&) {
    aborted = true;
  }
  EXPECT_TRUE(aborted);
  EXPECT_TRUE(Contains(refusal, "still in progress")) << refusal;
  EXPECT_EQ(server.Verbs(), (std::vector<std::string>{"USER", "PASS", "TYPE", "PORT", "STOR"}));
}

}  // namespace
