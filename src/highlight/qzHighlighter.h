#pragma once
// The highlighter framework: token attributes, the per-line tokenizer contract every highlighter
// fulfils for the editor control and the exporters, and the process-wide list of highlighter classes.
//
// Tokenizer contract, as every caller uses it:
//   SetRange(state stored for the line) or ResetRange for the first line; SetLine(text, index) scans
//   the first token at once; while !GetEol(): GetTokenPos / GetTokenText / GetTokenAttribute /
//   GetTokenKind, then Next(). The tokens cover the line in order; the end-of-line token has an empty
//   text and no attribute, repeats on Next, and GetRange then gives the state for the next line.
//   The highlighter keeps a view of the text, so the caller keeps it alive until the line is done.
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/qzMethodChain.h"
#include "vcl/Classes.h"
#include "vcl/Graphics.h"
#include "win/Registry.h"

// An attribute without a colour of its own takes the editor's colour.
class TqzHighLightAttributes : public TPersistent {
 public:
  explicit TqzHighLightAttributes(const std::string& AName);
  std::string ClassName() const override { return "TqzHighLightAttributes"; }

  void Assign(TPersistent* Source) override;
  // Imports the colours and style from another editor's stored scheme, whose colours are indices
  // into the 16-colour palette. False, with nothing changed, when the values are missing or invalid.
  virtual bool LoadFromIdeRegistry(HKEY RootKey, const std::string& Key, bool OldLayout,
                                   const std::string& ValueName);

  const std::string& Name() const { return FName; }
  TColor Background() const { return FBackground; }
  void SetBackground(TColor Value);
  TColor Foreground() const { return FForeground; }
  void SetForeground(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);

  TNotifyEvent OnChange;

 private:
  void Changed();
  bool LoadOldLayout(HKEY RootKey, const std::string& Key, const std::string& ValueName);
  bool LoadNewLayout(HKEY RootKey, const std::string& Key, const std::string& ValueName);
  std::string FName;
  TColor FBackground = clNone;
  TColor FForeground = clNone;
  TFontStyles FStyle;
};

// A highlighter's state at the start of a line, stored by the editor with the line.
using TqzRangeState = std::intptr_t;
// One bit per character code.
using TqzIdentChars = std::bitset<256>;
// Sender, the token's kind, its text and the line number.
using TTokenEvent = TEvent<void(TObject* Sender, int TokenKind, const std::string& TokenText, int LineNo)>;

// What an export attaches to a highlighter: the exporters read the editor control's lines, so they sit
// above it, and the highlighter knows of them only that they take the tokens it scans (NextForExport).
class TqzTokenExporter : public TComponent {
 public:
  using TComponent::TComponent;
  // One token of the line being exported; the end-of-line token comes with an empty Text and no
  // attribute. Encode asks for the text to be escaped for the output format; IsSpace marks blanks.
  virtual void ExportToken(std::string_view Text, TqzHighLightAttributes* Attribute, bool Encode, bool IsSpace) = 0;
};

class TqzCustomHighLighter : public TComponent {
 public:
  explicit TqzCustomHighLighter(TComponent* AOwner);
  ~TqzCustomHighLighter() override;
  std::string ClassName() const override { return "TqzCustomHighLighter"; }

  virtual void GetIdentifierChars(TqzIdentChars& Chars) const;
  virtual int GetAttributeCount() const;
  // The attributes in the alphabetical order of their names; nullptr outside 0..count-1.
  virtual TqzHighLightAttributes* GetAttribute(int Index) const;
  // 0 white space, 1 comment, 2 reserved word; nullptr for any other kind.
  virtual TqzHighLightAttributes* GetDefaultAttribute(int Kind) const = 0;
  virtual std::string GetDefaultFilter() const { return FDefaultFilter; }
  virtual void SetDefaultFilter(const std::string& Value);
  virtual std::uint8_t GetCapabilities() const { return 2; }
  virtual std::string GetLanguageName() const { return "<Unknown>"; }
  // As Next, then hands the new token to the attached exporter.
  virtual void NextForExport() = 0;
  virtual bool GetEol() const = 0;
  virtual TqzRangeState GetRange() const = 0;
  virtual void GetTokenText(std::string& S) const = 0;
  // nullptr for the end-of-line token.
  virtual TqzHighLightAttributes* GetTokenAttribute() const = 0;
  virtual int GetTokenKind() const = 0;
  // 0-based offset of the current token from the line start.
  virtual int GetTokenPos() const = 0;
  virtual void Next() = 0;
  // Starts scanning Text (a line without its line break; 0-based LineNumber) from the current range.
  virtual void SetLine(std::string_view Text, int LineNumber) = 0;
  virtual void SetLineForExport(std::string_view Text) = 0;
  virtual void SetRange(TqzRangeState Value) = 0;
  virtual void ResetRange() = 0;
  // One subkey per attribute under RootKey\Key, named by the attribute, with the integer values
  // "Background", "Foreground" and "Style". False when a key cannot be opened or a value not read.
  virtual bool LoadFromRegistry(HKEY RootKey, const std::string& Key);
  virtual bool SaveToRegistry(HKEY RootKey, const std::string& Key);

  // The current token's text as a new string.
  std::string GetToken() const;
  // Scans to the end of the line, so that GetRange gives the line's end state.
  void NextToEol() { ScanToEol(); }
  // True when any attribute has Style in its font style; the editor sizes its cells by it.
  bool AttributesUseStyle(TFontStyle Style) const;

  void HookAttributesChange(const TNotifyEvent& Handler);
  void UnhookAttributesChange(const TNotifyEvent& Handler);
  // Tells every hooked listener that an attribute changed; the listener gets the highlighter as Sender.
  void NotifyAttributesChanged(TObject* Sender = nullptr);

  // The exporter that last started an export with this highlighter; not owned, cleared when it is freed.
  TqzTokenExporter* Exporter() const { return FExporter; }
  void SetExporter(TqzTokenExporter* Value);

  std::string DefaultFilter() const { return GetDefaultFilter(); }
  TTokenEvent OnToken;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Calls Next until GetEol; a highlighter may scan faster without the calls between tokens.
  virtual void ScanToEol();
  // Takes ownership; a second attribute of the same name raises the list's duplicate error.
  void AddAttribute(TqzHighLightAttributes* AAttrib);
  void SetAttributesOnChange(const TNotifyEvent& Handler);

 private:
  TStringList FAttributes;  // sorted by name; owns its objects
  TqzNotifyEventChain FAttrChangeHooks;
  TqzTokenExporter* FExporter = nullptr;
  std::string FDefaultFilter;
};

// A highlighter that scans one line at a time: the cursor over the line's text and the contract
// members that read it. Its scanners leave FRun after each token; its state between lines fits a byte.
class TqzLineHighLighter : public TqzCustomHighLighter {
 public:
  using TqzCustomHighLighter::TqzCustomHighLighter;

  TqzRangeState GetRange() const final { return FRange; }
  void SetRange(TqzRangeState Value) final { FRange = static_cast<std::uint8_t>(Value & 0xFF); }
  void GetTokenText(std::string& S) const final { S.assign(TokenText()); }
  int GetTokenPos() const final { return FTokenPos; }
  void SetLine(std::string_view Text, int) final {
    StartLine(Text);
    Next();
  }
  void SetLineForExport(std::string_view Text) final {
    StartLine(Text);
    NextForExport();
  }

 protected:
  void StartLine(std::string_view Text) {
    FLine = Text.data();
    FLineLen = static_cast<int>(Text.size());
    FRun = 0;
  }
  // The character at Index, NUL at and after the end of the line: the text ends at its first NUL.
  char At(int Index) const { return Index < FLineLen ? FLine[Index] : '\0'; }
  // The current token's text, in the line being scanned.
  std::string_view TokenText() const { return {FLine + FTokenPos, static_cast<size_t>(FRun - FTokenPos)}; }

  const char* FLine = "";
  int FLineLen = 0;
  int FRun = 0;
  int FTokenPos = 0;
  std::uint8_t FRange = 0;
};

// A class reference: makes a highlighter of one class, owned by AOwner.
using TqzCustomHighLighterClass = TqzCustomHighLighter* (*)(TComponent* AOwner);

template <class T>
TqzCustomHighLighter* CreateHighlighterOf(TComponent* AOwner) {
  return new T(AOwner);
}

// The process-wide list of highlighter classes; classes are never removed.
class THighlighterList {
 public:
  int Count() const { return static_cast<int>(FClasses.size()); }
  TqzCustomHighLighterClass Items(int Index) const { return FClasses.at(static_cast<size_t>(Index)); }
  int IndexOf(TqzCustomHighLighterClass AClass) const;
  void Add(TqzCustomHighLighterClass AClass) { FClasses.push_back(AClass); }

 private:
  std::vector<TqzCustomHighLighterClass> FClasses;
};

THighlighterList& HighlighterList();
// Adds the class unless it is listed already.
void RegisterHighlighterClass(TqzCustomHighLighterClass AClass);
