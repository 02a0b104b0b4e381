#pragma once
// The socket component under the internet components: one TCP connection to a named host, with
// waits that keep the program's window working (events are processed while a call waits), a
// time-out on every wait, and an abort that cancels the wait in progress.
#include <chrono>
#include <cstdint>
#include <string>

#include "vcl/Classes.h"
#include "vcl/Events.h"
#include "vcl/SysUtils.h"

// What the internet components raise when the network or the server lets them down.
class ESockError : public Exception {
  using Exception::Exception;
};

// Owns one socket or file descriptor and closes it.
class TDescriptor {
 public:
  TDescriptor() = default;
  explicit TDescriptor(int handle) : handle_(handle) {}
  TDescriptor(TDescriptor&& other) noexcept;
  TDescriptor& operator=(TDescriptor&& other) noexcept;
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  ~TDescriptor();

  int Handle() const { return handle_; }
  bool Valid() const { return handle_ >= 0; }
  void Close();

 private:
  int handle_ = -1;
};

using THandlerEvent = TEvent<void(bool& Handled)>;
using TOnErrorEvent = TEvent<void(TComponent* Sender, int Errno, const std::string& Errmsg)>;
using TOnStatusEvent = TEvent<void(TComponent* Sender, const std::string& Status)>;

class TPowersock : public TComponent {
 public:
  using TClock = std::chrono::steady_clock;
  static constexpr int DefaultTimeOut = 30000;

  explicit TPowersock(TComponent* AOwner);
  std::string ClassName() const override { return "TPowersock"; }

  // A name or an IPv4 address; "name:number" names the port too and then replaces Port.
  std::string Host;
  int Port = 0;
  // Milliseconds allowed for each wait (resolving, connecting, each reply, each step of a
  // transfer); a value of 0 or below means the default, so no wait is ever endless.
  int TimeOut = DefaultTimeOut;
  // 0 reports the dialogue with the server; higher levels add the progress of transfers.
  int ReportLevel = 0;

  // Cancels the network wait in progress: the waiting call raises EAbort. Sends nothing, and
  // does nothing when no call is waiting.
  void Abort();

  TNotifyEvent OnHostResolved;
  THandlerEvent OnInvalidHost;  // Handled = true: no error is raised
  TNotifyEvent OnConnectionFailed;
  TNotifyEvent OnDisconnect;
  TOnErrorEvent OnError;
  TOnStatusEvent OnStatus;

 protected:
  // One socket to wait for, reading or writing; Ready tells which ones woke the wait.
  struct TWaitItem {
    int Handle = -1;
    bool ForWrite = false;
    bool Ready = false;
  };

  TClock::time_point Deadline() const;
  // Waits until one of the items is ready (true) or the deadline has passed (false), processing
  // the program's events meanwhile. Raises EAbort when Abort is called during the wait.
  bool WaitForAny(TWaitItem* items, int count, TClock::time_point deadline);
  bool WaitFor(int handle, bool forWrite, TClock::time_point deadline);

  // Host without a port named in it, and the port to connect to.
  std::string HostName() const;
  int HostPort() const;
  // The host's IPv4 address (host byte order); fires OnHostResolved or OnInvalidHost.
  // Returns false when the host could not be resolved and the handler took care of it.
  bool ResolveHost(std::uint32_t& address);
  // A connected TCP socket to address:port, or ESockError (after OnError) on refusal or time-out.
  TDescriptor OpenConnection(std::uint32_t address, int port);
  // Sends all bytes, waiting as needed; ESockError (after OnError) when the socket fails.
  void SendAll(const TDescriptor& socket, const char* data, std::size_t size);

  // Every operation starts with this: one started from an event processed during another
  // operation's wait is refused (the dialogue would be mixed up), and an abort asked for
  // earlier no longer applies.
  void BeginOperation();

  // Marks a stretch of work that is one wait as a whole (a transfer): Abort applies to it and
  // other operations are refused while it runs.
  class TWaitScope {
   public:
    explicit TWaitScope(TPowersock& owner) : owner_(owner) { ++owner_.waitDepth_; }
    ~TWaitScope() { --owner_.waitDepth_; }
    TWaitScope(const TWaitScope&) = delete;
    TWaitScope& operator=(const TWaitScope&) = delete;

   private:
    TPowersock& owner_;
  };
  // Inside a wait scope that does not block: processes the program's events when the last time
  // was a moment ago, and raises EAbort after Abort.
  void KeepResponsive();

  void ReportStatus(const std::string& text);
  // Fires OnError and raises ESockError, both with "what (the system's text for the error)".
  [[noreturn]] void RaiseSocketError(int errorNumber, const std::string& what);
  [[noreturn]] void RaiseError(const std::string& message);

 private:
  void ThrowIfAborted();

  int waitDepth_ = 0;
  bool abortRequested_ = false;
  TClock::time_point lastEvents_{};
};
