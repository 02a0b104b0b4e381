// Feeds arbitrary bytes to the general keyword highlighter, as one line and line by line, with the
// tokenizer contract as the oracle. The first byte picks the comment styles and the string delimiter,
// so every scanner and every block-comment range is reached.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/HighlighterContract.h"
#include "highlight/qzGeneralSyn.h"

namespace {

void Check(TqzGeneralSyn& h, std::string_view line) {
  const std::string problem = corvane::test::ContractViolation(h, line, h.GetRange());
  if (!problem.empty()) {
    std::fprintf(stderr, "tokenizer contract broken: %s\n", problem.c_str());
    std::abort();
  }
}

TqzGeneralSyn& Highlighter() {
  static TqzGeneralSyn h(nullptr);
  static const bool keywords = [] {
    TStringList words;
    words.SetText("begin\r\nend\r\nif");
    h.SetKeyWords(&words);
    return true;
  }();
  (void)keywords;
  return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TqzGeneralSyn& h = Highlighter();
  h.SetComments(TCommentStyles::FromBits(data[0] & 0x1F));
  h.SetStringDelim(data[0] & 0x20 ? sdDoubleQuote : sdSingleQuote);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
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
