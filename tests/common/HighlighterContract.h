#pragma once
// The per-line tokenizer contract as an oracle, shared by the property tests and the fuzz target.
#include <string>
#include <string_view>

#include "highlight/qzHighlighter.h"

namespace corvane::test {

// Walks one line and returns what breaks the contract, or "" when nothing does: the tokens cover the
// line up to its first NUL exactly, in order, each non-empty and with its own text; then one
// end-of-line token (empty, no attribute, at the end) that repeats on Next and leaves the range alone.
inline std::string ContractViolation(TqzCustomHighLighter& h, std::string_view line, TqzRangeState start) {
  const size_t nul = line.find('\0');
  const int end = static_cast<int>(nul == std::string_view::npos ? line.size() : nul);
  h.SetRange(start);
  h.SetLine(line, 0);
  int expectedPos = 0;
  std::string text;
  for (int tokens = 0; !h.GetEol(); ++tokens) {
    if (tokens > end) return "more tokens than characters";
    if (h.GetTokenPos() != expectedPos)
      return "token at " + std::to_string(h.GetTokenPos()) + ", expected " + std::to_string(expectedPos);
    h.GetTokenText(text);
    if (text.empty()) return "empty token at " + std::to_string(expectedPos);
    if (expectedPos + static_cast<int>(text.size()) > end) return "token past the line end at " + std::to_string(expectedPos);
    if (line.substr(static_cast<size_t>(expectedPos), text.size()) != text)
      return "token text differs from the line at " + std::to_string(expectedPos);
    if (!h.GetTokenAttribute()) return "token without attribute at " + std::to_string(expectedPos);
    expectedPos += static_cast<int>(text.size());
    h.Next();
  }
  if (expectedPos != end) return "tokens end at " + std::to_string(expectedPos) + ", line at " + std::to_string(end);
  const TqzRangeState endState = h.GetRange();
  for (int again = 0; again < 2; ++again) {
    if (h.GetTokenPos() != end) return "end-of-line token not at the line end";
    h.GetTokenText(text);
    if (!text.empty()) return "end-of-line token has text";
    if (h.GetTokenAttribute()) return "end-of-line token has an attribute";
    h.Next();
    if (!h.GetEol()) return "Next leaves the end-of-line token";
    if (h.GetRange() != endState) return "Next after the line end changes the range";
  }
  h.SetRange(start);
  h.SetLine(line, 0);
  h.NextToEol();
  if (!h.GetEol() || h.GetTokenPos() != end) return "NextToEol stops before the end of the line";
  if (h.GetRange() != endState) return "NextToEol reaches another end state";
  h.NextToEol();
  if (!h.GetEol() || h.GetTokenPos() != end || h.GetRange() != endState) return "NextToEol at the end moves";
  return {};
}

}  // namespace corvane::test
