#include "vcl/Threads.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <thread>

#include "common/TestApp.h"

namespace {

using corvane::test::PumpUntil;

// The kernel's state letter of a thread of this process ('R' running, 'S' asleep), ' ' once it is gone.
char ThreadState(pid_t thread) {
  std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
  const std::string text{std::istreambuf_iterator<char>(stat), std::istreambuf_iterator<char>()};
  const std::size_t close = text.rfind(')');
  return close == std::string::npos || close + 2 >= text.size() ? ' ' : text[close + 2];
}

// A thread that runs the body it is given.
class TBodyThread : public TThread {
 public:
  explicit TBodyThread(std::function<void(TBodyThread&)> body, std::atomic<bool>* destroyed = nullptr)
      : body_(std::move(body)), destroyed_(destroyed) {}
  ~TBodyThread() override {
    if (destroyed_) *destroyed_ = true;
  }
  using TThread::ReturnValue;

 protected:
  void Execute() override { body_(*this); }

 private:
  std::function<void(TBodyThread&)> body_;
  std::atomic<bool>* destroyed_;
};

class ThreadsTest : public ::testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }
};

TEST_F(ThreadsTest, SynchronizeRunsOnTheGuiThreadWhileTheWorkerWaits) {
  const std::thread::id gui = std::this_thread::get_id();
  std::thread::id ranOn;
  bool workerSawResult = false;
  TBodyThread thread([&](TBodyThread&) {
    int value = 0;
    TThread::Synchronize([&] {
      ranOn = std::this_thread::get_id();
      value = 42;
    });
    workerSawResult = value == 42;
  });
  thread.Resume();
  ASSERT_TRUE(PumpUntil([&] { return thread.Finished(); }));
  thread.WaitFor();
  EXPECT_EQ(ranOn, gui);
  EXPECT_TRUE(workerSawResult);
}

TEST(ThreadsExit, TheProgramEndsWhileAWorkerStillWaitsToBeServed) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::atomic<pid_t> asking = 0;
        std::thread([&] {
          asking = gettid();
          TThread::Synchronize([] {});
        }).detach();
        while (asking == 0) std::this_thread::yield();
        // Once the worker sleeps it waits to be served: the exit must not hang on it, as it once did.
        const auto cap = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (ThreadState(asking) != 'S')
          if (std::chrono::steady_clock::now() > cap) std::exit(4);  // never saw it wait: no test
        std::exit(3);
      },
      ::testing::ExitedWithCode(3), "");
}

TEST_F(ThreadsTest, SynchronizeRaisesTheMethodsExceptionInTheWorker) {
  std::string caught;
  TBodyThread thread([&](TBodyThread&) {
    try {
      TThread::Synchronize([] { throw EConvertError("bad value"); });
    } catch (const EConvertError& E) {
      caught = E.Message;
    }
  });
  thread.Resume();
  thread.WaitFor();
  EXPECT_EQ(caught, "bad value");
}

TEST_F(ThreadsTest, WaitForOnTheGuiThreadServesSynchronisedCalls) {
  int calls = 0;
  TBodyThread thread([&](TBodyThread& self) {
    for (int i = 0; i < 3; ++i) TThread::Synchronize([&] { ++calls; });
    self.ReturnValue = 7;
  });
  thread.Resume();
  EXPECT_EQ(thread.WaitFor(), 7);  // no event loop runs here: WaitFor itself must serve the calls
  EXPECT_EQ(calls, 3);
}

TEST_F(ThreadsTest, TerminateAsksExecuteToStop) {
  std::atomic<bool> running{false};
  TBodyThread thread([&](TBodyThread& self) {
    running = true;
    while (!self.Terminated()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  EXPECT_TRUE(thread.Suspended());
  thread.Resume();
  EXPECT_FALSE(thread.Suspended());
  while (!running) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(thread.Finished());
  thread.Terminate();
  thread.WaitFor();
  EXPECT_TRUE(thread.Finished());
}

TEST_F(ThreadsTest, FreeOnTerminateRunsOnTerminateOnTheGuiThreadThenFreesTheThread) {
  const std::thread::id gui = std::this_thread::get_id();
  std::atomic<bool> destroyed{false};
  std::thread::id terminateRanOn;
  auto* thread = new TBodyThread([](TBodyThread&) {}, &destroyed);
  thread->OnTerminate = [&](TObject*) { terminateRanOn = std::this_thread::get_id(); };
  thread->FreeOnTerminate = true;
  thread->Resume();
  ASSERT_TRUE(PumpUntil([&] { return destroyed.load(); }));
  EXPECT_EQ(terminateRanOn, gui);
}

TEST_F(ThreadsTest, AnExceptionEscapingExecuteIsKept) {
  TBodyThread thread([](TBodyThread&) { throw EInvalidOperation("worker failed"); });
  thread.Resume();
  thread.WaitFor();
  ASSERT_TRUE(thread.FatalException());
  EXPECT_THROW(std::rethrow_exception(thread.FatalException()), EInvalidOperation);
}

TEST_F(ThreadsTest, WaitForANeverStartedThreadIsAnError) {
  TBodyThread thread([](TBodyThread&) {});
  EXPECT_THROW(thread.WaitFor(), EInvalidOperation);
}

// The nice value of the calling thread, as the system reports it.
int OwnNice() {
  std::ifstream stat("/proc/thread-self/stat");
  const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 19; ++i) fields >> field;  // field 19 is the nice value
  return std::stoi(field);
}

TEST_F(ThreadsTest, PriorityIsAppliedBeforeAndWhileTheThreadRuns) {
  int niceAtStart = 99;
  int niceLater = 99;
  std::atomic<bool> started{false};
  std::atomic<bool> lowered{false};
  TBodyThread thread([&](TBodyThread&) {
    niceAtStart = OwnNice();
    started = true;
    while (!lowered) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    niceLater = OwnNice();
  });
  thread.SetPriority(tpLower);
  thread.Resume();
  while (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  thread.SetPriority(tpLowest);
  lowered = true;
  thread.WaitFor();
  EXPECT_EQ(thread.Priority(), tpLowest);
  EXPECT_GT(niceAtStart, OwnNice());
  EXPECT_GT(niceLater, niceAtStart);
}

TEST_F(ThreadsTest, CriticalSectionIsReentrantForItsHolderAndExclusiveForOthers) {
  TCriticalSection section;
  section.Enter();
  section.Enter();
  bool otherGotIt = true;
  std::thread([&] { otherGotIt = section.TryEnter(); }).join();
  EXPECT_FALSE(otherGotIt);
  section.Leave();
  section.Leave();
  std::thread([&] {
    otherGotIt = section.TryEnter();
    if (otherGotIt) section.Leave();
  }).join();
  EXPECT_TRUE(otherGotIt);
}

}  // namespace
