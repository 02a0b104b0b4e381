#pragma once
// The Perl highlighter: a one-line tokenizer for Perl scripts (no construct spans lines), its keyword
// table of reserved words, word operators, pragmas and special variables, and the three colour schemes
// of the editor's main window.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "highlight/qzHighlighter.h"

enum class TPerlTokenKind : std::uint8_t {
  tkComment,
  tkIdentifier,
  tkKey,
  tkNull,
  tkNumber,
  tkOperator,
  tkPragma,
  tkSpace,
  tkString,
  tkSymbol,
  tkUnknown,
  tkVariable
};

class TZuzUderUze : public TqzLineHighLighter {
 public:
  // Words are classified by the sum of their character codes, which stays below this for every listed word.
  static constexpr int PerlKeywordSlots = 2168;

  explicit TZuzUderUze(TComponent* AOwner);
  std::string ClassName() const override { return "TZuzUderUze"; }

  void GetIdentifierChars(TqzIdentChars& Chars) const override;
  TqzHighLightAttributes* GetDefaultAttribute(int Kind) const override;
  std::uint8_t GetCapabilities() const override;
  std::string GetLanguageName() const override;
  void NextForExport() override;
  bool GetEol() const override { return FTokenKind == TPerlTokenKind::tkNull; }
  TqzHighLightAttributes* GetTokenAttribute() const override;
  int GetTokenKind() const override { return static_cast<int>(FTokenKind); }
  void Next() override;
  void ResetRange() override { FRange = 0; }

  TPerlTokenKind TokenKind() const { return FTokenKind; }

  TqzHighLightAttributes* CommentAttri() const { return FCommentAttri; }
  TqzHighLightAttributes* IdentifierAttri() const { return FIdentifierAttri; }
  TqzHighLightAttributes* InvalidAttri() const { return FInvalidAttri; }
  TqzHighLightAttributes* KeyAttri() const { return FKeyAttri; }
  TqzHighLightAttributes* NumberAttri() const { return FNumberAttri; }
  TqzHighLightAttributes* OperatorAttri() const { return FOperatorAttri; }
  TqzHighLightAttributes* PragmaAttri() const { return FPragmaAttri; }
  TqzHighLightAttributes* SpaceAttri() const { return FSpaceAttri; }
  TqzHighLightAttributes* StringAttri() const { return FStringAttri; }
  TqzHighLightAttributes* SymbolAttri() const { return FSymbolAttri; }
  TqzHighLightAttributes* VariableAttri() const { return FVariableAttri; }
  // Assigning copies the given attribute into the highlighter's own.
  void SetCommentAttri(TqzHighLightAttributes* Value) { FCommentAttri->Assign(Value); }
  void SetIdentifierAttri(TqzHighLightAttributes* Value) { FIdentifierAttri->Assign(Value); }
  void SetInvalidAttri(TqzHighLightAttributes* Value) { FInvalidAttri->Assign(Value); }
  void SetKeyAttri(TqzHighLightAttributes* Value) { FKeyAttri->Assign(Value); }
  void SetNumberAttri(TqzHighLightAttributes* Value) { FNumberAttri->Assign(Value); }
  void SetOperatorAttri(TqzHighLightAttributes* Value) { FOperatorAttri->Assign(Value); }
  void SetPragmaAttri(TqzHighLightAttributes* Value) { FPragmaAttri->Assign(Value); }
  void SetSpaceAttri(TqzHighLightAttributes* Value) { FSpaceAttri->Assign(Value); }
  void SetStringAttri(TqzHighLightAttributes* Value) { FStringAttri->Assign(Value); }
  void SetSymbolAttri(TqzHighLightAttributes* Value) { FSymbolAttri->Assign(Value); }
  void SetVariableAttri(TqzHighLightAttributes* Value) { FVariableAttri->Assign(Value); }

 protected:
  void ScanToEol() override;

 private:
  // The scanner a token's first character selects.
  enum class TPerlScanner : std::uint8_t {
    EndOfLine,
    Space,
    LineFeed,
    CarriageReturn,
    Comment,
    DoubleQuoteString,
    SingleQuoteString,
    NumberOrDot,
    VariableOrWord,
    Unknown,
    Symbol
  };
  // The listed words whose character codes add up to one slot index (at most four share one).
  struct TPerlKeywordSlot {
    std::uint8_t Count = 0;
    std::array<std::uint16_t, 4> Words{};
  };

  TqzHighLightAttributes* NewAttribute(const char* Name, TFontStyles Style);
  void FillPerlCharDispatch();
  void FillPerlKeywordTable();

  TPerlTokenKind ClassifyPerlWord(int WordStart);
  int HashPerlWord(int WordStart);
  bool MatchesPerlKeyword(std::string_view Keyword) const;

  // Each scanner takes the token start in Run, leaves Run after the token and returns its kind.
  TPerlTokenKind ScanToken(int& Run);
  int SpaceEnd(int Run) const;
  int CommentEnd(int Run) const;
  int DoubleQuoteStringEnd(int Run) const;
  int SingleQuoteStringEnd(int Run) const;
  TPerlTokenKind ScanNumberOrDot(int& Run) const;
  TPerlTokenKind ScanVariableOrWord(int& Run);
  int SymbolEnd(int Run) const;

  TqzHighLightAttributes* FCommentAttri;
  TqzHighLightAttributes* FIdentifierAttri;
  TqzHighLightAttributes* FInvalidAttri;
  TqzHighLightAttributes* FKeyAttri;
  TqzHighLightAttributes* FNumberAttri;
  TqzHighLightAttributes* FOperatorAttri;
  TqzHighLightAttributes* FPragmaAttri;
  TqzHighLightAttributes* FSpaceAttri;
  TqzHighLightAttributes* FStringAttri;
  TqzHighLightAttributes* FSymbolAttri;
  TqzHighLightAttributes* FVariableAttri;
  std::array<TqzHighLightAttributes*, 12> FKindAttributes{};  // by token kind

  TPerlTokenKind FTokenKind = TPerlTokenKind::tkNull;
  int FWordStart = 0;
  int FWordLen = 0;
  std::array<TPerlScanner, 256> FDispatch{};
  std::array<TPerlKeywordSlot, PerlKeywordSlots> FKeywords{};
};

enum class TPerlColorScheme { StandardSyntax, VizuviZozaze, MonochromeSyntax };

// Gives every attribute the scheme's colours and styles.
void ApplyPerlColorScheme(TZuzUderUze* Highlighter, TPerlColorScheme Scheme);
// A Perl highlighter owned by AOwner, named after the scheme and coloured by it.
TZuzUderUze* CreatePerlColorScheme(TComponent* AOwner, TPerlColorScheme Scheme);
