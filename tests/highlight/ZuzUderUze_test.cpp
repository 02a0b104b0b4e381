#include "highlight/ZuzUderUze.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editaddons/RecordingExport.h"

namespace {

using enum TPerlTokenKind;

struct Token {
  TPerlTokenKind Kind;
  std::string Text;
  friend bool operator==(const Token&, const Token&) = default;
};

std::ostream& operator<<(std::ostream& os, const Token& t) {
  return os << "(" << static_cast<int>(t.Kind) << ", \"" << t.Text << "\")";
}

// The tokens of one line, without the end-of-line token.
std::vector<Token> Tokens(TZuzUderUze& h, const std::string& line) {
  std::vector<Token> out;
  h.SetLine(line, 0);
  while (!h.GetEol()) {
    out.push_back({h.TokenKind(), h.GetToken()});
    h.Next();
  }
  return out;
}

struct TokenCase {
  std::string Line;
  std::vector<Token> Expected;
};

const std::vector<TokenCase>& TokenCases() {
  static const std::vector<TokenCase> cases = {
      {"my $x = 10; # set",
       {{tkKey, "my"}, {tkSpace, " "}, {tkIdentifier, "$x"}, {tkSpace, " "}, {tkSymbol, "="}, {tkSpace, " "},
        {tkNumber, "10"}, {tkSymbol, ";"}, {tkSpace, " "}, {tkComment, "# set"}}},
      // special variables
      {"$_", {{tkVariable, "$_"}}},
      {"$1", {{tkVariable, "$1"}}},
      {"$10", {{tkVariable, "$1"}, {tkNumber, "0"}}},
      {"$$", {{tkVariable, "$$"}}},
      {"$^W", {{tkVariable, "$^W"}}},
      {"$^", {{tkVariable, "$^"}}},
      {"$^O", {{tkIdentifier, "$"}, {tkSymbol, "^"}, {tkIdentifier, "O"}}},
      {"${x}", {{tkIdentifier, "$"}, {tkSymbol, "{"}, {tkIdentifier, "x"}, {tkSymbol, "}"}}},
      {"$,", {{tkIdentifier, "$"}, {tkSymbol, ","}}},
      {"$ARG", {{tkVariable, "$ARG"}}},
      {"$ARGV", {{tkVariable, "$ARGV"}}},
      {"$ARGS", {{tkIdentifier, "$ARGS"}}},
      {"@ARG", {{tkIdentifier, "@ARG"}}},
      {"@ARGV", {{tkVariable, "@ARGV"}}},
      {"@INC", {{tkVariable, "@INC"}}},
      {"%INC", {{tkVariable, "%INC"}}},
      {"%ENV", {{tkIdentifier, "%ENV"}}},
      {"$INC", {{tkIdentifier, "$INC"}}},
      {"$FORMAT_LINE_BREAK_CHARACTERS", {{tkVariable, "$FORMAT_LINE_BREAK_CHARACTERS"}}},
      // percent and x as operators
      {"$a % 2", {{tkIdentifier, "$a"}, {tkSpace, " "}, {tkIdentifier, "%"}, {tkSpace, " "}, {tkNumber, "2"}}},
      {"%", {{tkSymbol, "%"}}},
      {"%=", {{tkSymbol, "%="}}},
      {"%h", {{tkIdentifier, "%h"}}},
      {"x", {{tkSymbol, "x"}}},
      {"x=", {{tkSymbol, "x="}}},
      {"x 3", {{tkIdentifier, "x"}, {tkSpace, " "}, {tkNumber, "3"}}},
      {"xor", {{tkOperator, "xor"}}},
      // words: case-sensitive, and a sigil inside a run joins it
      {"Print", {{tkIdentifier, "Print"}}},
      {"PRINT", {{tkIdentifier, "PRINT"}}},
      {"print", {{tkKey, "print"}}},
      {"print$x", {{tkIdentifier, "print$x"}}},
      {"eq", {{tkOperator, "eq"}}},
      {"EQ", {{tkIdentifier, "EQ"}}},
      {"strict", {{tkPragma, "strict"}}},
      {"getprotobynumber", {{tkKey, "getprotobynumber"}}},
      {"getprotobynumbers", {{tkIdentifier, "getprotobynumbers"}}},
      {"gt", {{tkOperator, "gt"}}},
      {"nm", {{tkIdentifier, "nm"}}},  // the byte sum of "gt"
      {"my", {{tkKey, "my"}}},
      {"tr", {{tkKey, "tr"}}},
      {"ym", {{tkIdentifier, "ym"}}},  // the byte sum of "my" and "tr"
      {"s", {{tkIdentifier, "s"}}},
      {"until", {{tkIdentifier, "until"}}},
      {"m", {{tkKey, "m"}}},
      {"chop redo send", {{tkKey, "chop"}, {tkSpace, " "}, {tkKey, "redo"}, {tkSpace, " "}, {tkKey, "send"}}},
      {"$ERRNO", {{tkVariable, "$ERRNO"}}},  // the fourth word of that slot
      {std::string(40, 'z'), {{tkIdentifier, std::string(40, 'z')}}},
      // symbols take their longest form
      {"<=>", {{tkSymbol, "<=>"}}},
      {"**=", {{tkSymbol, "**="}}},
      {"||=", {{tkSymbol, "||="}}},
      {"&&=", {{tkSymbol, "&&="}}},
      {">>=", {{tkSymbol, ">>="}}},
      {"<<=", {{tkSymbol, "<<="}}},
      {"===", {{tkSymbol, "=="}, {tkSymbol, "="}}},
      {"!~=~=>->", {{tkSymbol, "!~"}, {tkSymbol, "=~"}, {tkSymbol, "=>"}, {tkSymbol, "->"}}},
      {"::(", {{tkSymbol, "::"}, {tkSymbol, "("}}},
      {"^=^", {{tkSymbol, "^="}, {tkSymbol, "^"}}},
      {"<<", {{tkSymbol, "<<"}}},
      {"&", {{tkSymbol, "&"}}},
      // dots and numbers
      {"$a . $b", {{tkIdentifier, "$a"}, {tkSpace, " "}, {tkNumber, "."}, {tkSpace, " "}, {tkIdentifier, "$b"}}},
      {".5", {{tkNumber, ".5"}}},
      {".", {{tkNumber, "."}}},
      {"$h->method", {{tkIdentifier, "$h"}, {tkSymbol, "->"}, {tkIdentifier, "method"}}},
      {"...", {{tkSymbol, "..."}}},
      {"..", {{tkSymbol, ".."}}},
      {".=", {{tkSymbol, ".="}}},
      {".foo", {{tkSymbol, "."}, {tkIdentifier, "foo"}}},
      {"1..5", {{tkNumber, "1"}, {tkSymbol, ".."}, {tkNumber, "5"}}},
      {"1e-5", {{tkNumber, "1e"}, {tkSymbol, "-"}, {tkNumber, "5"}}},
      {"1-e5", {{tkNumber, "1-e5"}}},
      {"0x1F 1_000 3.14", {{tkNumber, "0x1F"}, {tkSpace, " "}, {tkNumber, "1_000"}, {tkSpace, " "}, {tkNumber, "3.14"}}},
      {"5.", {{tkNumber, "5."}}},
      // strings
      {"'it\\'s'", {{tkString, "'it\\'"}, {tkIdentifier, "s"}, {tkString, "'"}}},
      {"\"a\\\"b\"", {{tkString, "\"a\\\"b\""}}},
      {"\"a\\\\\" x", {{tkString, "\"a\\\\\" x"}}},  // the second backslash escapes the quote
      {"\"\"", {{tkString, "\"\""}}},
      {"\"\"\"abc\" 1", {{tkString, "\"\"\"abc\""}, {tkSpace, " "}, {tkNumber, "1"}}},
      {"\"\"\"", {{tkString, "\"\"\""}}},
      {"\"abc", {{tkString, "\"abc"}}},
      {"\"\\", {{tkString, "\"\\"}}},
      {"'abc", {{tkString, "'abc"}}},
      {"''", {{tkString, "''"}}},
      {"\"ab\ncd", {{tkString, "\"ab\n"}, {tkIdentifier, "cd"}}},
      {"'ab\rcd", {{tkString, "'ab\r"}, {tkIdentifier, "cd"}}},
      // comments, white space and line breaks inside a line
      {"#!/usr/bin/perl", {{tkComment, "#!/usr/bin/perl"}}},
      {"a#b", {{tkIdentifier, "a"}, {tkComment, "#b"}}},
      {"# a\r\nb", {{tkComment, "# a"}, {tkSpace, "\r\n"}, {tkIdentifier, "b"}}},
      {"\t  \ty", {{tkSpace, "\t  \t"}, {tkIdentifier, "y"}}},
      {"a\r\nb", {{tkIdentifier, "a"}, {tkSpace, "\r\n"}, {tkIdentifier, "b"}}},
      {"\r\r", {{tkSpace, "\r"}, {tkSpace, "\r"}}},
      {"\n\n", {{tkSpace, "\n"}, {tkSpace, "\n"}}},
      {" \x01\x1f ", {{tkSpace, " \x01\x1f "}}},
      {std::string("ab\0cd", 5), {{tkIdentifier, "ab"}}},
      {std::string("\"a\0b\"", 5), {{tkString, "\"a"}}},
      // characters no rule accepts
      {"\xE9\xE8", {{tkUnknown, "\xE9"}, {tkUnknown, "\xE8"}}},
      {"`ls`", {{tkUnknown, "`"}, {tkIdentifier, "ls"}, {tkUnknown, "`"}}},
      {"\x7f", {{tkUnknown, "\x7f"}}},
  };
  return cases;
}

TEST(ZuzUderUzeTokenizer, ScansEachLineOfTheTable) {
  TZuzUderUze h(nullptr);
  for (const TokenCase& c : TokenCases()) {
    SCOPED_TRACE("line: " + c.Line);
    EXPECT_EQ(Tokens(h, c.Line), c.Expected);
    EXPECT_TRUE(h.GetEol());
  }
}

TEST(ZuzUderUzeTokenizer, EmptyLineIsAtItsEndAtOnce) {
  TZuzUderUze h(nullptr);
  h.SetLine("", 0);
  EXPECT_TRUE(h.GetEol());
  EXPECT_EQ(h.TokenKind(), tkNull);
  EXPECT_EQ(h.GetTokenPos(), 0);
  EXPECT_EQ(h.GetToken(), "");
  EXPECT_EQ(h.GetTokenAttribute(), nullptr);
  h.Next();
  EXPECT_TRUE(h.GetEol());
  EXPECT_EQ(h.GetTokenPos(), 0);
}

TEST(ZuzUderUzeTokenizer, RangeKeepsItsLowByteAndNoScannerTouchesIt) {
  TZuzUderUze h(nullptr);
  EXPECT_EQ(h.GetRange(), 0);
  h.SetRange(300);
  EXPECT_EQ(h.GetRange(), 44);
  h.SetLine("\"open string # and a comment", 0);
  h.NextToEol();
  EXPECT_EQ(h.GetRange(), 44);
  h.ResetRange();
  EXPECT_EQ(h.GetRange(), 0);
}

TEST(ZuzUderUzeTokenizer, EachKindHasItsAttribute) {
  TZuzUderUze h(nullptr);
  const std::vector<std::pair<std::string, TqzHighLightAttributes*>> cases = {
      {"#c", h.CommentAttri()}, {"abc", h.IdentifierAttri()}, {"\xE9", h.InvalidAttri()},
      {"if", h.KeyAttri()},     {"12", h.NumberAttri()},      {"ne", h.OperatorAttri()},
      {"vars", h.PragmaAttri()}, {" ", h.SpaceAttri()},      {"'s'", h.StringAttri()},
      {";", h.SymbolAttri()},   {"$0", h.VariableAttri()},
  };
  for (const auto& [line, attribute] : cases) {
    SCOPED_TRACE(line);
    h.SetLine(line, 0);
    EXPECT_EQ(h.GetTokenAttribute(), attribute);
  }
}

TEST(ZuzUderUze, PublishesItsAttributesAndLanguage) {
  TZuzUderUze h(nullptr);
  EXPECT_EQ(h.GetLanguageName(), "Perl");
  EXPECT_EQ(h.DefaultFilter(), "Perl files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi");
  EXPECT_EQ(h.GetCapabilities(), 6);
  EXPECT_EQ(h.GetDefaultAttribute(0), h.SpaceAttri());
  EXPECT_EQ(h.GetDefaultAttribute(1), h.CommentAttri());
  EXPECT_EQ(h.GetDefaultAttribute(2), h.KeyAttri());
  EXPECT_EQ(h.GetDefaultAttribute(3), nullptr);
  EXPECT_EQ(h.GetDefaultAttribute(-1), nullptr);

  TqzIdentChars chars;
  h.GetIdentifierChars(chars);
  std::string members;
  for (int c = 0; c < 256; ++c)
    if (chars.test(static_cast<size_t>(c))) members += static_cast<char>(c);
  EXPECT_EQ(members, "$%0123456789@ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");

  struct Default {
    TqzHighLightAttributes* Attribute;
    const char* Name;
    TColor Foreground;
    TFontStyles Style;
  };
  const std::vector<Default> defaults = {
      {h.CommentAttri(), "Comment", clNone, {fsItalic}},      {h.IdentifierAttri(), "Identifier", clNone, {}},
      {h.InvalidAttri(), "Illegal char", clNone, {}},         {h.KeyAttri(), "Reserved word", clNone, {fsBold}},
      {h.NumberAttri(), "Number", clNone, {}},                {h.OperatorAttri(), "Operator", clNone, {}},
      {h.PragmaAttri(), "Pragma", clNone, {fsBold}},          {h.SpaceAttri(), "Space", clWindow, {}},
      {h.StringAttri(), "String", clNone, {}},                {h.SymbolAttri(), "Symbol", clNone, {}},
      {h.VariableAttri(), "Variable", clNone, {fsBold}},
  };
  ASSERT_EQ(h.GetAttributeCount(), 11);
  for (const Default& d : defaults) {
    SCOPED_TRACE(d.Name);
    EXPECT_EQ(d.Attribute->Name(), d.Name);
    EXPECT_EQ(d.Attribute->Foreground(), d.Foreground);
    EXPECT_EQ(d.Attribute->Background(), clNone);
    EXPECT_EQ(d.Attribute->Style(), d.Style);
  }
}

TEST(ZuzUderUze, AnAttributeChangeReachesTheHookedEditors) {
  TZuzUderUze h(nullptr);
  std::vector<TObject*> senders;
  TNotifyEvent repaint([&](TObject* sender) { senders.push_back(sender); });
  h.HookAttributesChange(repaint);
  h.StringAttri()->SetForeground(clRed);
  h.StringAttri()->SetForeground(clRed);  // unchanged: no notice
  h.UnhookAttributesChange(repaint);
  h.StringAttri()->SetForeground(clBlue);
  EXPECT_EQ(senders, std::vector<TObject*>{&h});
}

TEST(ZuzUderUze, AssigningAPublishedAttributeCopiesIt) {
  TZuzUderUze h(nullptr);
  TqzHighLightAttributes source("String");
  source.SetForeground(clTeal);
  source.SetStyle({fsUnderline});
  h.SetStringAttri(&source);
  EXPECT_NE(h.StringAttri(), &source);
  EXPECT_EQ(h.StringAttri()->Foreground(), clTeal);
  EXPECT_EQ(h.StringAttri()->Style(), TFontStyles{fsUnderline});
}

TEST(ZuzUderUze, RegistersItsClassOnce) {
  const int index = HighlighterList().IndexOf(&CreateHighlighterOf<TZuzUderUze>);
  ASSERT_GE(index, 0);
  RegisterHighlighterClass(&CreateHighlighterOf<TZuzUderUze>);
  EXPECT_EQ(HighlighterList().IndexOf(&CreateHighlighterOf<TZuzUderUze>), index);
  int entries = 0;
  for (int i = 0; i < HighlighterList().Count(); ++i)
    if (HighlighterList().Items(i) == &CreateHighlighterOf<TZuzUderUze>) ++entries;
  EXPECT_EQ(entries, 1);
}

using corvane::test::RecordingExport;

TEST(ZuzUderUze, HandsEveryTokenAndOneLineEndToTheExporter) {
  TZuzUderUze h(nullptr);
  RecordingExport exporter(nullptr);
  h.SetExporter(&exporter);
  const std::string line = "my $x='s'; # c\xE9\t1 eq vars $0";
  h.SetLineForExport(line);
  while (!h.GetEol()) h.NextForExport();
  using C = RecordingExport::Call;
  const std::vector<C> expected = {
      {"my", h.KeyAttri(), false, false},       {" ", h.SpaceAttri(), false, true},
      {"$x", h.IdentifierAttri(), false, false}, {"=", h.SymbolAttri(), true, false},
      {"'s'", h.StringAttri(), true, false},     {";", h.SymbolAttri(), true, false},
      {" ", h.SpaceAttri(), false, true},        {"# c\xE9\t1 eq vars $0", h.CommentAttri(), true, false},
      {"", nullptr, false, false},
  };
  EXPECT_EQ(exporter.Calls, expected);

  exporter.Calls.clear();
  h.SetLineForExport("\xE9" "1 eq vars $0");
  while (!h.GetEol()) h.NextForExport();
  const std::vector<C> second = {
      {"\xE9", h.SymbolAttri(), true, false},   {"1", h.NumberAttri(), false, false},
      {" ", h.SpaceAttri(), false, true},       {"eq", h.OperatorAttri(), false, false},
      {" ", h.SpaceAttri(), false, true},       {"vars", h.PragmaAttri(), false, false},
      {" ", h.SpaceAttri(), false, true},       {"$0", h.VariableAttri(), false, false},
      {"", nullptr, false, false},
  };
  EXPECT_EQ(exporter.Calls, second);
}

TEST(ZuzUderUze, ExportsNothingWithoutAnExporter) {
  TZuzUderUze h(nullptr);
  h.SetLineForExport("print 1;");
  EXPECT_EQ(h.GetToken(), "print");
  while (!h.GetEol()) h.NextForExport();
  EXPECT_EQ(h.GetTokenPos(), 8);
}

TEST(PerlColorSchemes, ColourTheAttributesAsTheMainWindowShowsThem) {
  struct SchemeCase {
    TPerlColorScheme Scheme;
    const char* Name;
    TColor Comment;
    TColor String;
  };
  const std::vector<SchemeCase> cases = {
      {TPerlColorScheme::StandardSyntax, "StandardSyntax", clHighlight, clWindowText},
      {TPerlColorScheme::VizuviZozaze, "VizuviZozaze", clHighlight, clPurple},
      {TPerlColorScheme::MonochromeSyntax, "MonochromeSyntax", clWindowText, clMenuText},
  };
  TComponent owner(nullptr);
  for (const SchemeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TZuzUderUze* h = CreatePerlColorScheme(&owner, c.Scheme);
    EXPECT_EQ(h->Owner(), &owner);
    EXPECT_EQ(h->Name(), c.Name);
    EXPECT_EQ(h->DefaultFilter(), "Perl files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi");
    for (int i = 0; i < h->GetAttributeCount(); ++i) {
      TqzHighLightAttributes* a = h->GetAttribute(i);
      SCOPED_TRACE(a->Name());
      EXPECT_EQ(a->Background(), clWindow);
      const TColor foreground = a == h->CommentAttri() ? c.Comment : a == h->StringAttri() ? c.String : clWindowText;
      EXPECT_EQ(a->Foreground(), foreground);
      TFontStyles style;
      if (a == h->CommentAttri()) style = {fsItalic};
      if (a == h->KeyAttri() || a == h->PragmaAttri() || a == h->VariableAttri()) style = {fsBold};
      EXPECT_EQ(a->Style(), style);
    }
  }
  EXPECT_EQ(owner.ComponentCount(), 3);
}

}  // namespace
