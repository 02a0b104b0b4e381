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
  corvane::test::PumpEvents(100);
  EXPECT_GE(ticks, 2);
  timer.SetEnabled(false);
  const int stopped = ticks;
  corvane::test::PumpEvents(50);
  EXPECT_EQ(ticks, stopped);
}

}  // namespace
