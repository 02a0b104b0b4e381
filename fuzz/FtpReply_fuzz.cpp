// Drives the FTP reply parser with arbitrary server output, cut into reads as a socket cuts a stream,
// and compares what it hands out with a plain reading of the whole text by the rules of the dialogue:
// a reply is a line opening with a three-digit code (first digit 1 to 5) and a blank or nothing, or a
// hyphen that opens a multi-line reply closed by the line with the same code and a blank or nothing.
// The replies (codes, lines, joined text) and the point where the input stops being a dialogue must
// agree, whatever the cuts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "inet/FtpReply.h"

namespace {

struct Reading {
  std::vector<TFtpReply> replies;
  bool failed = false;
};

bool StartsReply(std::string_view line, char after) {
  return line.size() >= 4 && line[0] >= '1' && line[0] <= '5' && line[1] >= '0' && line[1] <= '9' &&
         line[2] >= '0' && line[2] <= '9' && line[3] == after;
}

bool IsSingleLineReply(std::string_view line) {
  return StartsReply(line, ' ') || (line.size() == 3 && StartsReply(std::string(line) + ' ', ' '));
}

Reading ReadWhole(std::string_view input) {
  Reading reading;
  TFtpReply open;
  std::string openCode;
  for (;;) {
    const std::size_t end = input.find('\n');
    const std::string_view raw = input.substr(0, end);
    if (raw.size() > TFtpReplyParser::MaxLineLength) {
      reading.failed = true;
      return reading;
    }
    if (end == std::string_view::npos) return reading;  // an unfinished line waits for more
    input.remove_prefix(end + 1);
    std::string line(raw);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!openCode.empty()) {
      if (open.Lines.size() == TFtpReplyParser::MaxReplyLines) {
        reading.failed = true;
        return reading;
      }
      open.Lines.push_back(line);
      if (line.compare(0, 3, openCode) == 0 && (line.size() == 3 || line[3] == ' ')) {
        reading.replies.push_back(open);
        openCode.clear();
      }
      continue;
    }
    if (line.empty()) continue;
    const bool multi = StartsReply(line, '-');
    if (!multi && !IsSingleLineReply(line)) {
      reading.failed = true;
      return reading;
    }
    open = TFtpReply{std::stoi(line.substr(0, 3)), {line}};
    if (multi)
      openCode = line.substr(0, 3);
    else
      reading.replies.push_back(open);
  }
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? " " : "") + lines[i];
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte sets the size of the reads.
  const std::size_t piece = 1 + data[0] % 64;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  TFtpReplyParser parser;
  std::vector<TFtpReply> handedOut;
  for (std::size_t at = 0; at < input.size(); at += piece) {
    parser.Feed(input.substr(at, piece));
    while (parser.HasReply()) handedOut.push_back(parser.TakeReply());
  }
  const Reading expected = ReadWhole(input);
  if (parser.Failed() != expected.failed || handedOut.size() != expected.replies.size()) std::abort();
  for (std::size_t i = 0; i < handedOut.size(); ++i) {
    const TFtpReply& got = handedOut[i];
    const TFtpReply& want = expected.replies[i];
    if (got.Code != want.Code || got.Lines != want.Lines || got.Text() != Joined(want.Lines)) std::abort();
    if (got.IsPreliminary() != (want.Lines.front()[0] == '1')) std::abort();
  }
  return 0;
}
