#pragma once
// Worker threads that reach the GUI thread by synchronised calls, and critical sections.
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "vcl/Classes.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

using TThreadMethod = std::function<void()>;

// One thread of execution: Execute runs on it once it is resumed. A thread whose FreeOnTerminate is
// set deletes itself after OnTerminate has run on the GUI thread. Every thread is created suspended:
// a base class cannot start running a derived Execute before the derived part is built.
class TThread : public TObject {
 public:
  TThread() = default;
  // A thread still running is asked to stop and waited for. A derived class whose Execute uses its
  // own members must do that in its own destructor already.
  ~TThread() override;
  std::string ClassName() const override { return "TThread"; }

  // Starts a thread created suspended; a thread already started is left alone.
  void Resume();
  void Start() { Resume(); }
  bool Suspended() const;
  // Asks Execute to stop; it looks at Terminated and returns by itself.
  void Terminate();
  bool Terminated() const;
  bool Finished() const;
  // Waits until Execute has returned and gives its ReturnValue. On the GUI thread the synchronised
  // calls of workers go on being served meanwhile, so a worker waiting in Synchronize cannot block it.
  int WaitFor();

  TThreadPriority Priority() const;
  // Lower priorities are always granted; a higher one than the process's may be refused by the
  // system, and the thread then keeps what it had.
  void SetPriority(TThreadPriority Value);

  bool FreeOnTerminate = false;
  // Runs on the GUI thread after Execute has returned.
  TNotifyEvent OnTerminate;
  // The exception that escaped Execute, if one did.
  std::exception_ptr FatalException() const { return fatalException_; }

  // Runs Method on the GUI thread while the calling thread waits; an exception it throws is raised
  // again in the caller. Called on the GUI thread, it runs Method at once.
  static void Synchronize(const TThreadMethod& Method);

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  int ReturnValue = 0;

 private:
  void Run();
  void ApplyPriority();

  mutable std::mutex mutex_;
  std::condition_variable finishedSignal_;
  std::thread thread_;
  bool started_ = false;
  bool finished_ = false;
  std::atomic<bool> terminated_{false};
  TThreadPriority priority_ = tpNormal;
  int systemId_ = 0;  // the kernel's id of the running thread, 0 before it runs
  std::exception_ptr fatalException_;
};

// True on the thread that runs the application's event loop.
bool InMainThread();

// Serves the synchronised calls that workers have queued; waits up to TimeoutMs for one to arrive when
// none is waiting. True when at least one ran. Only the GUI thread serves them.
bool CheckSynchronize(int TimeoutMs = 0);

// A lock that the thread holding it may take again (as the system's critical sections behave).
class TCriticalSection : public TObject {
 public:
  void Acquire() { mutex_.lock(); }
  void Release() { mutex_.unlock(); }
  void Enter() { Acquire(); }
  void Leave() { Release(); }
  bool TryEnter() { return mutex_.try_lock(); }
  // So that std::lock_guard can hold it for a scope.
  void lock() { Acquire(); }
  void unlock() { Release(); }
  std::string ClassName() const override { return "TCriticalSection"; }

 private:
  std::recursive_mutex mutex_;
};
