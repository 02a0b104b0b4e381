#include "editctl/qzEditSearch.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <vector>

#include "editctl/NaiveSearch.h"
#include "vcl/SysUtils.h"

namespace {

using corvane::test::NaiveHits;

std::vector<int> AllHits(TqzEditSearch& engine, const std::string& line) {
  std::vector<int> hits;
  const int count = engine.FindAll(line);
  for (int i = 0; i < count; ++i) hits.push_back(engine.GetResult(i));
  return hits;
}

TqzEditSearch Engine(const std::string& pattern, bool sensitive, bool whole) {
  TqzEditSearch engine;
  engine.SetSensitive(sensitive);
  engine.SetWhole(whole);
  engine.SetPattern(pattern);
  return engine;
}

struct FindCase {
  std::string pattern;
  std::string line;
  bool sensitive;
  bool whole;
  std::vector<int> hits;
};

// Bytes outside printable ASCII are shown as hex escapes, since the case names end up in test listings.
std::string Escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      const char* const digits = "0123456789ABCDEF";
      out += std::string("\\x") + digits[c >> 4] + digits[c & 15];
    }
  }
  return out;
}

void PrintTo(const FindCase& c, std::ostream* os) {
  *os << "pattern '" << Escaped(c.pattern) << "' line '" << Escaped(c.line) << "' sensitive " << c.sensitive
      << " whole " << c.whole;
}

class FindAllHits : public testing::TestWithParam<FindCase> {};

TEST_P(FindAllHits, GivesTheColumnsOfEveryHit) {
  const FindCase& c = GetParam();
  TqzEditSearch engine = Engine(c.pattern, c.sensitive, c.whole);
  EXPECT_EQ(AllHits(engine, c.line), c.hits);
}

// Cyrillic bytes are those of the editor's code page, Windows-1251.
INSTANTIATE_TEST_SUITE_P(
    Cases, FindAllHits,
    testing::Values(FindCase{"AB", "ab xAb AB", false, false, {1, 5, 8}},
                    FindCase{"AB", "ab xAb AB", true, false, {8}},
                    FindCase{"aa", "aaaa", false, false, {1, 3}},  // hits never overlap
                    FindCase{"a", "aaa", false, false, {1, 2, 3}},
                    FindCase{"abab", "abababab", false, false, {1, 5}},
                    FindCase{"aab", "aaab", false, false, {2}},
                    FindCase{"abc", "ab", false, false, {}},
                    FindCase{"x", "", false, false, {}},
                    FindCase{"foo", "foo food barfoo foo_ (foo) foo", false, true, {1, 17, 23, 28}},
                    FindCase{"foo", "xfoo foox", false, true, {}},
                    FindCase{"\xC0\xC1", "\xE0\xE1 \xC0\xC1", false, false, {1, 4}},  // capital and small a, b
                    FindCase{"\xC0\xC1", "\xE0\xE1 \xC0\xC1", true, false, {4}},
                    FindCase{"\xA8", "\xB8\xA8", false, false, {1, 2}},  // Yo
                    FindCase{"abc", "\xE0" "abc abc", false, true, {6}},  // a Cyrillic letter joins a word
                    FindCase{"a", std::string("a\0a", 3), false, false, {1, 3}}));

// The scan skips by table; a plain left-to-right comparison must find the same hits.
TEST(TqzEditSearch, AgreesWithAPlainScanOnRandomLines) {
  std::mt19937 random(20261210);
  const std::string alphabet = "abAB_ (";
  const auto randomText = [&](size_t maxLength, size_t minLength) {
    std::string text(minLength + random() % (maxLength - minLength + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string pattern = randomText(4, 1);
    const std::string line = randomText(24, 0);
    const bool sensitive = random() % 2 == 0;
    const bool whole = random() % 2 == 0;
    // The case rule is switched after the pattern is set, so the skip data must follow it.
    TqzEditSearch engine = Engine(pattern, !sensitive, whole);
    engine.SetSensitive(sensitive);
    ASSERT_EQ(AllHits(engine, line), NaiveHits(pattern, line, sensitive, whole))
        << "pattern '" << pattern << "' line '" << line << "' sensitive " << sensitive << " whole " << whole;
  }
}

TEST(TqzEditSearch, SwitchingTheCaseRuleChangesTheHits) {
  TqzEditSearch engine = Engine("Ab", false, false);
  EXPECT_EQ(engine.FindAll("ab AB Ab"), 3);
  engine.SetSensitive(true);
  EXPECT_EQ(AllHits(engine, "ab AB Ab"), std::vector<int>{7});
  engine.SetSensitive(false);
  EXPECT_EQ(engine.FindAll("ab AB Ab"), 3);
}

TEST(TqzEditSearch, EmptyPatternIsRefusedAndTheOldOneStays) {
  TqzEditSearch engine = Engine("ab", false, false);
  try {
    engine.SetPattern("");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Pattern is empty");
  }
  EXPECT_EQ(engine.Pattern(), "ab");
  EXPECT_EQ(engine.FindAll("xab"), 1);
}

TEST(TqzEditSearch, WithoutAPatternNothingIsFound) {
  TqzEditSearch engine;
  EXPECT_EQ(engine.FindFirst("abc"), 0);
  EXPECT_EQ(engine.FindNext(), 0);
  EXPECT_EQ(engine.FindAll("abc"), 0);
}

TEST(TqzEditSearch, FindNextWalksTheLineAndStaysAtZeroAfterTheLastHit) {
  TqzEditSearch engine = Engine("a", false, false);
  EXPECT_EQ(engine.FindFirst(std::string("a-a")), 1);  // the line is a temporary: the engine keeps a copy
  EXPECT_EQ(engine.FindNext(), 3);
  EXPECT_EQ(engine.FindNext(), 0);
  EXPECT_EQ(engine.FindNext(), 0);
  EXPECT_EQ(engine.FindFirst("aaaa"), 1);  // a new line starts over
}

TEST(TqzEditSearch, CountsHitsSinceThePatternWasSet) {
  TqzEditSearch engine = Engine("a", false, false);
  engine.FindAll("aa");
  engine.FindAll("a");
  EXPECT_EQ(engine.Count(), 3);
  engine.SetPattern("a");
  EXPECT_EQ(engine.Count(), 0);
}

TEST(TqzEditSearch, ResultsOutsideTheListAreZero) {
  TqzEditSearch engine = Engine("a", false, false);
  engine.FindAll("aa");
  EXPECT_EQ(engine.GetResultCount(), 2);
  EXPECT_EQ(engine.GetResult(-1), 0);
  EXPECT_EQ(engine.GetResult(2), 0);
  engine.FindAll("b");
  EXPECT_EQ(engine.GetResultCount(), 0);
  EXPECT_EQ(engine.GetResult(0), 0);
}

TEST(TqzEditSearch, FixResultsMovesOnlyTheHitsAfterTheColumn) {
  struct {
    int column;
    int delta;
    std::vector<int> hits;
  } const cases[] = {{1, -1, {1, 4, 6}}, {3, 2, {1, 3, 3}}, {5, 4, {1, 3, 5}}, {0, 0, {1, 3, 5}}};
  for (const auto& c : cases) {
    TqzEditSearch engine = Engine("a", false, false);
    engine.FindAll("a-a-a");
    engine.FixResults(c.column, c.delta);
    std::vector<int> hits;
    for (int i = 0; i < engine.GetResultCount(); ++i) hits.push_back(engine.GetResult(i));
    EXPECT_EQ(hits, c.hits) << c.column << " " << c.delta;
  }
}

// The editor's replace-all loop: the hits of a line are gathered once and moved after each replacement.
TEST(TqzEditSearch, FixedResultsFollowReplacementsInTheLine) {
  std::string line = "aaa";
  TqzEditSearch engine = Engine("a", false, false);
  const int count = engine.FindAll(line);
  for (int i = 0; i < count; ++i) {
    const int column = engine.GetResult(i);
    line.replace(static_cast<size_t>(column) - 1, 1, "bb");
    engine.FixResults(column, 1 - 2);
  }
  EXPECT_EQ(count, 3);
  EXPECT_EQ(line, "bbbbbb");
}

}  // namespace
