#include "inet/FtpReply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TParsed {
  std::vector<TFtpReply> replies;
  bool failed = false;
};

// Feeds the input in pieces of the given size, as a socket may deliver it.
TParsed Parse(const std::string& input, std::size_t piece) {
  TFtpReplyParser parser;
  TParsed result;
  for (std::size_t at = 0; at < input.size(); at += piece) {
    parser.Feed(std::string_view(input).substr(at, piece));
    while (parser.HasReply()) result.replies.push_back(parser.TakeReply());
  }
  result.failed = parser.Failed();
  return result;
}

struct TReplyCase {
  const char* name;
  std::string input;
  std::vector<int> codes;
  std::string firstText;
};

TEST(FtpReplyParser, ReassemblesRepliesWhateverTheSocketDelivers) {
  const std::vector<TReplyCase> cases = {
      {"single", "220 Ready\r\n", {220}, "220 Ready"},
      {"bare LF", "220 Ready\n331 Password\n", {220, 331}, "220 Ready"},
      {"code only", "200\r\n", {200}, "200"},
      {"multi-line", "230-Welcome\r\n  text\r\n230 Done\r\n", {230}, "230-Welcome   text 230 Done"},
      // Inside a multi-line reply only the opening code with a blank closes it.
      {"inner codes", "211-Features\r\n200 inner\r\n211-still\r\n211 End\r\n226 Next\r\n", {211, 226},
       "211-Features 200 inner 211-still 211 End"},
      {"blank lines between", "\r\n220 Ready\r\n\r\n", {220}, "220 Ready"},
      {"incomplete last line", "220 Ready\r\n331 Pass", {220}, "220 Ready"},
  };
  for (const TReplyCase& c : cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{3}, c.input.size()}) {
      SCOPED_TRACE(std::string(c.name) + " in pieces of " + std::to_string(piece));
      const TParsed parsed = Parse(c.input, piece);
      EXPECT_FALSE(parsed.failed);
      std::vector<int> codes;
      for (const TFtpReply& reply : parsed.replies) codes.push_back(reply.Code);
      EXPECT_EQ(codes, c.codes);
      ASSERT_FALSE(parsed.replies.empty());
      EXPECT_EQ(parsed.replies.front().Text(), c.firstText);
    }
  }
}

TEST(FtpReplyParser, RefusesWhatIsNoReplyButKeepsTheRepliesBeforeIt) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"no code", "Hello there\r\n"},
      {"code out of range", "620 Nonsense\r\n"},
      {"code glued to text", "220Ready\r\n"},
      {"two digits", "22 Ready\r\n"},
      {"over-long line", std::string(TFtpReplyParser::MaxLineLength + 1, 'x')},
      {"endless multi-line", [] {
         std::string s = "230-start\r\n";
         for (std::size_t i = 0; i < TFtpReplyParser::MaxReplyLines + 1; ++i) s += "more\r\n";
         return s;
       }()},
  };
  for (const auto& [name, garbage] : cases) {
    SCOPED_TRACE(name);
    const TParsed parsed = Parse("220 Ready\r\n" + garbage + "226 Late\r\n", 7);
    EXPECT_TRUE(parsed.failed);
    ASSERT_EQ(parsed.replies.size(), 1u);  // nothing after the fault is trusted
    EXPECT_EQ(parsed.replies.front().Code, 220);
  }
}

}  // namespace
