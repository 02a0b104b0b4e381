#include "editctl/qzSupportProcs.h"

#include <gtest/gtest.h>

namespace {

struct TabCase {
  int tabWidth;
  std::string text;
  std::string expanded;
};

class ExpandTabs : public testing::TestWithParam<TabCase> {};

TEST_P(ExpandTabs, BlanksReachTheNextTabStop) {
  const TabCase& c = GetParam();
  EXPECT_EQ(ChooseTabExpander(c.tabWidth)(c.text, c.tabWidth), c.expanded);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, ExpandTabs,
    testing::Values(TabCase{4, "a\tb", "a   b"}, TabCase{4, "abcd\tx", "abcd    x"}, TabCase{4, "\t\t", "        "},
                    TabCase{3, "ab\tc", "ab c"}, TabCase{3, "abc\td", "abc   d"}, TabCase{5, "abcdefg\tx", "abcdefg   x"},
                    TabCase{1, "a\t\tb", "a  b"}, TabCase{0, "\ta\t", " a "}, TabCase{8, "no tabs", "no tabs"},
                    TabCase{4, "", ""}, TabCase{4, std::string("a\0\tb", 4), std::string("a\0  b", 5)}));

TEST(ChooseTabExpander, PowersOfTwoTakeTheMaskedVariant) {
  struct {
    int width;
    TExpandTabsProc expected;
  } const cases[] = {{-1, ExpandTabsSingle}, {0, ExpandTabsSingle}, {1, ExpandTabsSingle}, {2, ExpandTabsPow2},
                     {8, ExpandTabsPow2},    {3, ExpandTabsAny},    {6, ExpandTabsAny},    {256, ExpandTabsPow2}};
  for (const auto& c : cases) EXPECT_EQ(ChooseTabExpander(c.width), c.expected) << c.width;
}

TEST(FindFirstTab, CountsTheBytesBeforeIt) {
  int count = -1;
  EXPECT_TRUE(FindFirstTab("ab\tc", count));
  EXPECT_EQ(count, 2);
  EXPECT_FALSE(FindFirstTab("abc", count));
  EXPECT_EQ(count, 3);
  EXPECT_FALSE(FindFirstTab(std::string_view(), count));
  EXPECT_EQ(count, 0);
}

TEST(ScanForCharInSet, StartsOutsideTheLineFindNothing) {
  TqzCharSet digits;
  for (char c = '0'; c <= '9'; ++c) digits.set(static_cast<unsigned char>(c));
  struct {
    const char* line;
    int start;
    int forward;
    int back;
  } const cases[] = {{"ab1c2", 1, 3, 0}, {"ab1c2", 4, 5, 3}, {"ab1c2", 5, 5, 5}, {"ab1c2", 0, 0, 0},
                     {"ab1c2", 6, 0, 0}, {"abc", 2, 0, 0},   {"", 1, 0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(ScanForCharInSet(c.line, c.start, digits), c.forward) << c.line << " from " << c.start;
    EXPECT_EQ(ScanBackForCharInSet(c.line, c.start, digits), c.back) << c.line << " back from " << c.start;
  }
  TqzCharSet high;
  high.set(0xE9);
  EXPECT_EQ(ScanForCharInSet("ab\xE9", 1, high), 3);
}

TEST(FindLineEnd, StopsAtNulCrOrLf) {
  const char text[] = "ab\rcd\nef";
  EXPECT_EQ(FindLineEnd(text), text + 2);
  EXPECT_EQ(FindLineEnd(text + 3), text + 5);
  EXPECT_EQ(FindLineEnd(text + 6), text + 8);
  EXPECT_EQ(FindLineEnd(nullptr), nullptr);
}

TEST(ClampValue, KeepsTheValueInsideTheBounds) {
  EXPECT_EQ(ClampValue(-5, 0, 256), 0);
  EXPECT_EQ(ClampValue(300, 0, 256), 256);
  EXPECT_EQ(ClampValue(8, 0, 256), 8);
  EXPECT_EQ(AllocFilledIntArray(3, 7), (std::vector<int>{7, 7, 7}));
  EXPECT_TRUE(AllocFilledIntArray(-1, 7).empty());
}

}  // namespace
