#include "support/StrUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(StrUtilsTest, WordsBetweenDelimiters) {
  struct Case {
    int n;
    const char* text;
    int start;
    const char* word;
  };
  const Case cases[] = {
      {1, "10,20,30,40", 1, "10"}, {4, "10,20,30,40", 10, "40"}, {5, "10,20,30,40", 0, ""},
      {1, " ,, 7", 5, "7"},        {2, "1 , 2", 5, "2"},         {1, "", 0, ""},
      {1, ", ,", 0, ""},           {2, "a,,b", 4, "b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WordStart(c.n, c.text, " ,"), c.start) << c.n << " of '" << c.text << "'";
    EXPECT_EQ(WordAt(c.n, c.text, " ,"), c.word) << c.n << " of '" << c.text << "'";
  }
}

}  // namespace
