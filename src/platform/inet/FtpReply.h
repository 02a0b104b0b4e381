#pragma once
// Reassembles FTP server replies from the bytes of a control connection.
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// One complete reply: its three-digit code and its lines (line ends removed).
struct TFtpReply {
  int Code = 0;
  std::vector<std::string> Lines;

  // The lines joined by blanks: the form used in status and error texts.
  std::string Text() const;
  bool IsPreliminary() const { return Code >= 100 && Code < 200; }
};

// Feed it whatever the socket delivered; it hands out complete replies in order. Malformed input
// (a line that is not a reply, an over-long line or reply) puts it into a failed state for good,
// since the dialogue can no longer be trusted; replies completed before that are still handed out.
class TFtpReplyParser {
 public:
  static constexpr std::size_t MaxLineLength = 8 * 1024;
  static constexpr std::size_t MaxReplyLines = 512;

  void Feed(std::string_view bytes);
  bool HasReply() const { return !replies_.empty(); }
  TFtpReply TakeReply();
  bool Failed() const { return !error_.empty(); }
  const std::string& ErrorText() const { return error_; }

 private:
  void AcceptLine(std::string line);
  void Fail(std::string why);

  std::string partialLine_;
  TFtpReply open_;  // a multi-line reply still waiting for its last line
  bool inMultiLine_ = false;
  std::deque<TFtpReply> replies_;
  std::string error_;
};
