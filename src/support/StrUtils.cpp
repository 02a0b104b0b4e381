#include "support/StrUtils.h"

namespace {

bool IsDelimiter(char c, const std::string& delimiters) { return delimiters.find(c) != std::string::npos; }

}  // namespace

int WordStart(int N, const std::string& Text, const std::string& Delimiters) {
  std::size_t i = 0;
  for (int word = 1; word <= N; ++word) {
    while (i < Text.size() && IsDelimiter(Text[i], Delimiters)) ++i;
    if (i == Text.size()) return 0;
    if (word == N) return static_cast<int>(i) + 1;
    while (i < Text.size() && !IsDelimiter(Text[i], Delimiters)) ++i;
  }
  return 0;
}

std::string WordAt(int N, const std::string& Text, const std::string& Delimiters) {
  const int start = WordStart(N, Text, Delimiters);
  if (start == 0) return {};
  std::size_t end = static_cast<std::size_t>(start) - 1;
  while (end < Text.size() && !IsDelimiter(Text[end], Delimiters)) ++end;
  return Text.substr(static_cast<std::size_t>(start) - 1, end - (static_cast<std::size_t>(start) - 1));
}
