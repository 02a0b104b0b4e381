// Command-line quoting and splitting as inverses: words quoted and joined by blanks split back into
// the same words, the program word included, and any command line split, quoted and joined again
// splits into the same words.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win/Process.h"

namespace {

std::string Join(const std::vector<std::string>& words) {
  std::string line;
  for (size_t i = 0; i < words.size(); ++i) line += (i > 0 ? " " : "") + TPipedProcess::QuoteArgument(words[i]);
  return line;
}

void Check(const std::vector<std::string>& words, const char* what) {
  const std::string line = Join(words);
  if (TPipedProcess::SplitCommandLine(line) == words) return;
  std::fprintf(stderr, "command line oracle broken: %s; the line was [%s]\n", what, line.c_str());
  std::abort();
}

}  // namespace

// Input: words parted by NUL bytes, the first one the program.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> words;
  for (size_t start = 0; start <= input.size();) {
    const size_t end = std::min(input.find('\0', start), input.size());
    words.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  Check(words, "quoted words did not split back");
  Check(TPipedProcess::SplitCommandLine(input.substr(0, input.find('\0'))), "a split line did not split back");
  return 0;
}
