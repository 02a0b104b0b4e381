#include "vcl/Threads.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <deque>

namespace {

struct SyncRequest {
  const TThreadMethod* method = nullptr;
  std::exception_ptr error;
  bool done = false;
};

struct SyncState {
  std::mutex mutex;
  std::condition_variable queued;
  std::condition_variable served;
  std::deque<SyncRequest*> queue;
};

// Never destroyed: a worker still waiting to be served when the program ends would otherwise block the
// exit for ever, as destroying a condition variable waits for its waiters.
SyncState& Sync() {
  static SyncState* const state = new SyncState;
  return *state;
}

// Static initialisation runs on the program's first thread, which is the GUI thread without an
// application object too.
const std::thread::id firstThreadId = std::this_thread::get_id();

void WakeMainThread() {
  if (QCoreApplication* app = QCoreApplication::instance())
    QMetaObject::invokeMethod(app, [] { CheckSynchronize(); }, Qt::QueuedConnection);
}

// The thread's nice value for each priority: the system's scale runs the other way round.
int NiceOf(TThreadPriority priority) {
  switch (priority) {
    case tpIdle: return 19;
    case tpLowest: return 10;
    case tpLower: return 4;
    case tpNormal: return 0;
    case tpHigher: return -4;
    case tpHighest: return -10;
    case tpTimeCritical: return -19;
  }
  return 0;
}

bool SetNice(int systemId, TThreadPriority priority) {
  return setpriority(PRIO_PROCESS, static_cast<id_t>(systemId), NiceOf(priority)) == 0;
}

}  // namespace

bool InMainThread() {
  if (QCoreApplication* app = QCoreApplication::instance()) return QThread::currentThread() == app->thread();
  return std::this_thread::get_id() == firstThreadId;
}

bool CheckSynchronize(int TimeoutMs) {
  if (!InMainThread()) return false;
  std::deque<SyncRequest*> pending;
  {
    std::unique_lock lock(Sync().mutex);
    if (Sync().queue.empty() && TimeoutMs > 0)
      Sync().queued.wait_for(lock, std::chrono::milliseconds(TimeoutMs), [] { return !Sync().queue.empty(); });
    pending.swap(Sync().queue);
  }
  for (SyncRequest* request : pending) {
    try {
      (*request->method)();
    } catch (...) {
      request->error = std::current_exception();
    }
    std::lock_guard lock(Sync().mutex);
    request->done = true;
    Sync().served.notify_all();
  }
  return !pending.empty();
}

void TThread::Synchronize(const TThreadMethod& Method) {
  if (InMainThread()) {
    Method();
    return;
  }
  SyncRequest request;
  request.method = &Method;
  {
    std::lock_guard lock(Sync().mutex);
    Sync().queue.push_back(&request);
    Sync().queued.notify_all();
  }
  WakeMainThread();
  {
    std::unique_lock lock(Sync().mutex);
    Sync().served.wait(lock, [&] { return request.done; });
  }
  if (request.error) std::rethrow_exception(request.error);
}

TThread::~TThread() {
  if (!thread_.joinable()) return;
  if (thread_.get_id() == std::this_thread::get_id()) {
    thread_.detach();  // freeing itself at its end
    return;
  }
  Terminate();
  WaitFor();
}

void TThread::Resume() {
  std::lock_guard lock(mutex_);
  if (started_) return;
  started_ = true;
  // Run first takes mutex_, so it starts only once thread_ is assigned.
  thread_ = std::thread([this] { Run(); });
}

bool TThread::Suspended() const {
  std::lock_guard lock(mutex_);
  return !started_;
}

void TThread::Terminate() { terminated_ = true; }

bool TThread::Terminated() const { return terminated_; }

bool TThread::Finished() const {
  std::lock_guard lock(mutex_);
  return finished_;
}

int TThread::WaitFor() {
  {
    std::unique_lock lock(mutex_);
    if (!started_) throw EInvalidOperation("Cannot wait for a thread that was never started");
    if (thread_.get_id() == std::this_thread::get_id()) throw EInvalidOperation("A thread cannot wait for itself");
    if (!InMainThread()) {
      finishedSignal_.wait(lock, [this] { return finished_; });
    } else {
      while (!finished_) {
        lock.unlock();
        CheckSynchronize(1);
        lock.lock();
      }
    }
  }
  if (thread_.joinable()) thread_.join();
  return ReturnValue;
}

TThreadPriority TThread::Priority() const {
  std::lock_guard lock(mutex_);
  return priority_;
}

void TThread::SetPriority(TThreadPriority Value) {
  std::lock_guard lock(mutex_);
  if (systemId_ != 0 && !SetNice(systemId_, Value)) return;
  priority_ = Value;
}

void TThread::ApplyPriority() {
  if (!SetNice(systemId_, priority_)) priority_ = tpNormal;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Run() {
  {
    std::lock_guard lock(mutex_);
    systemId_ = static_cast<int>(gettid());
    ApplyPriority();
  }
  try {
    Execute();
  } catch (...) {
    fatalException_ = std::current_exception();
  }
  try {
    DoTerminate();
  } catch (...) {
    if (!fatalException_) fatalException_ = std::current_exception();
  }
  bool freeSelf = false;
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
    systemId_ = 0;
    freeSelf = FreeOnTerminate;
    // Signalled under the lock: a waiter may free this object as soon as it gets the lock.
    finishedSignal_.notify_all();
  }
  if (freeSelf) delete this;
}
