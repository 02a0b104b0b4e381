#include "inet/Powersock.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

// How long one poll may block before the program's events get their turn.
constexpr int PumpIntervalMs = 10;

std::string SystemErrorText(int errorNumber) { return std::strerror(errorNumber); }

// The position of the ":" in "name:number" with a port number from 1 to 65535, else npos.
std::size_t PortSeparator(const std::string& host) {
  const std::size_t colon = host.rfind(':');
  if (colon == std::string::npos || colon == 0 || host.find(':') != colon) return std::string::npos;
  const std::string digits = host.substr(colon + 1);
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
    return std::string::npos;
  const int port = std::stoi(digits);
  return port >= 1 && port <= 65535 ? colon : std::string::npos;
}

int MillisecondsUntil(TPowersock::TClock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TPowersock::TClock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
}

// The resolver may block for a long time, so it runs on a thread of its own; the caller stops
// waiting at its deadline and the thread finishes (and frees this) whenever it can.
struct TResolution {
  std::mutex lock;
  bool done = false;
  bool found = false;
  std::uint32_t address = 0;
  std::string error;
};

void Resolve(const std::shared_ptr<TResolution>& result, const std::string& host) {
  addrinfo hints{};
  hints.ai_family = AF_INET;  // the PORT command carries IPv4 addresses only
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  const int status = getaddrinfo(host.c_str(), nullptr, &hints, &list);
  std::lock_guard<std::mutex> guard(result->lock);
  if (status == 0 && list != nullptr) {
    result->found = true;
    result->address = ntohl(reinterpret_cast<const sockaddr_in*>(list->ai_addr)->sin_addr.s_addr);
  } else {
    result->error = gai_strerror(status);
  }
  if (list != nullptr) freeaddrinfo(list);
  result->done = true;
}

// The program's pending events, if it has an application object.
void ProcessNetworkWaitEvents() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// TDescriptor

TDescriptor::TDescriptor(TDescriptor&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

TDescriptor& TDescriptor::operator=(TDescriptor&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, -1);
  }
  return *this;
}

TDescriptor::~TDescriptor() { Close(); }

void TDescriptor::Close() {
  if (handle_ >= 0) ::close(std::exchange(handle_, -1));
}

// ---------------------------------------------------------------------------------------------------
// TPowersock

TPowersock::TPowersock(TComponent* AOwner) : TComponent(AOwner) {}

void TPowersock::Abort() {
  if (waitDepth_ > 0) abortRequested_ = true;
}

void TPowersock::BeginOperation() {
  if (waitDepth_ > 0) RaiseError("Another network operation is still in progress.");
  abortRequested_ = false;
}

TPowersock::TClock::time_point TPowersock::Deadline() const {
  return TClock::now() + std::chrono::milliseconds(TimeOut > 0 ? TimeOut : DefaultTimeOut);
}

void TPowersock::ThrowIfAborted() {
  if (!abortRequested_) return;
  abortRequested_ = false;
  throw EAbort("The network operation was cancelled.");
}

void TPowersock::KeepResponsive() {
  const auto now = TClock::now();
  if (now - lastEvents_ < std::chrono::milliseconds(PumpIntervalMs)) return;
  lastEvents_ = now;
  ProcessNetworkWaitEvents();
  ThrowIfAborted();
}

bool TPowersock::WaitForAny(TWaitItem* items, int count, TClock::time_point deadline) {
  TWaitScope scope(*this);
  std::vector<pollfd> polls(static_cast<std::size_t>(count));
  for (;;) {
    for (int i = 0; i < count; ++i) {
      polls[i] = pollfd{items[i].Handle, static_cast<short>(items[i].ForWrite ? POLLOUT : POLLIN), 0};
      items[i].Ready = false;
    }
    const int ready = ::poll(polls.data(), polls.size(), std::min(PumpIntervalMs, MillisecondsUntil(deadline)));
    if (ready < 0 && errno != EINTR) RaiseSocketError(errno, "Waiting for the network failed");
    if (ready > 0) {
      // Errors and hang-ups count as ready: the next read or write reports them.
      for (int i = 0; i < count; ++i) items[i].Ready = polls[i].revents != 0;
      return true;
    }
    lastEvents_ = TClock::now();
    ProcessNetworkWaitEvents();
    ThrowIfAborted();
    if (TClock::now() >= deadline) return false;
  }
}

bool TPowersock::WaitFor(int handle, bool forWrite, TClock::time_point deadline) {
  TWaitItem item{handle, forWrite, false};
  return WaitForAny(&item, 1, deadline);
}

std::string TPowersock::HostName() const {
  const std::size_t colon = PortSeparator(Host);
  return colon == std::string::npos ? Host : Host.substr(0, colon);
}

int TPowersock::HostPort() const {
  const std::size_t colon = PortSeparator(Host);
  return colon == std::string::npos ? Port : std::stoi(Host.substr(colon + 1));
}

bool TPowersock::ResolveHost(std::uint32_t& address) {
  const std::string name = HostName();
  ReportStatus("Resolving host " + name);
  auto result = std::make_shared<TResolution>();
  std::thread(Resolve, result, name).detach();
  const auto deadline = Deadline();
  // A pipe would let poll wake on the answer; resolving is rare enough to look every few ms.
  for (;;) {
    {
      std::lock_guard<std::mutex> guard(result->lock);
      if (result->done) break;
    }
    if (TClock::now() >= deadline) {
      std::lock_guard<std::mutex> guard(result->lock);
      result->error = "the name server did not answer in time";
      break;
    }
    WaitForAny(nullptr, 0, std::min(deadline, TClock::now() + std::chrono::milliseconds(PumpIntervalMs)));
  }
  std::string error;
  {
    std::lock_guard<std::mutex> guard(result->lock);
    if (result->done && result->found) {
      address = result->address;
      Fire(OnHostResolved, this);
      return true;
    }
    error = result->error;
  }
  bool handled = false;
  Fire(OnInvalidHost, handled);
  if (handled) return false;
  RaiseError("Invalid host " + name + ": " + error);
}

TDescriptor TPowersock::OpenConnection(std::uint32_t address, int port) {
  TDescriptor socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!socket.Valid()) RaiseSocketError(errno, "Cannot create a socket");
  sockaddr_in peer{};
  peer.sin_family = AF_INET;
  peer.sin_port = htons(static_cast<std::uint16_t>(port));
  peer.sin_addr.s_addr = htonl(address);
  in_addr shown{htonl(address)};
  ReportStatus(std::string("Connecting to ") + inet_ntoa(shown) + ":" + IntToStr(port));
  if (::connect(socket.Handle(), reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
    if (errno != EINPROGRESS) RaiseSocketError(errno, "Cannot connect to " + HostName());
    if (!WaitFor(socket.Handle(), true, Deadline())) RaiseSocketError(ETIMEDOUT, "Cannot connect to " + HostName());
    int failure = 0;
    socklen_t length = sizeof failure;
    ::getsockopt(socket.Handle(), SOL_SOCKET, SO_ERROR, &failure, &length);
    if (failure != 0) RaiseSocketError(failure, "Cannot connect to " + HostName());
  }
  const int on = 1;
  ::setsockopt(socket.Handle(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return socket;
}

void TPowersock::SendAll(const TDescriptor& socket, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t sent = ::send(socket.Handle(), data, size, MSG_NOSIGNAL);
    if (sent > 0) {
      data += sent;
      size -= static_cast<std::size_t>(sent);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
      if (!WaitFor(socket.Handle(), true, Deadline())) RaiseSocketError(ETIMEDOUT, "Sending failed");
    } else {
      RaiseSocketError(errno, "Sending failed");
    }
  }
}

void TPowersock::ReportStatus(const std::string& text) { Fire(OnStatus, this, text); }

void TPowersock::RaiseSocketError(int errorNumber, const std::string& what) {
  const std::string message = what + " (" + SystemErrorText(errorNumber) + ")";
  Fire(OnError, this, errorNumber, message);
  throw ESockError(message);
}

void TPowersock::RaiseError(const std::string& message) { throw ESockError(message); }
