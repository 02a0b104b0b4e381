#include "inet/NMFTP.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "win/FileNames.h"

namespace {

constexpr std::size_t FileChunkSize = 256 * 1024;
constexpr auto ProgressInterval = std::chrono::milliseconds(500);
const char* const PasswordMask = "******";

bool HasLineBreak(const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos; }

bool StartsWithText(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool IsRefusal(const TFtpReply& reply) { return reply.Code >= 400 && reply.Code < 600; }
bool IsUnsupported(const TFtpReply& reply) { return reply.Code >= 500 && reply.Code <= 502; }

sockaddr_in LocalAddress(int handle) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length);
  return address;
}

// "h1,h2,h3,h4,p1,p2" of an IPv4 address and port, both in network byte order as stored.
std::string PortArgument(const sockaddr_in& address) {
  const auto* ip = reinterpret_cast<const unsigned char*>(&address.sin_addr.s_addr);
  const auto* port = reinterpret_cast<const unsigned char*>(&address.sin_port);
  return Format("%u,%u,%u,%u,%u,%u", unsigned{ip[0]}, unsigned{ip[1]}, unsigned{ip[2]}, unsigned{ip[3]},
                unsigned{port[0]}, unsigned{port[1]});
}

// The port of a 227 reply "Entering Passive Mode (h1,h2,h3,h4,p1,p2)", or 0 when it names none.
// The address is not used: data goes to the host of the control connection, so a reply cannot
// point the upload at another machine.
int PassivePort(const TFtpReply& reply) {
  const std::string text = reply.Text().substr(3);
  for (std::size_t start = text.find_first_of("0123456789"); start != std::string::npos;
       start = text.find_first_of("0123456789", start + 1)) {
    unsigned values[6];
    int consumed = 0;
    if (std::sscanf(text.c_str() + start, "%u,%u,%u,%u,%u,%u%n", &values[0], &values[1], &values[2], &values[3],
                    &values[4], &values[5], &consumed) == 6 &&
        consumed > 0) {
      bool bytes = true;
      for (unsigned value : values) bytes = bytes && value < 256;
      const int port = static_cast<int>(values[4] * 256 + values[5]);
      if (bytes && port > 0) return port;
    }
  }
  return 0;
}

}  // namespace

TNMFTP::TNMFTP(TComponent* AOwner) : TPowersock(AOwner) { Port = 21; }

TCmdType TNMFTP::CommandType(const std::string& CommandStr) {
  if (StartsWithText(CommandStr, "CWD ")) return cmdChangeDir;
  if (StartsWithText(CommandStr, "DELE ")) return cmdDelete;
  if (StartsWithText(CommandStr, "MKD ")) return cmdMakeDir;
  if (StartsWithText(CommandStr, "RMD ")) return cmdRemoveDir;
  if (SameText(CommandStr, "PWD")) return cmdCurrentDir;
  return cmdDoCommand;
}

// ---------------------------------------------------------------------------------------------------
// Connecting and logging in

void TNMFTP::Connect() {
  BeginOperation();
  control_.Close();
  loggedIn_ = false;
  parser_ = TFtpReplyParser();
  secretInReplies_.clear();
  try {
    RefuseLineBreaks(Host, "host name");
    RefuseLineBreaks(UserID, "user ID");
    RefuseLineBreaks(Password, "password");
  } catch (const ESockError&) {
    Fire(OnConnectionFailed, this);
    throw;
  }
  std::uint32_t address = 0;
  if (!ResolveHost(address)) return;
  bool accountRequired = false;
  try {
    control_ = OpenConnection(address, HostPort());
    peerAddress_ = address;
    accountRequired = !LogIn();
  } catch (const ESockError&) {
    control_.Close();
    Fire(OnConnectionFailed, this);
    throw;
  }
  if (accountRequired) {
    control_.Close();
    bool handled = false;
    Fire(OnAuthenticationFailed, handled);
    if (!handled) RaiseError("The server asks for an account, which this program cannot give.");
    return;
  }
  loggedIn_ = true;
  Fire(OnConnect, this);
}

bool TNMFTP::LogIn() {
  TFtpReply reply = ReadReply();
  if (reply.Code != 220) RaiseError(reply.Text());  // a refusal, or a greeting that is none
  SendCommand("USER " + UserID);
  reply = ReadReply();
  if (reply.Code == 331) {
    SendCommand("PASS " + Password, "PASS " + std::string(PasswordMask));
    // A server knows the password from here on and may quote it in any later reply, not only in the one
    // to PASS: every server text of this connection is masked.
    secretInReplies_ = Password;
    reply = ReadReply();
  }
  if (reply.Code == 332) return false;
  if (reply.Code != 230 && reply.Code != 202) RaiseError(reply.Text());
  return true;
}

// ---------------------------------------------------------------------------------------------------
// Commands

void TNMFTP::ChangeDir(const std::string& DirName) {
  BeginOperation();
  if (!CheckConnected()) return;
  RefuseLineBreaks(DirName, "directory name");
  Transaction("CWD " + DirName, cmdChangeDir);
}

void TNMFTP::DoCommand(const std::string& CommandStr) {
  BeginOperation();
  if (!CheckConnected()) return;
  RefuseLineBreaks(CommandStr, "command");
  Transaction(CommandStr, CommandType(CommandStr));
}

void TNMFTP::Transaction(const std::string& command, TCmdType type) {
  SendCommand(command);
  const TFtpReply reply = ReadReply();
  if (IsRefusal(reply)) return Fail(type, reply);
  Fire(OnSuccess, type);
}

void TNMFTP::Fail(TCmdType type, const TFtpReply& reply) {
  if (IsUnsupported(reply)) Fire(OnUnSupportedFunction, type);
  bool handled = false;
  Fire(OnFailure, handled, type);
  if (!handled) RaiseError(reply.Text());
}

bool TNMFTP::CheckConnected() {
  if (Connected()) return true;
  bool handled = false;
  Fire(OnConnectionRequired, handled);
  if (!handled) RaiseError("Not Connected");
  return false;
}

void TNMFTP::RefuseLineBreaks(const std::string& text, const std::string& what) {
  if (!HasLineBreak(text)) return;
  const std::string message = "The " + what + " contains a line break; nothing was sent.";
  ReportStatus(message);
  RaiseError(message);
}

// ---------------------------------------------------------------------------------------------------
// The control connection

void TNMFTP::SendCommand(const std::string& line, const std::string& shown) {
  ReportStatus(shown);
  const std::string wire = line + "\r\n";
  SendAll(control_, wire.data(), wire.size());
}

TFtpReply TNMFTP::ReadReply(bool acceptPreliminary) { return ReadReplyUntil(Deadline(), acceptPreliminary); }

TFtpReply TNMFTP::ReadReplyUntil(TClock::time_point deadline, bool acceptPreliminary) {
  for (;;) {
    while (parser_.HasReply()) {
      TFtpReply reply = parser_.TakeReply();
      for (std::string& line : reply.Lines) line = Masked(line);
      ReportStatus(reply.Text());
      if (!reply.IsPreliminary() || acceptPreliminary) return reply;
    }
    if (parser_.Failed()) {
      control_.Close();
      loggedIn_ = false;
      RaiseError(Masked(parser_.ErrorText()));  // it quotes the server's line
    }
    if (!WaitFor(control_.Handle(), false, deadline)) {
      // The dialogue is out of step now: a late reply would be taken for the next one.
      control_.Close();
      loggedIn_ = false;
      RaiseSocketError(ETIMEDOUT, "No reply from the server");
    }
    ReceiveIntoParser();
  }
}

std::string TNMFTP::Masked(std::string text) const {
  if (secretInReplies_.empty()) return text;
  for (std::size_t at = text.find(secretInReplies_); at != std::string::npos;
       at = text.find(secretInReplies_, at + std::strlen(PasswordMask)))
    text.replace(at, secretInReplies_.size(), PasswordMask);
  return text;
}

void TNMFTP::ReceiveIntoParser() {
  char buffer[4096];
  const ssize_t received = ::recv(control_.Handle(), buffer, sizeof buffer, 0);
  if (received > 0) return parser_.Feed(std::string_view(buffer, static_cast<std::size_t>(received)));
  if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
  LoseControlConnection();
}

void TNMFTP::LoseControlConnection() {
  control_.Close();
  const bool wasLoggedIn = std::exchange(loggedIn_, false);
  if (wasLoggedIn) Fire(OnDisconnect, this);
  RaiseError("The server closed the connection.");
}

// ---------------------------------------------------------------------------------------------------
// Uploading

void TNMFTP::Upload(const std::string& LocalFile, const std::string& RemoteFile) {
  BeginOperation();
  if (!CheckConnected()) return;
  RefuseLineBreaks(RemoteFile, "remote file name");
  TDescriptor file(::open(LocalFile.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.Valid()) RaiseError("Cannot open the file " + FileNameToText(LocalFile) + " (" + std::strerror(errno) + ")");
  struct stat info {};
  if (::fstat(file.Handle(), &info) != 0 || !S_ISREG(info.st_mode))
    RaiseError("Cannot open the file " + FileNameToText(LocalFile) + " (it is not a regular file)");
  SendCommand("TYPE I");  // the file's bytes go as they are, line ends included
  TFtpReply reply = ReadReply();
  if (reply.Code >= 300) return Fail(cmdUpload, reply);

  TDescriptor listener;
  TDescriptor data;
  if (Passive) {
    SendCommand("PASV");
    reply = ReadReply();
    if (reply.Code >= 300) return Fail(cmdUpload, reply);
    const int port = PassivePort(reply);
    if (port == 0) RaiseError("The server named no data port: " + reply.Text());
    data = OpenConnection(peerAddress_, port);
  } else {
    listener = ListenForData();
    SendCommand("PORT " + PortArgument(LocalAddress(listener.Handle())));
    reply = ReadReply();
    if (reply.Code >= 300) return Fail(cmdUpload, reply);
  }
  SendCommand("STOR " + RemoteFile);
  reply = ReadReply(true);
  if (!reply.IsPreliminary()) return Fail(cmdUpload, reply);
  if (!Passive) data = AcceptData(listener);
  listener.Close();
  if (!data.Valid()) return;

  Fire(OnTransactionStart, this);
  if (!SendFile(file, std::move(data))) return;
  Fire(OnTransactionStop, this);
  reply = ReadReply();
  // A transfer the server reports as failed is not a success, whatever came before.
  if (reply.Code >= 300) return Fail(cmdUpload, reply);
  Fire(OnSuccess, cmdUpload);
}

TDescriptor TNMFTP::ListenForData() {
  TDescriptor listener(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!listener.Valid()) RaiseSocketError(errno, "Cannot create the data socket");
  sockaddr_in address = LocalAddress(control_.Handle());  // the server reaches us where it is reached
  address.sin_port = 0;
  if (::bind(listener.Handle(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener.Handle(), 1) != 0)
    RaiseSocketError(errno, "Cannot open the data port");
  return listener;
}

TDescriptor TNMFTP::AcceptData(const TDescriptor& listener) {
  const auto deadline = Deadline();
  for (;;) {
    TWaitItem items[2] = {{listener.Handle(), false, false}, {control_.Handle(), false, false}};
    if (!WaitForAny(items, 2, deadline)) RaiseSocketError(ETIMEDOUT, "The server opened no data connection");
    if (items[1].Ready) {
      // A final reply before the server connects means it gives up on the transfer.
      ReceiveIntoParser();
      if (!parser_.HasReply() && !parser_.Failed()) continue;
      const TFtpReply reply = ReadReply(true);
      if (reply.IsPreliminary()) continue;
      Fail(cmdUpload, reply);
      return TDescriptor();
    }
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    TDescriptor data(::accept4(listener.Handle(), reinterpret_cast<sockaddr*>(&peer), &length,
                               SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (!data.Valid()) {
      if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNABORTED) continue;
      RaiseSocketError(errno, "Cannot accept the data connection");
    }
    // Only the server may deliver into the transfer; anybody else is turned away.
    if (ntohl(peer.sin_addr.s_addr) == peerAddress_) return data;
  }
}

bool TNMFTP::SendFile(const TDescriptor& file, TDescriptor data) {
  TWaitScope scope(*this);
  std::vector<char> buffer(FileChunkSize);
  std::size_t pending = 0;
  std::size_t offset = 0;
  long long total = 0;
  auto lastProgress = TClock::now();
  auto deadline = Deadline();
  for (;;) {
    if (offset == pending) {
      const ssize_t got = ::read(file.Handle(), buffer.data(), buffer.size());
      if (got < 0) RaiseError(std::string("Cannot read the file (") + std::strerror(errno) + ")");
      if (got == 0) break;
      pending = static_cast<std::size_t>(got);
      offset = 0;
    }
    const ssize_t sent = ::send(data.Handle(), buffer.data() + offset, pending - offset, MSG_NOSIGNAL);
    if (sent > 0) {
      offset += static_cast<std::size_t>(sent);
      total += sent;
      deadline = Deadline();
      if (ReportLevel > 0 && TClock::now() - lastProgress >= ProgressInterval) {
        lastProgress = TClock::now();
        ReportStatus("Sent " + IntToStr(total) + " bytes");
      }
      KeepResponsive();
      continue;
    }
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      // The data connection broke: the server's reply (or its hanging up) tells why.
      const int error = errno;
      data.Close();
      const TFtpReply reply = ReadReply();
      if (reply.Code < 300) RaiseSocketError(error, "The data connection broke");
      Fail(cmdUpload, reply);
      return false;
    }
    TWaitItem items[2] = {{data.Handle(), true, false}, {control_.Handle(), false, false}};
    if (!WaitForAny(items, 2, deadline)) RaiseSocketError(ETIMEDOUT, "The data transfer stalled");
    if (items[1].Ready) {
      // The server speaks in the middle of the transfer: it has given up on it.
      ReceiveIntoParser();
      if (parser_.HasReply() || parser_.Failed()) {
        data.Close();
        Fail(cmdUpload, ReadReply());
        return false;
      }
    }
  }
  if (ReportLevel > 0) ReportStatus("Sent " + IntToStr(total) + " bytes");
  return true;
}
