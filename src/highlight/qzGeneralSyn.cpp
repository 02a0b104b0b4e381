#include "highlight/qzGeneralSyn.h"

#include "vcl/Registry.h"
#include "vcl/SysUtils.h"

namespace {

using enum TGeneralTokenKind;
using enum TGeneralRangeState;

constexpr bool IsLineEnd(char c) { return c == '\0' || c == '\n' || c == '\r'; }
constexpr bool IsBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32 && u != 10 && u != 13;
}
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
constexpr bool IsWordStart(char c) { return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// The scanner's word characters, whatever the editor is told.
constexpr bool IsWordChar(char c) { return IsWordStart(c) || IsDigit(c); }
constexpr bool IsNumberChar(char c) { return IsDigit(c) || c == '.' || c == 'E' || c == 'e'; }

std::string_view CloserOf(TGeneralRangeState Range) {
  switch (Range) {
    case rsAnsiComment:
      return "*)";
    case rsPasComment:
      return "}";
    default:
      return "*/";
  }
}

const bool Registered = (RegisterHighlighterClass(&CreateHighlighterOf<TqzGeneralSyn>), true);

}  // namespace

TqzGeneralSyn::TqzGeneralSyn(TComponent* AOwner) : TqzLineHighLighter(AOwner) {
  FKeyWords.SetSorted(true);
  FKeyWords.SetCaseSensitive(true);  // byte order, which the lookup's binary search relies on
  FKeyWords.Duplicates = dupIgnore;
  FCommentAttri = NewAttribute("Comment", {fsItalic});
  FIdentifierAttri = NewAttribute("Identifier", {});
  FKeyAttri = NewAttribute("Reserved word", {fsBold});
  FNumberAttri = NewAttribute("Number", {});
  FSpaceAttri = NewAttribute("Space", {});
  FStringAttri = NewAttribute("String", {});
  FSymbolAttri = NewAttribute("Symbol", {});
  SetAttributesOnChange(TNotifyEvent(this, &TqzGeneralSyn::NotifyAttributesChanged));
  TqzCustomHighLighter::GetIdentifierChars(FIdentChars);
  BuildDispatch();
  ResetRange();
}

TqzHighLightAttributes* TqzGeneralSyn::NewAttribute(const char* Name, TFontStyles Style) {
  auto* attribute = new TqzHighLightAttributes(Name);
  attribute->SetStyle(Style);
  AddAttribute(attribute);
  return attribute;
}

void TqzGeneralSyn::BuildDispatch() {
  for (int code = 0; code < 256; ++code) {
    const char c = static_cast<char>(code);
    TScanner scanner = TScanner::Unknown;
    if (c == '\0')
      scanner = TScanner::EndOfLine;
    else if (c == '\n')
      scanner = TScanner::LineFeed;
    else if (c == '\r')
      scanner = TScanner::CarriageReturn;
    else if (IsBlank(c))
      scanner = TScanner::Space;
    else if (c == '#')
      scanner = TScanner::CharCode;
    else if (c == '$')
      scanner = TScanner::HexNumber;
    else if (c == '(')
      scanner = TScanner::RoundOpen;
    else if (c == '/')
      scanner = TScanner::Slash;
    else if (IsDigit(c))
      scanner = TScanner::Number;
    else if (c == ';')
      scanner = TScanner::Semicolon;
    else if (IsWordStart(c))
      scanner = TScanner::Word;
    else if (c == '{')
      scanner = TScanner::BraceOpen;
    FDispatch[static_cast<size_t>(code)] = scanner;
  }
  FDispatch[static_cast<unsigned char>(FStringDelim)] = TScanner::String;
}

// ---------------------------------------------------------------------------------------------------
// Properties

void TqzGeneralSyn::SetComments(TCommentStyles Value) {
  FComments = Value;
  NotifyAttributesChanged();
}

void TqzGeneralSyn::SetKeyWords(TStrings* Value) {
  if (Value) {
    const TStringsUpdate update(*Value);
    for (int i = 0; i < Value->Count(); ++i) Value->Put(i, UpperCase(Value->Get(i)));
  }
  FKeyWords.Assign(Value);
  NotifyAttributesChanged();
}

void TqzGeneralSyn::SetStringDelim(TStringDelim Value) {
  const char delim = Value == sdDoubleQuote ? '"' : '\'';
  if (delim == FStringDelim) return;
  FStringDelim = delim;
  BuildDispatch();
}

std::string TqzGeneralSyn::IdentifierChars() const {
  std::string chars;
  for (int code = 0; code < 256 && chars.size() < 255; ++code)
    if (FIdentChars.test(static_cast<size_t>(code))) chars.push_back(static_cast<char>(code));
  return chars;
}

void TqzGeneralSyn::SetIdentifierChars(const std::string& Value) {
  FIdentChars.reset();
  for (const char c : Value) FIdentChars.set(static_cast<unsigned char>(c));
}

TqzHighLightAttributes* TqzGeneralSyn::GetDefaultAttribute(int Kind) const {
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

TqzHighLightAttributes* TqzGeneralSyn::GetTokenAttribute() const {
  switch (FTokenKind) {
    case tkComment:
      return FCommentAttri;
    case tkIdentifier:
      return FIdentifierAttri;
    case tkKey:
      return FKeyAttri;
    case tkNumber:
      return FNumberAttri;
    case tkSpace:
      return FSpaceAttri;
    case tkString:
      return FStringAttri;
    case tkSymbol:
    case tkUnknown:
      return FSymbolAttri;
    case tkNull:
      break;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------------
// The tokenizer contract

void TqzGeneralSyn::Next() {
  FTokenPos = FRun;
  FTokenKind = InBlockComment() ? ContinueComment() : ScanToken();
}

void TqzGeneralSyn::NextForExport() {
  Next();
  TqzTokenExporter* exporter = Exporter();
  if (!exporter) return;
  const bool encode = FTokenKind == tkComment || FTokenKind == tkString || FTokenKind == tkSymbol ||
                      FTokenKind == tkUnknown;
  exporter->ExportToken(TokenText(), GetTokenAttribute(), encode, FTokenKind == tkSpace);
}

bool TqzGeneralSyn::InBlockComment() const {
  return FRange == static_cast<std::uint8_t>(rsAnsiComment) || FRange == static_cast<std::uint8_t>(rsPasComment) ||
         FRange == static_cast<std::uint8_t>(rsCComment);
}

// ---------------------------------------------------------------------------------------------------
// Scanners

bool TqzGeneralSyn::ClosesAt(int Index, std::string_view Closer) const {
  for (size_t i = 0; i < Closer.size(); ++i)
    if (At(Index + static_cast<int>(i)) != Closer[i]) return false;
  return true;
}

void TqzGeneralSyn::SkipWhile(bool (*Member)(char)) {
  while (Member(At(FRun))) ++FRun;
}

TGeneralTokenKind TqzGeneralSyn::ScanToken() {
  const char c = At(FRun);
  switch (FDispatch[static_cast<unsigned char>(c)]) {
    case TScanner::EndOfLine:
      return tkNull;
    case TScanner::LineFeed:
    case TScanner::CarriageReturn:
      return ScanLineBreak();
    case TScanner::Space:
      SkipWhile(IsBlank);
      return tkSpace;
    case TScanner::CharCode:
      ++FRun;
      SkipWhile(IsDigit);
      return tkString;
    case TScanner::HexNumber:
      ++FRun;
      SkipWhile(IsHexDigit);
      return tkNumber;
    case TScanner::RoundOpen:
      return ScanRoundOpen();
    case TScanner::Slash:
      return ScanSlash();
    case TScanner::Number:
      return ScanNumber();
    case TScanner::Semicolon:
      ++FRun;
      if (!FComments.Contains(csAsmStyle) && !FComments.Contains(csBasStyle)) return tkSymbol;
      // The comment runs over line breaks to the end of the text.
      while (At(FRun) != '\0') ++FRun;
      FRange = static_cast<std::uint8_t>(rsNone);
      return tkComment;
    case TScanner::Word:
      return ScanWord();
    case TScanner::BraceOpen:
      if (!FComments.Contains(csPasStyle)) {
        ++FRun;
        return tkSymbol;
      }
      return ScanBlockComment(rsPasComment, FRun + 1);
    case TScanner::String:
      return ScanString();
    case TScanner::Unknown:
      break;
  }
  ++FRun;
  return tkUnknown;
}

// LF, CR or CR LF.
TGeneralTokenKind TqzGeneralSyn::ScanLineBreak() {
  FRun += At(FRun) == '\r' && At(FRun + 1) == '\n' ? 2 : 1;
  return tkSpace;
}

// A comment opened by Range's opener, whose closer is searched from From: it ends after the closer, or
// before a line break or the end of the text, where the range stays so that the next line continues it.
TGeneralTokenKind TqzGeneralSyn::ScanBlockComment(TGeneralRangeState Range, int From) {
  const std::string_view closer = CloserOf(Range);
  FRange = static_cast<std::uint8_t>(Range);
  for (FRun = From; !IsLineEnd(At(FRun)); ++FRun) {
    if (ClosesAt(FRun, closer)) {
      FRun += static_cast<int>(closer.size());
      FRange = static_cast<std::uint8_t>(rsNone);
      break;
    }
  }
  return tkComment;
}

TGeneralTokenKind TqzGeneralSyn::ContinueComment() {
  switch (At(FRun)) {
    case '\0':
      return tkNull;
    case '\n':
    case '\r':
      return ScanLineBreak();
    default:
      return ScanBlockComment(static_cast<TGeneralRangeState>(FRange), FRun);
  }
}

TGeneralTokenKind TqzGeneralSyn::ScanRoundOpen() {
  if (FComments.Contains(csAnsiStyle)) {
    if (At(FRun + 1) == '*') return ScanBlockComment(rsAnsiComment, FRun + 2);
    if (At(FRun + 1) == '.') {
      FRun += 2;
      return tkSymbol;
    }
  }
  ++FRun;
  return tkSymbol;
}

TGeneralTokenKind TqzGeneralSyn::ScanSlash() {
  if (At(FRun + 1) == '/') {  // a line comment, whatever the comment styles
    while (!IsLineEnd(At(FRun))) ++FRun;
    return tkComment;
  }
  // The closer is searched from the opener's star, so "/*/" is a whole comment.
  if (At(FRun + 1) == '*' && FComments.Contains(csCStyle)) return ScanBlockComment(rsCComment, FRun + 1);
  ++FRun;
  return tkSymbol;
}

TGeneralTokenKind TqzGeneralSyn::ScanNumber() {
  ++FRun;
  while (IsNumberChar(At(FRun)) && !(At(FRun) == '.' && At(FRun + 1) == '.')) ++FRun;  // "1..5" is a range
  return tkNumber;
}

TGeneralTokenKind TqzGeneralSyn::ScanWord() {
  const int start = FRun;
  SkipWhile(IsWordChar);
  return IsKeyword(std::string_view(FLine + start, static_cast<size_t>(FRun - start))) ? tkKey : tkIdentifier;
}

// A doubled delimiter right after the opening one starts the scan at the third; the scan moves at least
// one character and stops at a delimiter or line break, which it takes, or at the end of the text.
TGeneralTokenKind TqzGeneralSyn::ScanString() {
  if (At(FRun + 1) == FStringDelim && At(FRun + 2) == FStringDelim) FRun += 2;
  do {
    ++FRun;
  } while (At(FRun) != FStringDelim && !IsLineEnd(At(FRun)));
  if (At(FRun) != '\0') ++FRun;
  return tkString;
}

bool TqzGeneralSyn::IsKeyword(std::string_view Word) {
  FWordBuffer.assign(Word);
  for (char& c : FWordBuffer)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  int index = 0;
  return FKeyWords.Find(FWordBuffer, index);
}

// ---------------------------------------------------------------------------------------------------
// Registry

bool TqzGeneralSyn::LoadFromRegistry(HKEY RootKey, const std::string& Key) {
  try {
    TRegistry registry;
    registry.SetRootKey(RootKey);
    if (!registry.OpenKeyReadOnly(Key)) return false;
    // Taken as stored: a keyword saved with lower-case letters never matches.
    if (registry.ValueExists("KeyWords")) FKeyWords.SetText(registry.ReadString("KeyWords"));
  } catch (const ERegistryException&) {
    return false;
  }
  return TqzCustomHighLighter::LoadFromRegistry(RootKey, Key);
}

bool TqzGeneralSyn::SaveToRegistry(HKEY RootKey, const std::string& Key) {
  try {
    TRegistry registry;
    registry.SetRootKey(RootKey);
    if (!registry.OpenKey(Key, true)) return false;
    registry.WriteString("KeyWords", FKeyWords.Text());
  } catch (const ERegistryException&) {
    return false;
  }
  return TqzCustomHighLighter::SaveToRegistry(RootKey, Key);
}
