// Drives the FTP reply parser with arbitrary server output: it must never crash, hang or grow
// without bound, and every reply it hands out must be well formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "inet/FtpReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFtpReplyParser parser;
  // The first byte splits the input, as a socket splits a stream into reads.
  const std::size_t piece = size > 0 ? 1 + data[0] % 64 : 1;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (std::size_t at = 0; at < input.size(); at += piece) {
    parser.Feed(input.substr(at, piece));
    while (parser.HasReply()) {
      const TFtpReply reply = parser.TakeReply();
      if (reply.Code < 100 || reply.Code > 599 || reply.Lines.empty() ||
          reply.Lines.size() > TFtpReplyParser::MaxReplyLines)
        std::abort();
      for (const auto& line : reply.Lines)
        if (line.size() > TFtpReplyParser::MaxLineLength) std::abort();
    }
  }
  return 0;
}
