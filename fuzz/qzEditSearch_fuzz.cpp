// The search engine against a naive search: every hit list must be the one a column-by-column scan
// gives (non-overlapping, left to right), for each case rule and with or without the whole-word test,
// and replacing every hit forwards (moving the later hits) or backwards (last hit first) must give the
// same text as replacing the naive hits.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editctl/NaiveSearch.h"
#include "editctl/qzEditSearch.h"

namespace {

using corvane::test::NaiveHits;

void Fail(const char* what, const std::string& pattern, const std::string& text) {
  std::fprintf(stderr, "search oracle broken: %s (pattern %zu bytes, text %zu bytes)\n", what, pattern.size(),
               text.size());
  std::abort();
}

std::string ReplaceHits(std::string text, const std::vector<int>& hits, size_t m, const std::string& by) {
  for (auto hit = hits.rbegin(); hit != hits.rend(); ++hit) text.replace(static_cast<size_t>(*hit) - 1, m, by);
  return text;
}

// The editor's forward replace-all of one line: each hit replaced in turn, the later ones moved.
std::string ReplaceForwards(TqzEditSearch& engine, std::string text, size_t m, const std::string& by) {
  for (int k = 0; k < engine.GetResultCount(); ++k) {
    const int column = engine.GetResult(k);
    text.replace(static_cast<size_t>(column) - 1, m, by);
    engine.FixResults(column, static_cast<int>(m) - static_cast<int>(by.size()));
  }
  return text;
}

// Backwards: last hit first, nothing moves.
std::string ReplaceBackwards(const TqzEditSearch& engine, std::string text, size_t m, const std::string& by) {
  for (int k = engine.GetResultCount() - 1; k >= 0; --k)
    text.replace(static_cast<size_t>(engine.GetResult(k)) - 1, m, by);
  return text;
}

// With a small alphabet of letters in both cases, digits and delimiters, hits and near-hits are common.
std::string Shape(const std::uint8_t* data, size_t size, bool small) {
  static constexpr char alphabet[] = "aAbB_ 1(";
  std::string out(reinterpret_cast<const char*>(data), size);
  if (small)
    for (char& c : out) c = alphabet[static_cast<unsigned char>(c) % 8];
  return out;
}

}  // namespace

// Input: an options byte, a byte giving the pattern length, the pattern, then the line; the
// replacement is the line's first bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const std::uint8_t options = data[0];
  const bool sensitive = options & 1, whole = options & 2, sensitiveFirst = options & 4, small = options & 8;
  const size_t m = std::min<size_t>(1 + data[1] % 16, size - 2);
  const std::string pattern = Shape(data + 2, m, small);
  const std::string text = Shape(data + 2 + m, size - 2 - m, small);
  const std::string by = text.substr(0, (options >> 4) % 4);

  // One engine for all inputs, so a mode left over from the previous input is part of the test.
  static TqzEditSearch engine;
  if (sensitiveFirst) engine.SetSensitive(sensitive);
  engine.SetPattern(pattern);
  if (!sensitiveFirst) engine.SetSensitive(sensitive);
  engine.SetWhole(whole);

  const std::vector<int> expected = NaiveHits(pattern, text, sensitive, whole);
  std::vector<int> stepped;
  for (int column = engine.FindFirst(text); column != 0; column = engine.FindNext()) {
    stepped.push_back(column);
    if (stepped.size() > text.size()) Fail("FindNext does not end", pattern, text);
  }
  if (stepped != expected) Fail("FindFirst/FindNext differ from the naive hits", pattern, text);
  if (engine.Count() != static_cast<int>(expected.size())) Fail("Count differs", pattern, text);

  if (engine.FindAll(text) != static_cast<int>(expected.size())) Fail("FindAll count differs", pattern, text);
  for (size_t k = 0; k < expected.size(); ++k)
    if (engine.GetResult(static_cast<int>(k)) != expected[k]) Fail("FindAll hit differs", pattern, text);
  if (engine.GetResult(-1) != 0 || engine.GetResult(engine.GetResultCount()) != 0)
    Fail("GetResult outside the list is not 0", pattern, text);

  const std::string replaced = ReplaceHits(text, expected, m, by);
  if (ReplaceBackwards(engine, text, m, by) != replaced) Fail("backwards replace-all differs", pattern, text);
  if (ReplaceForwards(engine, text, m, by) != replaced) Fail("forward replace-all differs", pattern, text);
  return 0;
}
