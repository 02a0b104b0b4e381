#pragma once
// The search engine's hits found the plain way: the pattern compared at every column from the left,
// the scan resuming one pattern length after each hit, with the layer's case folding and word letters.
#include <string>
#include <vector>

#include "win/CharType.h"

namespace corvane::test {

inline std::vector<int> NaiveHits(const std::string& pattern, const std::string& line, bool sensitive, bool whole) {
  const auto fold = [&](char c) {
    if (!sensitive) CharLowerBuffA(&c, 1);
    return c;
  };
  const auto isWordChar = [](char c) { return IsCharAlphaNumericA(c) != 0; };
  std::vector<int> hits;
  const size_t m = pattern.size();
  for (size_t s = 0; s + m <= line.size();) {
    bool match = true;
    for (size_t j = 0; j < m && match; ++j) match = fold(line[s + j]) == fold(pattern[j]);
    if (match && whole)
      match = (s == 0 || !isWordChar(line[s - 1])) && (s + m == line.size() || !isWordChar(line[s + m]));
    if (match) {
      hits.push_back(static_cast<int>(s) + 1);
      s += m;
    } else {
      ++s;
    }
  }
  return hits;
}

}  // namespace corvane::test
