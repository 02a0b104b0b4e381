// The tokenizer contract as a property of every highlighter, on real scripts and on random bytes.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/HighlighterContract.h"
#include "common/PerlCorpus.h"
#include "highlight/ZuzUderUze.h"
#include "highlight/qzGeneralSyn.h"

namespace {

// A line in a buffer of exactly its size, so that a read past its end is caught by the address sanitizer.
class ExactLine {
 public:
  explicit ExactLine(std::string_view text) : size_(text.size()), bytes_(new char[text.size()]) {
    std::copy(text.begin(), text.end(), bytes_.get());
  }
  std::string_view View() const { return {bytes_.get(), size_}; }

 private:
  size_t size_;
  std::unique_ptr<char[]> bytes_;
};

std::vector<std::string> CorpusLines() {
  std::vector<std::string> lines;
  const std::string text = corvane::test::PerlCorpusText(1);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

// Random lines, weighted towards the bytes the scanners branch on.
std::vector<std::string> RandomLines(int count) {
  static const char chars[] = "\"'\\$%@^x.-=eE0179#`{}()/<>|&*!:;\t \r\n\0\x7f\xff";
  static const std::string interesting(chars, sizeof chars - 1);
  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> length(0, 120);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> pick(0, static_cast<int>(interesting.size() + 1));
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    std::string line(static_cast<size_t>(length(random)), ' ');
    for (char& c : line) {
      const int p = pick(random);
      c = p < static_cast<int>(interesting.size()) ? interesting[static_cast<size_t>(p)] : static_cast<char>(byte(random));
    }
    lines.push_back(line);
  }
  return lines;
}

// Every construct that can span lines switched on, so the property reaches each scanner and range.
void Configure(TZuzUderUze&) {}
void Configure(TqzGeneralSyn& h) {
  h.SetComments({csAnsiStyle, csPasStyle, csCStyle});
  TStringList keywords;
  keywords.SetText("my\r\nprint\r\nsub");
  h.SetKeyWords(&keywords);
}

template <class Highlighter>
class HighlighterContract : public ::testing::Test {
 protected:
  void CheckLines(const std::vector<std::string>& lines) {
    Highlighter h(nullptr);
    Configure(h);
    h.ResetRange();
    TqzRangeState state = h.GetRange();
    int failures = 0;
    for (size_t i = 0; i < lines.size() && failures < 10; ++i) {
      const ExactLine line(lines[i]);
      const std::string problem = corvane::test::ContractViolation(h, line.View(), state);
      if (!problem.empty()) {
        ++failures;
        ADD_FAILURE() << "line " << i << " \"" << lines[i] << "\": " << problem;
      }
      state = h.GetRange();  // the end state of a line starts the next, as the editor stores it
    }
  }
};

using Highlighters = ::testing::Types<TZuzUderUze, TqzGeneralSyn>;
TYPED_TEST_SUITE(HighlighterContract, Highlighters);

TYPED_TEST(HighlighterContract, HoldsOnEveryLineOfThePerlModules) {
  const std::vector<std::string> lines = CorpusLines();
  ASSERT_GT(lines.size(), 300000u);
  this->CheckLines(lines);
}

TYPED_TEST(HighlighterContract, HoldsOnRandomByteLines) { this->CheckLines(RandomLines(50000)); }

TYPED_TEST(HighlighterContract, HoldsFromAnyStoredState) {
  TypeParam h(nullptr);
  Configure(h);
  for (TqzRangeState state : {TqzRangeState{0}, TqzRangeState{1}, TqzRangeState{255}, TqzRangeState{300}}) {
    for (const char* line : {"", "\"unterminated", "# comment", "x", "$^", "a\r\nb", "(* a", "{ b } c", "/*/ d", "*) e"}) {
      const ExactLine exact(line);
      EXPECT_EQ(corvane::test::ContractViolation(h, exact.View(), state), "") << line << " from " << state;
    }
  }
}

}  // namespace
