#include "highlight/ZuzUderUze.h"

namespace {

using enum TPerlTokenKind;

struct TPerlKeyword {
  std::string_view Text;
  TPerlTokenKind Kind;
};

// Matching is exact and case-sensitive.
constexpr TPerlKeyword PerlKeywords[] = {

    // tkKey
    {"abs", tkKey}, {"accept", tkKey}, {"alarm", tkKey}, {"atan2", tkKey}, {"bind", tkKey},
    {"binmode", tkKey}, {"bless", tkKey}, {"caller", tkKey}, {"chdir", tkKey}, {"chmod", tkKey},
    {"chomp", tkKey}, {"chop", tkKey}, {"chown", tkKey}, {"chr", tkKey}, {"chroot", tkKey}, {"close", tkKey},
    {"closedir", tkKey}, {"connect", tkKey}, {"cos", tkKey}, {"crypt", tkKey}, {"dbmclose", tkKey},
    {"dbmopen", tkKey}, {"defined", tkKey}, {"delete", tkKey}, {"die", tkKey}, {"do", tkKey}, {"dump", tkKey},
    {"each", tkKey}, {"else", tkKey}, {"elsif", tkKey}, {"endgrent", tkKey}, {"endhostent", tkKey},
    {"endnetent", tkKey}, {"endprotoent", tkKey}, {"endpwent", tkKey}, {"endservent", tkKey}, {"eof", tkKey},
    {"eval", tkKey}, {"exec", tkKey}, {"exists", tkKey}, {"exit", tkKey}, {"exp", tkKey}, {"fcntl", tkKey},
    {"fileno", tkKey}, {"flock", tkKey}, {"for", tkKey}, {"foreach", tkKey}, {"fork", tkKey},
    {"format", tkKey}, {"formline", tkKey}, {"getc", tkKey}, {"getgrent", tkKey}, {"getgrgid", tkKey},
    {"getgrnam", tkKey}, {"gethostbyaddr", tkKey}, {"gethostbyname", tkKey}, {"gethostent", tkKey},
    {"getlogin", tkKey}, {"getnetbyaddr", tkKey}, {"getnetbyname", tkKey}, {"getnetent", tkKey},
    {"getpeername", tkKey}, {"getpgrp", tkKey}, {"getppid", tkKey}, {"getpriority", tkKey},
    {"getprotobyname", tkKey}, {"getprotobynumber", tkKey}, {"getprotoent", tkKey}, {"getpwent", tkKey},
    {"getpwnam", tkKey}, {"getpwuid", tkKey}, {"getservbyname", tkKey}, {"getservbyport", tkKey},
    {"getservent", tkKey}, {"getsockname", tkKey}, {"getsockopt", tkKey}, {"glob", tkKey}, {"gmtime", tkKey},
    {"goto", tkKey}, {"grep", tkKey}, {"hex", tkKey}, {"if", tkKey}, {"import", tkKey}, {"index", tkKey},
    {"int", tkKey}, {"ioctl", tkKey}, {"join", tkKey}, {"keys", tkKey}, {"kill", tkKey}, {"last", tkKey},
    {"lc", tkKey}, {"lcfirst", tkKey}, {"length", tkKey}, {"link", tkKey}, {"listen", tkKey},
    {"local", tkKey}, {"localtime", tkKey}, {"log", tkKey}, {"lstat", tkKey}, {"m", tkKey}, {"map", tkKey},
    {"mkdir", tkKey}, {"msgctl", tkKey}, {"msgget", tkKey}, {"msgrcv", tkKey}, {"msgsnd", tkKey},
    {"my", tkKey}, {"next", tkKey}, {"no", tkKey}, {"oct", tkKey}, {"open", tkKey}, {"opendir", tkKey},
    {"ord", tkKey}, {"pack", tkKey}, {"package", tkKey}, {"pipe", tkKey}, {"pop", tkKey}, {"pos", tkKey},
    {"print", tkKey}, {"push", tkKey}, {"q", tkKey}, {"qq", tkKey}, {"quotemeta", tkKey}, {"qw", tkKey},
    {"qx", tkKey}, {"rand", tkKey}, {"read", tkKey}, {"readdir", tkKey}, {"readlink", tkKey}, {"recv", tkKey},
    {"redo", tkKey}, {"ref", tkKey}, {"rename", tkKey}, {"require", tkKey}, {"reset", tkKey},
    {"return", tkKey}, {"reverse", tkKey}, {"rewinddir", tkKey}, {"rindex", tkKey}, {"rmdir", tkKey},
    {"scalar", tkKey}, {"seek", tkKey}, {"seekdir", tkKey}, {"select", tkKey}, {"semctl", tkKey},
    {"semget", tkKey}, {"semop", tkKey}, {"send", tkKey}, {"setgrent", tkKey}, {"sethostent", tkKey},
    {"setnetent", tkKey}, {"setpgrp", tkKey}, {"setpriority", tkKey}, {"setprotoent", tkKey},
    {"setpwent", tkKey}, {"setservent", tkKey}, {"setsockopt", tkKey}, {"shift", tkKey}, {"shmctl", tkKey},
    {"shmget", tkKey}, {"shmread", tkKey}, {"shmwrite", tkKey}, {"shutdown", tkKey}, {"sin", tkKey},
    {"sleep", tkKey}, {"socket", tkKey}, {"socketpair", tkKey}, {"sort", tkKey}, {"splice", tkKey},
    {"split", tkKey}, {"sprintf", tkKey}, {"sqrt", tkKey}, {"srand", tkKey}, {"stat", tkKey},
    {"study", tkKey}, {"sub", tkKey}, {"substr", tkKey}, {"symlink", tkKey}, {"syscall", tkKey},
    {"sysread", tkKey}, {"system", tkKey}, {"syswrite", tkKey}, {"tell", tkKey}, {"telldir", tkKey},
    {"tie", tkKey}, {"time", tkKey}, {"times", tkKey}, {"tr", tkKey}, {"truncate", tkKey}, {"uc", tkKey},
    {"ucfirst", tkKey}, {"umask", tkKey}, {"undef", tkKey}, {"unless", tkKey}, {"unlink", tkKey},
    {"unpack", tkKey}, {"unshift", tkKey}, {"untie", tkKey}, {"use", tkKey}, {"utime", tkKey},
    {"values", tkKey}, {"vec", tkKey}, {"wait", tkKey}, {"waitpid", tkKey}, {"wantarray", tkKey},
    {"warn", tkKey}, {"while", tkKey}, {"write", tkKey},

    // tkOperator
    {"and", tkOperator}, {"cmp", tkOperator}, {"eq", tkOperator}, {"ge", tkOperator}, {"gt", tkOperator},
    {"le", tkOperator}, {"lt", tkOperator}, {"ne", tkOperator}, {"not", tkOperator}, {"or", tkOperator},
    {"xor", tkOperator},

    // tkPragma
    {"constant", tkPragma}, {"diagnostics", tkPragma}, {"integer", tkPragma}, {"less", tkPragma},
    {"locale", tkPragma}, {"sigtrap", tkPragma}, {"strict", tkPragma}, {"subs", tkPragma}, {"vars", tkPragma},

    // tkVariable
    {"$ACCUMULATOR", tkVariable}, {"$ARG", tkVariable}, {"$ARGV", tkVariable}, {"$BASETIME", tkVariable},
    {"$CHILD_ERROR", tkVariable}, {"$DEBUGGING", tkVariable}, {"$EFFECTIVE_GROUP_ID", tkVariable},
    {"$EFFECTIVE_USER_ID", tkVariable}, {"$EGID", tkVariable}, {"$ENV", tkVariable}, {"$ERRNO", tkVariable},
    {"$EUID", tkVariable}, {"$EVAL_ERROR", tkVariable}, {"$EXECUTABLE_NAME", tkVariable},
    {"$FORMAT_FORMFEED", tkVariable}, {"$FORMAT_LINES_LEFT", tkVariable},
    {"$FORMAT_LINES_PER_PAGE", tkVariable}, {"$FORMAT_LINE_BREAK_CHARACTERS", tkVariable},
    {"$FORMAT_NAME", tkVariable}, {"$FORMAT_PAGE_NUMBER", tkVariable}, {"$FORMAT_TOP_NAME", tkVariable},
    {"$GID", tkVariable}, {"$INPLACE_EDIT", tkVariable}, {"$INPUT_LINE_NUMBER", tkVariable},
    {"$INPUT_RECORD_SEPARATOR", tkVariable}, {"$LAST_PAREN_MATCH", tkVariable},
    {"$LIST_SEPARATOR", tkVariable}, {"$MATCH", tkVariable}, {"$MULTILINE_MATCHING", tkVariable},
    {"$NR", tkVariable}, {"$OFMT", tkVariable}, {"$ORS", tkVariable}, {"$OS_ERROR", tkVariable},
    {"$OUTPUT_AUTOFLUSH", tkVariable}, {"$OUTPUT_FIELD_SEPARATOR", tkVariable}, {"$PERLDB", tkVariable},
    {"$PERL_VERSION", tkVariable}, {"$PID", tkVariable}, {"$POSTMATCH", tkVariable},
    {"$PREMATCH", tkVariable}, {"$PROCESS_ID", tkVariable}, {"$PROGRAM_NAME", tkVariable},
    {"$REAL_GROUP_ID", tkVariable}, {"$REAL_USER_ID", tkVariable}, {"$RS", tkVariable}, {"$SIG", tkVariable},
    {"$SUBSCRIPT_SEPARATOR", tkVariable}, {"$SUBSEP", tkVariable}, {"$SYSTEM_FD_MAX", tkVariable},
    {"$UID", tkVariable}, {"$WARNING", tkVariable}, {"%INC", tkVariable}, {"@ARGV", tkVariable},
    {"@INC", tkVariable},
};
constexpr int PerlKeywordCount = static_cast<int>(std::size(PerlKeywords));
static_assert(PerlKeywordCount == 282);

constexpr int ByteSum(std::string_view Word) {
  int sum = 0;
  for (char c : Word) sum += static_cast<unsigned char>(c);
  return sum;
}

// Every word has a slot, and no slot holds more words than a slot has room for.
template <int SlotCount>
constexpr bool KeywordsFitTheirSlots(int WordsPerSlot) {
  std::array<int, SlotCount> sharing{};
  for (const TPerlKeyword& word : PerlKeywords) {
    const int sum = ByteSum(word.Text);
    if (sum >= SlotCount || ++sharing[static_cast<size_t>(sum)] > WordsPerSlot) return false;
  }
  return true;
}

constexpr bool IsIdentChar(unsigned char c) {
  return c == '$' || c == '%' || c == '@' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
         (c >= 'a' && c <= 'z');
}

// Character classes as 256-entry tables, so the inner loops test one byte.
struct TCharClasses {
  std::array<bool, 256> Ident{};
  std::array<bool, 256> Blank{};      // 1-9, 11, 12, 14-32: white space without LF, CR and NUL
  std::array<bool, 256> Number{};     // - . 0-9 A-F X _ a-f x
  std::array<bool, 256> ShortVar{};   // what makes "$" and it a two-character special variable
  std::array<bool, 256> CaretVar{};   // what makes "$^" and it a three-character special variable

  constexpr TCharClasses() {
    for (int c = 0; c < 256; ++c) {
      const auto u = static_cast<unsigned char>(c);
      Ident[u] = IsIdentChar(u);
      Blank[u] = (c >= 1 && c <= 32) && c != 10 && c != 13;
      Number[u] = c == '-' || c == '.' || c == 'X' || c == '_' || c == 'x' || (c >= '0' && c <= '9') ||
                  (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    }
    for (unsigned char c : std::string_view("!\"#$%&'()*+-./:;<=>?@[\\]_`|~")) ShortVar[c] = true;
    for (unsigned char c = '0'; c <= '9'; ++c) ShortVar[c] = true;
    for (unsigned char c : std::string_view("ADFILPTWX")) CaretVar[c] = true;
  }
};
constexpr TCharClasses CharClasses;

constexpr unsigned char Byte(char c) { return static_cast<unsigned char>(c); }
constexpr bool EndsLine(char c) { return c == '\0' || c == '\n' || c == '\r'; }
constexpr bool IsWordStartLetter(char c) { return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

constexpr const char* FilterText = "Perl files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi";

const bool Registered = (RegisterHighlighterClass(&CreateHighlighterOf<TZuzUderUze>), true);

}  // namespace

TZuzUderUze::TZuzUderUze(TComponent* AOwner) : TqzLineHighLighter(AOwner) {
  FCommentAttri = NewAttribute("Comment", {fsItalic});
  FIdentifierAttri = NewAttribute("Identifier", {});
  FInvalidAttri = NewAttribute("Illegal char", {});
  FKeyAttri = NewAttribute("Reserved word", {fsBold});
  FNumberAttri = NewAttribute("Number", {});
  FOperatorAttri = NewAttribute("Operator", {});
  FPragmaAttri = NewAttribute("Pragma", {fsBold});
  FSpaceAttri = NewAttribute("Space", {});
  FSpaceAttri->SetForeground(clWindow);
  FStringAttri = NewAttribute("String", {});
  FSymbolAttri = NewAttribute("Symbol", {});
  FVariableAttri = NewAttribute("Variable", {fsBold});
  SetAttributesOnChange(TNotifyEvent(this, &TZuzUderUze::NotifyAttributesChanged));

  FKindAttributes = {FCommentAttri, FIdentifierAttri, FKeyAttri,    nullptr,      FNumberAttri, FOperatorAttri,
                     FPragmaAttri,  FSpaceAttri,      FStringAttri, FSymbolAttri, FInvalidAttri, FVariableAttri};
  FillPerlKeywordTable();
  FillPerlCharDispatch();
  SetDefaultFilter(FilterText);
}

TqzHighLightAttributes* TZuzUderUze::NewAttribute(const char* Name, TFontStyles Style) {
  auto* attribute = new TqzHighLightAttributes(Name);
  attribute->SetStyle(Style);
  AddAttribute(attribute);
  return attribute;
}

void TZuzUderUze::FillPerlCharDispatch() {
  for (int c = 0; c < 256; ++c) {
    TPerlScanner scanner = TPerlScanner::Symbol;
    if (c == 0)
      scanner = TPerlScanner::EndOfLine;
    else if (c == 10)
      scanner = TPerlScanner::LineFeed;
    else if (c == 13)
      scanner = TPerlScanner::CarriageReturn;
    else if (c <= 32)
      scanner = TPerlScanner::Space;
    else if (c == '#')
      scanner = TPerlScanner::Comment;
    else if (c == '"')
      scanner = TPerlScanner::DoubleQuoteString;
    else if (c == '\'')
      scanner = TPerlScanner::SingleQuoteString;
    else if (c == '.' || (c >= '0' && c <= '9'))
      scanner = TPerlScanner::NumberOrDot;
    else if (c == '$' || c == '%' || c == '@' || IsWordStartLetter(static_cast<char>(c)))
      scanner = TPerlScanner::VariableOrWord;
    else if (c == '`' || c >= 127)
      scanner = TPerlScanner::Unknown;
    FDispatch[static_cast<size_t>(c)] = scanner;
  }
}

// ---------------------------------------------------------------------------------------------------
// Keyword table

void TZuzUderUze::FillPerlKeywordTable() {
  static_assert(KeywordsFitTheirSlots<PerlKeywordSlots>(std::tuple_size_v<decltype(TPerlKeywordSlot::Words)>));
  FKeywords = {};
  for (int i = 0; i < PerlKeywordCount; ++i) {
    TPerlKeywordSlot& slot = FKeywords[static_cast<size_t>(ByteSum(PerlKeywords[i].Text))];
    slot.Words[slot.Count++] = static_cast<std::uint16_t>(i);
  }
}

inline int TZuzUderUze::HashPerlWord(int WordStart) {
  int sum = 0;
  int run = WordStart;
  for (; run < FLineLen && CharClasses.Ident[Byte(FLine[run])]; ++run) sum += Byte(FLine[run]);
  FWordLen = run - WordStart;
  return sum;
}

inline bool TZuzUderUze::MatchesPerlKeyword(std::string_view Keyword) const {
  if (static_cast<int>(Keyword.size()) != FWordLen) return false;
  const char* word = FLine + FWordStart;
  for (size_t i = 0; i < Keyword.size(); ++i)  // a plain loop: the words are short
    if (word[i] != Keyword[i]) return false;
  return true;
}

inline TPerlTokenKind TZuzUderUze::ClassifyPerlWord(int WordStart) {
  FWordStart = WordStart;
  const int sum = HashPerlWord(WordStart);
  if (sum >= PerlKeywordSlots) return tkIdentifier;
  const TPerlKeywordSlot& slot = FKeywords[static_cast<size_t>(sum)];
  for (int i = 0; i < slot.Count; ++i) {
    const TPerlKeyword& keyword = PerlKeywords[slot.Words[static_cast<size_t>(i)]];
    if (MatchesPerlKeyword(keyword.Text)) return keyword.Kind;
  }
  return tkIdentifier;
}

// ---------------------------------------------------------------------------------------------------
// Scanners. They work on a local run: the line's bytes may alias the members, which would otherwise
// be reloaded for every character.

inline TPerlTokenKind TZuzUderUze::ScanToken(int& Run) {
  switch (FDispatch[Byte(At(Run))]) {
    case TPerlScanner::EndOfLine:
      return tkNull;
    case TPerlScanner::Space:
      Run = SpaceEnd(Run);
      return tkSpace;
    case TPerlScanner::LineFeed:
      ++Run;
      return tkSpace;
    case TPerlScanner::CarriageReturn:
      Run += At(Run + 1) == '\n' ? 2 : 1;
      return tkSpace;
    case TPerlScanner::Comment:
      Run = CommentEnd(Run);
      return tkComment;
    case TPerlScanner::DoubleQuoteString:
      Run = DoubleQuoteStringEnd(Run);
      return tkString;
    case TPerlScanner::SingleQuoteString:
      Run = SingleQuoteStringEnd(Run);
      return tkString;
    case TPerlScanner::NumberOrDot:
      return ScanNumberOrDot(Run);
    case TPerlScanner::VariableOrWord:
      return ScanVariableOrWord(Run);
    case TPerlScanner::Unknown:
      ++Run;
      return tkUnknown;
    case TPerlScanner::Symbol:
      Run = SymbolEnd(Run);
      return tkSymbol;
  }
  return tkNull;
}

// Blanks and control characters other than LF, CR and NUL.
inline int TZuzUderUze::SpaceEnd(int Run) const {
  ++Run;
  while (Run < FLineLen && CharClasses.Blank[Byte(FLine[Run])]) ++Run;
  return Run;
}

// A comment runs to the line break or the end of the line.
inline int TZuzUderUze::CommentEnd(int Run) const {
  while (Run < FLineLen && !EndsLine(FLine[Run])) ++Run;
  return Run;
}

int TZuzUderUze::DoubleQuoteStringEnd(int Run) const {
  if (At(Run + 1) == '"' && At(Run + 2) == '"') Run += 2;  // three quotes open one string
  for (;;) {
    const char c = At(Run);
    if (EndsLine(c)) break;
    if (c == '\\' && At(Run + 1) == '"') ++Run;  // only a quote is escaped
    ++Run;
    if (At(Run) == '"') break;
  }
  if (At(Run) != '\0') ++Run;  // the closing quote, or the line break the string stopped at
  return Run;
}

int TZuzUderUze::SingleQuoteStringEnd(int Run) const {
  for (;;) {
    if (EndsLine(At(Run))) break;
    ++Run;
    if (At(Run) == '\'') break;
  }
  if (At(Run) != '\0') ++Run;
  return Run;
}

TPerlTokenKind TZuzUderUze::ScanNumberOrDot(int& Run) const {
  if (At(Run) == '.') {
    const char next = At(Run + 1);
    if (next == '.') {
      Run += At(Run + 2) == '.' ? 3 : 2;
      return tkSymbol;
    }
    if (next == '=') {
      Run += 2;
      return tkSymbol;
    }
    if (IsWordStartLetter(next)) {
      ++Run;
      return tkSymbol;
    }
  }
  ++Run;
  for (;;) {
    const char c = At(Run);
    if (!CharClasses.Number[Byte(c)]) break;
    const char next = At(Run + 1);
    if (c == '-' && next != 'e' && next != 'E') break;  // only an exponent's sign joins the number
    if (c == '.' && next == '.') break;                 // "1..5" is a range
    ++Run;
  }
  return tkNumber;
}

inline TPerlTokenKind TZuzUderUze::ScanVariableOrWord(int& Run) {
  const char first = At(Run);
  const char second = At(Run + 1);
  if (first == '$') {
    if (CharClasses.ShortVar[Byte(second)]) {
      Run += 2;
      return tkVariable;
    }
    if (second == '^') {
      const char third = At(Run + 2);
      if (EndsLine(third)) {
        Run += 2;
        return tkVariable;
      }
      if (CharClasses.CaretVar[Byte(third)]) {
        Run += 3;
        return tkVariable;
      }
    }
  } else if (first == '%' || first == 'x') {
    if (EndsLine(second)) {
      ++Run;
      return tkSymbol;
    }
    if (second == '=') {
      Run += 2;
      return tkSymbol;
    }
  }
  const TPerlTokenKind kind = ClassifyPerlWord(Run);
  Run += FWordLen;
  return kind;
}

// The longest symbol form starting at Run.
inline int TZuzUderUze::SymbolEnd(int Run) const {
  const char first = At(Run);
  const char second = At(Run + 1);
  const char third = second == '\0' ? '\0' : At(Run + 2);
  int length = 1;
  switch (first) {
    case '!':
      if (second == '=' || second == '~') length = 2;
      break;
    case '&':
    case '*':
    case '>':
    case '|':  // doubled, then maybe an assignment; or just an assignment
      if (second == first) length = third == '=' ? 3 : 2;
      else if (second == '=') length = 2;
      break;
    case '+':
      if (second == '+' || second == '=') length = 2;
      break;
    case '-':
      if (second == '-' || second == '=' || second == '>') length = 2;
      break;
    case '/':
    case '^':
      if (second == '=') length = 2;
      break;
    case ':':
      if (second == ':') length = 2;
      break;
    case '<':
      if (second == '<') length = third == '=' ? 3 : 2;
      else if (second == '=') length = third == '>' ? 3 : 2;
      break;
    case '=':
      if (second == '=' || second == '>' || second == '~') length = 2;
      break;
    default:  // ( ) , ; ? [ \ ] { } ~ and the other printable characters stand alone
      break;
  }
  return Run + length;
}

// ---------------------------------------------------------------------------------------------------
// The tokenizer contract

void TZuzUderUze::Next() {
  FTokenPos = FRun;
  FTokenKind = ScanToken(FRun);
}

void TZuzUderUze::ScanToEol() {
  if (FTokenKind == tkNull) return;
  int run = FRun;
  while (ScanToken(run) != tkNull) {
  }
  FRun = run;
  FTokenPos = run;  // the end-of-line token starts where the scan stopped
  FTokenKind = tkNull;
}

void TZuzUderUze::NextForExport() {
  Next();
  TqzTokenExporter* exporter = Exporter();
  if (!exporter) return;
  TqzHighLightAttributes* attribute = GetTokenAttribute();
  bool encode = false;
  switch (FTokenKind) {
    case tkComment:
    case tkString:
    case tkSymbol:
      encode = true;
      break;
    case tkUnknown:  // exported like a symbol, although painted as an illegal character
      attribute = FSymbolAttri;
      encode = true;
      break;
    default:
      break;
  }
  exporter->ExportToken(TokenText(), attribute, encode, FTokenKind == tkSpace);
}

TqzHighLightAttributes* TZuzUderUze::GetTokenAttribute() const {
  return FKindAttributes[static_cast<size_t>(FTokenKind)];
}

void TZuzUderUze::GetIdentifierChars(TqzIdentChars& Chars) const {
  Chars.reset();
  for (int c = 0; c < 256; ++c)
    if (CharClasses.Ident[static_cast<size_t>(c)]) Chars.set(static_cast<size_t>(c));
}

TqzHighLightAttributes* TZuzUderUze::GetDefaultAttribute(int Kind) const {
  switch (Kind) {
    case 0:
      return FSpaceAttri;
    case 1:
      return FCommentAttri;
    case 2:
      return FKeyAttri;
    default:
      return nullptr;
  }
}

std::uint8_t TZuzUderUze::GetCapabilities() const { return TqzCustomHighLighter::GetCapabilities() | 4; }

std::string TZuzUderUze::GetLanguageName() const { return "Perl"; }

// ---------------------------------------------------------------------------------------------------
// Colour schemes

void ApplyPerlColorScheme(TZuzUderUze* Highlighter, TPerlColorScheme Scheme) {
  for (int i = 0; i < Highlighter->GetAttributeCount(); ++i) {
    TqzHighLightAttributes* attribute = Highlighter->GetAttribute(i);
    attribute->SetBackground(clWindow);
    attribute->SetForeground(clWindowText);
    attribute->SetStyle({});
  }
  Highlighter->CommentAttri()->SetStyle({fsItalic});
  Highlighter->KeyAttri()->SetStyle({fsBold});
  Highlighter->PragmaAttri()->SetStyle({fsBold});
  Highlighter->VariableAttri()->SetStyle({fsBold});
  switch (Scheme) {
    case TPerlColorScheme::StandardSyntax:
      Highlighter->CommentAttri()->SetForeground(clHighlight);
      break;
    case TPerlColorScheme::VizuviZozaze:
      Highlighter->CommentAttri()->SetForeground(clHighlight);
      Highlighter->StringAttri()->SetForeground(clPurple);
      break;
    case TPerlColorScheme::MonochromeSyntax:
      Highlighter->StringAttri()->SetForeground(clMenuText);
      break;
  }
  Highlighter->SetDefaultFilter(FilterText);
}

TZuzUderUze* CreatePerlColorScheme(TComponent* AOwner, TPerlColorScheme Scheme) {
  auto* highlighter = new TZuzUderUze(AOwner);
  switch (Scheme) {
    case TPerlColorScheme::StandardSyntax:
      highlighter->SetName("StandardSyntax");
      break;
    case TPerlColorScheme::VizuviZozaze:
      highlighter->SetName("VizuviZozaze");
      break;
    case TPerlColorScheme::MonochromeSyntax:
      highlighter->SetName("MonochromeSyntax");
      break;
  }
  ApplyPerlColorScheme(highlighter, Scheme);
  return highlighter;
}
