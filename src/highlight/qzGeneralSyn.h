#pragma once
// A configurable keyword highlighter for languages without a scanner of their own: the user gives the
// keywords, the comment forms that count, the string delimiter and the editor's word characters.
// Block comments ("(*", "{", "/*") span lines through the range state.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "highlight/qzHighlighter.h"
#include "vcl/Sets.h"

enum TCommentStyle { csAnsiStyle, csPasStyle, csCStyle, csAsmStyle, csBasStyle };
using TCommentStyles = TSet<TCommentStyle>;

enum TStringDelim { sdSingleQuote, sdDoubleQuote };

// The numbers GetTokenKind returns.
enum class TGeneralTokenKind : std::uint8_t {
  tkComment,
  tkIdentifier,
  tkKey,
  tkNull,
  tkNumber,
  tkSpace,
  tkString,
  tkSymbol,
  tkUnknown
};

// The values GetRange returns; any other value scans as rsNone.
enum class TGeneralRangeState : std::uint8_t { rsAnsiComment = 1, rsPasComment = 2, rsCComment = 3, rsNone = 4 };

class TqzGeneralSyn : public TqzLineHighLighter {
 public:
  explicit TqzGeneralSyn(TComponent* AOwner);
  std::string ClassName() const override { return "TqzGeneralSyn"; }

  void GetIdentifierChars(TqzIdentChars& Chars) const override { Chars = FIdentChars; }
  TqzHighLightAttributes* GetDefaultAttribute(int Kind) const override;
  std::uint8_t GetCapabilities() const override { return TqzCustomHighLighter::GetCapabilities() | 4; }
  std::string GetLanguageName() const override { return "General"; }
  void NextForExport() override;
  bool GetEol() const override { return FTokenKind == TGeneralTokenKind::tkNull; }
  TqzHighLightAttributes* GetTokenAttribute() const override;
  int GetTokenKind() const override { return static_cast<int>(FTokenKind); }
  void Next() override;
  void ResetRange() override { FRange = static_cast<std::uint8_t>(TGeneralRangeState::rsNone); }
  // The string value "KeyWords" (one keyword a line) beside the attributes' subkeys.
  bool LoadFromRegistry(HKEY RootKey, const std::string& Key) override;
  bool SaveToRegistry(HKEY RootKey, const std::string& Key) override;

  TGeneralTokenKind TokenKind() const { return FTokenKind; }

  TCommentStyles Comments() const { return FComments; }
  // Repaints the hooked editors, also for the same value.
  void SetComments(TCommentStyles Value);
  // Sorted by byte value, without duplicates.
  TStrings* KeyWords() { return &FKeyWords; }
  // Upper-cases the given list itself (ASCII letters), takes a copy and repaints the hooked editors.
  // A nil list raises the assignment error and changes nothing.
  void SetKeyWords(TStrings* Value);
  TStringDelim StringDelim() const { return FStringDelim == '\'' ? sdSingleQuote : sdDoubleQuote; }
  void SetStringDelim(TStringDelim Value);
  // The editor's word characters in ascending order (at most 255 of them); the scanner's own word rule
  // is fixed and does not use them.
  std::string IdentifierChars() const;
  // Exactly the characters of Value.
  void SetIdentifierChars(const std::string& Value);

  TqzHighLightAttributes* CommentAttri() const { return FCommentAttri; }
  TqzHighLightAttributes* IdentifierAttri() const { return FIdentifierAttri; }
  TqzHighLightAttributes* KeyAttri() const { return FKeyAttri; }
  TqzHighLightAttributes* NumberAttri() const { return FNumberAttri; }
  TqzHighLightAttributes* SpaceAttri() const { return FSpaceAttri; }
  TqzHighLightAttributes* StringAttri() const { return FStringAttri; }
  TqzHighLightAttributes* SymbolAttri() const { return FSymbolAttri; }

 private:
  // The scanner a token's first character selects.
  enum class TScanner : std::uint8_t {
    EndOfLine,
    LineFeed,
    CarriageReturn,
    Space,
    CharCode,
    HexNumber,
    RoundOpen,
    Slash,
    Number,
    Semicolon,
    Word,
    BraceOpen,
    String,
    Unknown
  };

  TqzHighLightAttributes* NewAttribute(const char* Name, TFontStyles Style);
  void BuildDispatch();
  bool InBlockComment() const;
  bool ClosesAt(int Index, std::string_view Closer) const;
  bool IsKeyword(std::string_view Word);

  // Each scanner starts at the token start in FRun and leaves FRun after the token.
  TGeneralTokenKind ScanToken();
  TGeneralTokenKind ScanBlockComment(TGeneralRangeState Range, int From);
  TGeneralTokenKind ContinueComment();
  TGeneralTokenKind ScanLineBreak();
  TGeneralTokenKind ScanRoundOpen();
  TGeneralTokenKind ScanSlash();
  TGeneralTokenKind ScanNumber();
  TGeneralTokenKind ScanWord();
  TGeneralTokenKind ScanString();
  void SkipWhile(bool (*Member)(char));

  TqzHighLightAttributes* FCommentAttri;
  TqzHighLightAttributes* FIdentifierAttri;
  TqzHighLightAttributes* FKeyAttri;
  TqzHighLightAttributes* FNumberAttri;
  TqzHighLightAttributes* FSpaceAttri;
  TqzHighLightAttributes* FStringAttri;
  TqzHighLightAttributes* FSymbolAttri;

  TStringList FKeyWords;
  std::string FWordBuffer;  // the upper-cased word of a lookup, kept to spare an allocation per word
  TCommentStyles FComments;
  char FStringDelim = '\'';
  TqzIdentChars FIdentChars;
  std::array<TScanner, 256> FDispatch{};

  TGeneralTokenKind FTokenKind = TGeneralTokenKind::tkNull;
};
