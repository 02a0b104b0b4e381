// The console's line cutter given output in pieces of any size: the lines a run delivers (the
// complete ones without the empty ones, then the partial last line) joined by line ends give back the
// bytes with their line ends (CR LF, CR or LF) as one mark each and the empty lines left out; no
// delivered line holds a line end.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/ConsoleIO.h"

using namespace Corvane;

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "line cutter oracle broken: %s\n", what);
  std::abort();
}

// The lines of the whole output read at once, empty ones left out, each followed by "\n".
std::string Expected(const std::string& bytes) {
  std::string out, line;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (!line.empty()) out += line + '\n';
    line.clear();
  }
  if (!line.empty()) out += line + '\n';
  return out;
}

void Deliver(const std::string& line, std::string& delivered) {
  if (line.empty()) return;
  if (line.find_first_of("\r\n") != std::string::npos) Fail("a delivered line holds a line end");
  delivered += line + '\n';
}

}  // namespace

// Input: a byte seeding the piece sizes, then the output.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  unsigned seed = data[0];
  TLineCutter cutter;
  std::string delivered;
  for (size_t at = 0; at < bytes.size();) {
    // Pieces of 1 to 8 bytes, so line ends fall on every kind of boundary, or the whole output at once.
    seed = seed * 1103515245u + 12345u;
    const size_t piece = data[0] & 0x80 ? bytes.size() : std::min<size_t>(1 + (seed >> 16) % 8, bytes.size() - at);
    for (const std::string& line : cutter.Cut(bytes.data() + at, piece)) Deliver(line, delivered);
    at += piece;
    if (cutter.Partial().find_first_of("\r\n") != std::string::npos) Fail("the partial line holds a line end");
  }
  Deliver(cutter.TakePartial(), delivered);
  if (!cutter.Partial().empty()) Fail("the partial line was not handed over");
  if (delivered != Expected(bytes)) Fail("the delivered lines differ from the output's lines");
  return 0;
}
