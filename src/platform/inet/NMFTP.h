#pragma once
// The FTP client component: logs in, changes directory, sends raw commands and uploads files.
// Each operation blocks its caller while the program's events go on being processed, and the
// component's events fire inside the call. It never sends "QUIT": the control connection closes
// when the component is destroyed.
#include <cstdint>
#include <string>

#include "inet/FtpReply.h"
#include "inet/Powersock.h"

// Transaction types, numbered as the failure and success events report them.
enum TCmdType {
  cmdChangeDir = 0,
  cmdMakeDir = 1,
  cmdDelete = 2,
  cmdRemoveDir = 3,
  cmdList = 4,
  cmdRename = 5,
  cmdUpRestore = 6,
  cmdDownRestore = 7,
  cmdDownload = 8,
  cmdUpload = 9,
  cmdAppend = 10,
  cmdReInit = 11,
  cmdAllocate = 12,
  cmdNList = 13,
  cmdDoCommand = 14,
  cmdCurrentDir = 15,
};

using TOnSuccessEvent = TEvent<void(TCmdType Trans_Type)>;
using TOnFailureEvent = TEvent<void(bool& Handled, TCmdType Trans_Type)>;
using TOnUnSupportedFunctionEvent = TEvent<void(TCmdType Trans_Type)>;
using TListItemEvent = TEvent<void(const std::string& Listing)>;

class TNMFTP : public TPowersock {
 public:
  explicit TNMFTP(TComponent* AOwner);
  std::string ClassName() const override { return "TNMFTP"; }

  std::string UserID;
  std::string Password;
  bool Passive = false;  // false: the server connects back to a port named by "PORT"

  bool Connected() const { return loggedIn_ && control_.Valid(); }

  // Resolves the host, connects, reads the greeting and logs in ("USER ", "PASS " on 331).
  // A refusal fires OnConnectionFailed and raises the error; success fires OnConnect.
  void Connect();
  // "CWD " + directory.
  void ChangeDir(const std::string& DirName);
  // Sends the command as it stands; its transaction type follows from its beginning.
  void DoCommand(const std::string& CommandStr);
  // Sends the local file's bytes, unchanged, to be stored under the remote name.
  void Upload(const std::string& LocalFile, const std::string& RemoteFile);

  // The transaction type that DoCommand reports for a command.
  static TCmdType CommandType(const std::string& CommandStr);

  TNotifyEvent OnConnect;
  TOnSuccessEvent OnSuccess;
  TOnFailureEvent OnFailure;  // Handled = true: no error is raised
  TOnUnSupportedFunctionEvent OnUnSupportedFunction;
  THandlerEvent OnAuthenticationFailed;
  THandlerEvent OnConnectionRequired;
  TNotifyEvent OnTransactionStart;
  TNotifyEvent OnTransactionStop;
  TListItemEvent OnListItem;

 private:
  // False when the server asks for an account after the password.
  bool LogIn();
  // Sends one command line; the shown form goes to the status (the password is shown masked where it is
  // sent; texts composed here, such as the host name, are no secret even where they hold its characters).
  void SendCommand(const std::string& line, const std::string& shown);
  void SendCommand(const std::string& line) { SendCommand(line, line); }
  // The next final reply (preliminary 1xx replies are reported and skipped unless asked for).
  TFtpReply ReadReply(bool acceptPreliminary = false);
  TFtpReply ReadReplyUntil(TClock::time_point deadline, bool acceptPreliminary);
  // The server's text with the secret it was told on this connection (the password) masked.
  std::string Masked(std::string text) const;
  void ReceiveIntoParser();
  [[noreturn]] void LoseControlConnection();
  // A command whose reply decides success or failure of the transaction type.
  void Transaction(const std::string& command, TCmdType type);
  // Fires the unsupported-function and failure events; raises unless a handler took care of it.
  // Returns normally only when the failure was handled.
  void Fail(TCmdType type, const TFtpReply& reply);
  bool CheckConnected();
  void RefuseLineBreaks(const std::string& text, const std::string& what);

  TDescriptor ListenForData();
  // The server's data connection; an invalid one when the server gave up and a handler took
  // care of the failure.
  TDescriptor AcceptData(const TDescriptor& listener);
  // False when the server gave up and a handler took care of the failure.
  bool SendFile(const TDescriptor& file, TDescriptor data);

  TDescriptor control_;
  TFtpReplyParser parser_;
  bool loggedIn_ = false;
  std::string secretInReplies_;
  std::uint32_t peerAddress_ = 0;
};
