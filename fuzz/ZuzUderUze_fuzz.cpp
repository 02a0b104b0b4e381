// Feeds arbitrary bytes to the Perl tokenizer, as one line and line by line, with the tokenizer
// contract as the oracle; the sanitizers catch any read past a line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/HighlighterContract.h"
#include "highlight/ZuzUderUze.h"

namespace {

void Check(TZuzUderUze& h, std::string_view line) {
  const std::string problem = corvane::test::ContractViolation(h, line, h.GetRange());
  if (!problem.empty()) {
    std::fprintf(stderr, "tokenizer contract broken: %s\n", problem.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  static TZuzUderUze h(nullptr);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  h.ResetRange();
  Check(h, text);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    Check(h, text.substr(start, end - start));
    start = end + 1;
  }
  return 0;
}
