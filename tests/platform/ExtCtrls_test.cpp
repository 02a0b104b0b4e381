#include <gtest/gtest.h>

#include "common/TestApp.h"
#include "vcl/ExtCtrls.h"

namespace {

TEST(ExtCtrlsTest, TimerFiresOnlyWhileEnabled) {
  corvane::test::EnsureApplication();
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(10);
  EXPECT_TRUE(corvane::test::PumpUntil([&] { return ticks >= 2; }));
  timer.SetEnabled(false);
  const int stopped = ticks;
  // A twin of the same interval ticking three times shows the stopped one had its chances.
  TTimer twin(nullptr);
  int twinTicks = 0;
  twin.OnTimer = [&](TObject*) { ++twinTicks; };
  twin.SetInterval(10);
  EXPECT_TRUE(corvane::test::PumpUntil([&] { return twinTicks >= 3; }));
  EXPECT_EQ(ticks, stopped);
}

}  // namespace
