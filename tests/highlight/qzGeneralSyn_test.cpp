#include "highlight/qzGeneralSyn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/TempRegistry.h"
#include "editaddons/RecordingExport.h"
#include "vcl/Registry.h"

namespace {

using enum TGeneralTokenKind;

struct Token {
  TGeneralTokenKind Kind;
  std::string Text;
  friend bool operator==(const Token&, const Token&) = default;
};

std::ostream& operator<<(std::ostream& os, const Token& t) {
  return os << "(" << static_cast<int>(t.Kind) << ", \"" << t.Text << "\")";
}

// The tokens of one line, without the end-of-line token.
std::vector<Token> Tokens(TqzGeneralSyn& h, const std::string& line) {
  std::vector<Token> out;
  h.SetLine(line, 0);
  while (!h.GetEol()) {
    out.push_back({h.TokenKind(), h.GetToken()});
    h.Next();
  }
  return out;
}

void SetKeyWords(TqzGeneralSyn& h, const std::string& lines) {
  TStringList words;
  words.SetText(lines);
  h.SetKeyWords(&words);
}

std::vector<std::string> LinesOf(TStrings* list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list->Count(); ++i) lines.push_back(list->Get(i));
  return lines;
}

const TCommentStyles NoComments{};
const TCommentStyles AllComments{csAnsiStyle, csPasStyle, csCStyle, csAsmStyle, csBasStyle};

struct TokenCase {
  TCommentStyles Comments;
  TStringDelim Delim;
  std::string Line;
  std::vector<Token> Expected;
  int EndRange;
};

constexpr int None = static_cast<int>(TGeneralRangeState::rsNone);
constexpr int Ansi = static_cast<int>(TGeneralRangeState::rsAnsiComment);
constexpr int Pas = static_cast<int>(TGeneralRangeState::rsPasComment);
constexpr int CRange = static_cast<int>(TGeneralRangeState::rsCComment);

TEST(qzGeneralSyn, ScansEachTokenFormFromTheLineStart) {
  const std::vector<TokenCase> cases = {
      {NoComments, sdSingleQuote, "", {}, None},
      // line comments and slashes
      {NoComments, sdSingleQuote, "// x", {{tkComment, "// x"}}, None},
      {NoComments, sdSingleQuote, "a//b\rc", {{tkIdentifier, "a"}, {tkComment, "//b"}, {tkSpace, "\r"}, {tkIdentifier, "c"}}, None},
      {NoComments, sdSingleQuote, "/", {{tkSymbol, "/"}}, None},
      {NoComments, sdSingleQuote, "/* a", {{tkSymbol, "/"}, {tkUnknown, "*"}, {tkSpace, " "}, {tkIdentifier, "a"}}, None},
      {{csCStyle}, sdSingleQuote, "/*/", {{tkComment, "/*/"}}, None},
      {{csCStyle}, sdSingleQuote, "/* a */b", {{tkComment, "/* a */"}, {tkIdentifier, "b"}}, None},
      {{csCStyle}, sdSingleQuote, "/* a", {{tkComment, "/* a"}}, CRange},
      // round brackets
      {{csAnsiStyle}, sdSingleQuote, "(*)", {{tkComment, "(*)"}}, Ansi},
      {{csAnsiStyle}, sdSingleQuote, "(*)*)x", {{tkComment, "(*)*)"}, {tkIdentifier, "x"}}, None},
      {{csAnsiStyle}, sdSingleQuote, "(.", {{tkSymbol, "(."}}, None},
      {{csAnsiStyle}, sdSingleQuote, "(a", {{tkSymbol, "("}, {tkIdentifier, "a"}}, None},
      {NoComments, sdSingleQuote, "(.", {{tkSymbol, "("}, {tkUnknown, "."}}, None},
      {NoComments, sdSingleQuote, "(*", {{tkSymbol, "("}, {tkUnknown, "*"}}, None},
      // braces
      {{csPasStyle}, sdSingleQuote, "{a}b", {{tkComment, "{a}"}, {tkIdentifier, "b"}}, None},
      {{csPasStyle}, sdSingleQuote, "{a\rb", {{tkComment, "{a"}, {tkSpace, "\r"}, {tkComment, "b"}}, Pas},
      {NoComments, sdSingleQuote, "{a}", {{tkSymbol, "{"}, {tkIdentifier, "a"}, {tkUnknown, "}"}}, None},
      // semicolons: the comment runs over line breaks to the end of the text
      {{csAsmStyle}, sdSingleQuote, "x; a\r\nb", {{tkIdentifier, "x"}, {tkComment, "; a\r\nb"}}, None},
      {{csBasStyle}, sdSingleQuote, ";", {{tkComment, ";"}}, None},
      {NoComments, sdSingleQuote, "; a", {{tkSymbol, ";"}, {tkSpace, " "}, {tkIdentifier, "a"}}, None},
      // numbers and character codes
      {NoComments, sdSingleQuote, "1..5", {{tkNumber, "1"}, {tkUnknown, "."}, {tkUnknown, "."}, {tkNumber, "5"}}, None},
      {NoComments, sdSingleQuote, "1.5e3 3e", {{tkNumber, "1.5e3"}, {tkSpace, " "}, {tkNumber, "3e"}}, None},
      {NoComments, sdSingleQuote, "#13#10", {{tkString, "#13"}, {tkString, "#10"}}, None},
      {NoComments, sdSingleQuote, "#", {{tkString, "#"}}, None},
      {NoComments, sdSingleQuote, "$FFz", {{tkNumber, "$FF"}, {tkIdentifier, "z"}}, None},
      {NoComments, sdSingleQuote, "$", {{tkNumber, "$"}}, None},
      // strings
      {NoComments, sdSingleQuote, "'abc", {{tkString, "'abc"}}, None},
      {NoComments, sdSingleQuote, "''''", {{tkString, "''''"}}, None},
      {NoComments, sdSingleQuote, "''", {{tkString, "''"}}, None},
      {NoComments, sdSingleQuote, "'a''b'", {{tkString, "'a'"}, {tkString, "'b'"}}, None},
      {NoComments, sdSingleQuote, "\"a\"", {{tkUnknown, "\""}, {tkIdentifier, "a"}, {tkUnknown, "\""}}, None},
      {NoComments, sdDoubleQuote, "\"a\"'", {{tkString, "\"a\""}, {tkUnknown, "'"}}, None},
      // blanks, line breaks and other characters
      {NoComments, sdSingleQuote, " \t\x01x\n\r\ny", {{tkSpace, " \t\x01"}, {tkIdentifier, "x"}, {tkSpace, "\n"}, {tkSpace, "\r\n"}, {tkIdentifier, "y"}}, None},
      {NoComments, sdSingleQuote, "a_1\xE9", {{tkIdentifier, "a_1"}, {tkUnknown, "\xE9"}}, None},
      // the text ends at its first NUL
      {{csAsmStyle}, sdSingleQuote, std::string("a;b\0c", 5), {{tkIdentifier, "a"}, {tkComment, ";b"}}, None},
  };
  for (const TokenCase& c : cases) {
    TqzGeneralSyn h(nullptr);
    h.SetComments(c.Comments);
    h.SetStringDelim(c.Delim);
    h.ResetRange();
    EXPECT_EQ(Tokens(h, c.Line), c.Expected) << c.Line;
    EXPECT_EQ(h.GetRange(), c.EndRange) << c.Line;
    EXPECT_EQ(h.GetTokenPos(), static_cast<int>(c.Line.find('\0') == std::string::npos ? c.Line.size() : c.Line.find('\0')));
  }
}

TEST(qzGeneralSyn, BlockCommentsContinueOnTheNextLineFromTheStoredRange) {
  struct RangeCase {
    int Start;
    std::string Line;
    std::vector<Token> Expected;
    int EndRange;
  };
  const std::vector<RangeCase> cases = {
      {CRange, "a */ b", {{tkComment, "a */"}, {tkSpace, " "}, {tkIdentifier, "b"}}, None},
      {CRange, "*/", {{tkComment, "*/"}}, None},  // a closer at the line start counts
      {CRange, "still", {{tkComment, "still"}}, CRange},
      {CRange, "", {}, CRange},
      {Ansi, "x *) y", {{tkComment, "x *)"}, {tkSpace, " "}, {tkIdentifier, "y"}}, None},
      {Ansi, "*/ x", {{tkComment, "*/ x"}}, Ansi},  // only its own closer ends a comment
      {Pas, "}x", {{tkComment, "}"}, {tkIdentifier, "x"}}, None},
      {Pas, "\r\n}", {{tkSpace, "\r\n"}, {tkComment, "}"}}, None},
      {0, "*/", {{tkUnknown, "*"}, {tkSymbol, "/"}}, 0},  // 0 scans as outside a comment
      {0x104, "*)", {{tkUnknown, "*"}, {tkUnknown, ")"}}, None},  // only the low byte is kept
  };
  for (const RangeCase& c : cases) {
    TqzGeneralSyn h(nullptr);
    h.SetComments(AllComments);
    h.SetRange(c.Start);
    EXPECT_EQ(Tokens(h, c.Line), c.Expected) << c.Start << " " << c.Line;
    EXPECT_EQ(h.GetRange(), c.EndRange) << c.Start << " " << c.Line;
  }
}

TEST(qzGeneralSyn, KeywordsMatchInAnyCaseOnceUpperCased) {
  TqzGeneralSyn h(nullptr);
  TStringList given;
  given.SetText("begin\r\nEnd\r\nbegin\r\nz9");
  h.SetKeyWords(&given);
  EXPECT_EQ(LinesOf(&given), (std::vector<std::string>{"BEGIN", "END", "BEGIN", "Z9"}));  // the caller's own list
  EXPECT_EQ(LinesOf(h.KeyWords()), (std::vector<std::string>{"BEGIN", "END", "Z9"}));
  EXPECT_EQ(Tokens(h, "Begin eNd begin_x z9 z"),
            (std::vector<Token>{{tkKey, "Begin"}, {tkSpace, " "}, {tkKey, "eNd"}, {tkSpace, " "},
                                {tkIdentifier, "begin_x"}, {tkSpace, " "}, {tkKey, "z9"}, {tkSpace, " "},
                                {tkIdentifier, "z"}}));
}

TEST(qzGeneralSyn, KeywordsSortByByteValueSoEveryOneIsFound) {
  TqzGeneralSyn h(nullptr);
  // A case-insensitive order would put "_A" after "Z" and lose one of them in the binary search.
  SetKeyWords(h, "_a\r\nz\r\na1\r\nA_\r\nb");
  for (const char* word : {"_a", "z", "a1", "A_", "B"}) {
    h.SetLine(word, 0);
    EXPECT_EQ(h.TokenKind(), tkKey) << word;
  }
}

TEST(qzGeneralSyn, NilKeywordListRaisesAndKeepsTheOldWords) {
  TqzGeneralSyn h(nullptr);
  SetKeyWords(h, "if");
  EXPECT_THROW(h.SetKeyWords(nullptr), EConvertError);
  EXPECT_EQ(LinesOf(h.KeyWords()), std::vector<std::string>{"IF"});
}

TEST(qzGeneralSyn, CommentsAndKeywordsRepaintTheHookedEditorsButDelimiterAndWordCharactersDoNot) {
  TqzGeneralSyn h(nullptr);
  int repaints = 0;
  h.HookAttributesChange(TNotifyEvent([&repaints](TObject*) { ++repaints; }));
  h.SetComments({});  // also the same value
  EXPECT_EQ(repaints, 1);
  SetKeyWords(h, "x");
  EXPECT_EQ(repaints, 2);
  h.SetStringDelim(sdDoubleQuote);
  h.SetIdentifierChars("abc");
  EXPECT_EQ(repaints, 2);
  h.KeyAttri()->SetForeground(clRed);
  EXPECT_EQ(repaints, 3);
}

TEST(qzGeneralSyn, StringDelimiterSwitchesBothWays) {
  TqzGeneralSyn h(nullptr);
  EXPECT_EQ(h.StringDelim(), sdSingleQuote);
  h.SetStringDelim(sdDoubleQuote);
  EXPECT_EQ(h.StringDelim(), sdDoubleQuote);
  EXPECT_EQ(Tokens(h, "'"), (std::vector<Token>{{tkUnknown, "'"}}));
  h.SetStringDelim(sdSingleQuote);
  EXPECT_EQ(Tokens(h, "'\""), (std::vector<Token>{{tkString, "'\""}}));
}

TEST(qzGeneralSyn, IdentifierCharactersAreWhatTheEditorIsToldNotTheScannersRule) {
  TqzGeneralSyn h(nullptr);
  std::string defaults;
  for (int c = 33; c <= 255; ++c) defaults.push_back(static_cast<char>(c));
  EXPECT_EQ(h.IdentifierChars(), defaults);

  h.SetIdentifierChars("cab");
  EXPECT_EQ(h.IdentifierChars(), "abc");
  TqzIdentChars chars;
  h.GetIdentifierChars(chars);
  EXPECT_EQ(chars.count(), 3u);
  EXPECT_TRUE(chars.test('a') && chars.test('b') && chars.test('c'));
  EXPECT_EQ(Tokens(h, "Xy_9"), (std::vector<Token>{{tkIdentifier, "Xy_9"}}));

  std::string every;
  for (int c = 0; c < 256; ++c) every.push_back(static_cast<char>(c));
  h.SetIdentifierChars(every);
  EXPECT_EQ(h.IdentifierChars(), every.substr(0, 255));  // the getter holds 255 at most
}

TEST(qzGeneralSyn, DescribesItselfAndItsAttributes) {
  TqzGeneralSyn h(nullptr);
  EXPECT_EQ(h.GetLanguageName(), "General");
  EXPECT_EQ(h.GetCapabilities(), 6);
  EXPECT_EQ(h.GetDefaultAttribute(0), h.SpaceAttri());
  EXPECT_EQ(h.GetDefaultAttribute(1), h.CommentAttri());
  EXPECT_EQ(h.GetDefaultAttribute(2), h.KeyAttri());
  EXPECT_EQ(h.GetDefaultAttribute(3), nullptr);
  std::vector<std::string> names;
  for (int i = 0; i < h.GetAttributeCount(); ++i) names.push_back(h.GetAttribute(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Comment", "Identifier", "Number", "Reserved word", "Space", "String",
                                             "Symbol"}));
  EXPECT_EQ(h.CommentAttri()->Style(), TFontStyles{fsItalic});
  EXPECT_EQ(h.KeyAttri()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(h.StringAttri()->Style(), TFontStyles{});
  EXPECT_GE(HighlighterList().IndexOf(&CreateHighlighterOf<TqzGeneralSyn>), 0);
}

TEST(qzGeneralSyn, HandsEveryTokenAndOneLineEndToTheExporter) {
  TqzGeneralSyn h(nullptr);
  h.SetComments({csCStyle});
  SetKeyWords(h, "if");
  corvane::test::RecordingExport exporter(nullptr);
  h.SetExporter(&exporter);
  h.ResetRange();
  h.SetLineForExport("if x<1 /*c*/'s'\xE9");
  while (!h.GetEol()) h.NextForExport();
  using C = corvane::test::RecordingExport::Call;
  const std::vector<C> expected = {
      {"if", h.KeyAttri(), false, false},    {" ", h.SpaceAttri(), false, true},
      {"x", h.IdentifierAttri(), false, false}, {"<", h.SymbolAttri(), true, false},
      {"1", h.NumberAttri(), false, false},  {" ", h.SpaceAttri(), false, true},
      {"/*c*/", h.CommentAttri(), true, false}, {"'s'", h.StringAttri(), true, false},
      {"\xE9", h.SymbolAttri(), true, false}, {"", nullptr, false, false},
  };
  EXPECT_EQ(exporter.Calls, expected);
}

TEST(qzGeneralSyn, ForgetsAFreedExporter) {
  TqzGeneralSyn h(nullptr);
  {
    corvane::test::RecordingExport exporter(nullptr);
    h.SetExporter(&exporter);
    EXPECT_EQ(h.Exporter(), &exporter);
  }
  EXPECT_EQ(h.Exporter(), nullptr);
  h.SetLineForExport("x y");
  while (!h.GetEol()) h.NextForExport();  // nothing is handed to the freed exporter
}

TEST(qzGeneralSynRegistry, SavedKeywordsAndAttributesLoadBack) {
  corvane::test::TempRegistry registry;
  const std::string key = "Software\\Corvane\\General";
  TqzGeneralSyn saved(nullptr);
  SetKeyWords(saved, "begin\r\nend");
  saved.StringAttri()->SetForeground(clRed);
  ASSERT_TRUE(saved.SaveToRegistry(HKEY_CURRENT_USER, key));

  TqzGeneralSyn loaded(nullptr);
  SetKeyWords(loaded, "other");
  ASSERT_TRUE(loaded.LoadFromRegistry(HKEY_CURRENT_USER, key));
  EXPECT_EQ(LinesOf(loaded.KeyWords()), (std::vector<std::string>{"BEGIN", "END"}));
  EXPECT_EQ(loaded.StringAttri()->Foreground(), clRed);
  EXPECT_EQ(loaded.KeyAttri()->Style(), TFontStyles{fsBold});
}

TEST(qzGeneralSynRegistry, StoredKeywordsAreTakenAsTheyStand) {
  corvane::test::TempRegistry registry;
  const std::string key = "Software\\Corvane\\General";
  TqzGeneralSyn h(nullptr);
  ASSERT_TRUE(h.SaveToRegistry(HKEY_CURRENT_USER, key));
  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(key, false));
    writer.WriteString("KeyWords", "while\r\nDO\r\nDO\r\n");
  }
  ASSERT_TRUE(h.LoadFromRegistry(HKEY_CURRENT_USER, key));
  EXPECT_EQ(LinesOf(h.KeyWords()), (std::vector<std::string>{"DO", "while"}));
  EXPECT_EQ(Tokens(h, "do while"), (std::vector<Token>{{tkKey, "do"}, {tkSpace, " "}, {tkIdentifier, "while"}}));
}

TEST(qzGeneralSynRegistry, MissingKeyFailsAndMissingKeywordsChangeNothing) {
  corvane::test::TempRegistry registry;
  TqzGeneralSyn h(nullptr);
  SetKeyWords(h, "keep");
  EXPECT_FALSE(h.LoadFromRegistry(HKEY_CURRENT_USER, "Software\\Nowhere"));
  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey("Software\\Bare", true));
  }
  EXPECT_FALSE(h.LoadFromRegistry(HKEY_CURRENT_USER, "Software\\Bare"));  // no attribute subkeys
  EXPECT_EQ(LinesOf(h.KeyWords()), std::vector<std::string>{"KEEP"});
}

}  // namespace
