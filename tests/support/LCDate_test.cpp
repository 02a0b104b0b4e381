#include "support/LCDate.h"

#include <gtest/gtest.h>

#include "common/TestApp.h"

namespace {

TEST(DateTimesTest, DaysCountFromTheLastDayOf1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  int year = 0, month = 0, day = 0;
  DecodeDate(EncodeDate(2026, 2, 28) + 0.75, year, month, day);
  EXPECT_EQ(year * 10000 + month * 100 + day, 20260228);
  EXPECT_THROW(EncodeDate(2026, 2, 30), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(LCDateTest, CarriesTheBuildTime) {
  corvane::test::EnsureApplication();
  TLCDate date(nullptr);
  EXPECT_TRUE(date.AU_LCD);
  EXPECT_GT(date.LCDate, EncodeDate(2024, 1, 1));
  EXPECT_LE(date.LCDate, Now());
  EXPECT_FALSE(DateToStr(date.LCDate).empty());
}

}  // namespace
