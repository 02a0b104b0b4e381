#include "inet/FtpReply.h"

#include <utility>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A reply line begins with three digits (the first 1 to 5) followed by a blank, a hyphen or
// nothing. Returns the code, or 0 when the line does not begin so.
int LeadingCode(const std::string& line) {
  if (line.size() < 3 || !IsDigit(line[0]) || !IsDigit(line[1]) || !IsDigit(line[2])) return 0;
  if (line[0] < '1' || line[0] > '5') return 0;
  if (line.size() > 3 && line[3] != ' ' && line[3] != '-') return 0;
  return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

bool OpensMultiLine(const std::string& line) { return line.size() > 3 && line[3] == '-'; }

}  // namespace

std::string TFtpReply::Text() const {
  std::string text;
  for (const std::string& line : Lines) {
    if (!text.empty()) text += ' ';
    text += line;
  }
  return text;
}

void TFtpReplyParser::Feed(std::string_view bytes) {
  for (char c : bytes) {
    if (Failed()) return;
    if (c == '\n') {
      if (!partialLine_.empty() && partialLine_.back() == '\r') partialLine_.pop_back();
      AcceptLine(std::exchange(partialLine_, {}));
    } else if (partialLine_.size() >= MaxLineLength) {
      Fail("The server sent an over-long reply line.");
    } else {
      partialLine_ += c;
    }
  }
}

TFtpReply TFtpReplyParser::TakeReply() {
  TFtpReply reply = std::move(replies_.front());
  replies_.pop_front();
  return reply;
}

void TFtpReplyParser::AcceptLine(std::string line) {
  const int code = LeadingCode(line);
  if (inMultiLine_) {
    if (open_.Lines.size() >= MaxReplyLines) return Fail("The server sent an over-long reply.");
    // Only the opening code followed by a blank (or nothing) closes the reply.
    const bool closes = code == open_.Code && !OpensMultiLine(line);
    open_.Lines.push_back(std::move(line));
    if (closes) {
      inMultiLine_ = false;
      replies_.push_back(std::exchange(open_, {}));
    }
    return;
  }
  if (line.empty()) return;  // stray blank lines between replies carry nothing
  if (code == 0) return Fail("The server sent a malformed reply: " + line.substr(0, 80));
  TFtpReply reply;
  reply.Code = code;
  const bool multi = OpensMultiLine(line);
  reply.Lines.push_back(std::move(line));
  if (multi) {
    open_ = std::move(reply);
    inMultiLine_ = true;
  } else {
    replies_.push_back(std::move(reply));
  }
}

void TFtpReplyParser::Fail(std::string why) {
  error_ = std::move(why);
  partialLine_.clear();
  inMultiLine_ = false;
}
