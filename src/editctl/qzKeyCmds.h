#pragma once
// Editor command codes, their identifiers, and the key-stroke bindings that turn keys into commands.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/ShortCuts.h"
#include "vcl/SysUtils.h"

using TqzEditorCommand = std::uint16_t;

inline constexpr TqzEditorCommand ecNone = 0;
inline constexpr TqzEditorCommand ecLeft = 1;
inline constexpr TqzEditorCommand ecRight = 2;
inline constexpr TqzEditorCommand ecUp = 3;
inline constexpr TqzEditorCommand ecDown = 4;
inline constexpr TqzEditorCommand ecWordLeft = 5;
inline constexpr TqzEditorCommand ecWordRight = 6;
inline constexpr TqzEditorCommand ecLineStart = 7;
inline constexpr TqzEditorCommand ecLineEnd = 8;
inline constexpr TqzEditorCommand ecPageUp = 9;
inline constexpr TqzEditorCommand ecPageDown = 10;
inline constexpr TqzEditorCommand ecPageLeft = 11;
inline constexpr TqzEditorCommand ecPageRight = 12;
inline constexpr TqzEditorCommand ecPageTop = 13;
inline constexpr TqzEditorCommand ecPageBottom = 14;
inline constexpr TqzEditorCommand ecEditorTop = 15;
inline constexpr TqzEditorCommand ecEditorBottom = 16;
inline constexpr TqzEditorCommand ecGotoXY = 17;

// A selecting motion is its plain motion plus this offset.
inline constexpr TqzEditorCommand ecSelection = 100;
inline constexpr TqzEditorCommand ecSelLeft = ecLeft + ecSelection;
inline constexpr TqzEditorCommand ecSelRight = ecRight + ecSelection;
inline constexpr TqzEditorCommand ecSelUp = ecUp + ecSelection;
inline constexpr TqzEditorCommand ecSelDown = ecDown + ecSelection;
inline constexpr TqzEditorCommand ecSelWordLeft = ecWordLeft + ecSelection;
inline constexpr TqzEditorCommand ecSelWordRight = ecWordRight + ecSelection;
inline constexpr TqzEditorCommand ecSelLineStart = ecLineStart + ecSelection;
inline constexpr TqzEditorCommand ecSelLineEnd = ecLineEnd + ecSelection;
inline constexpr TqzEditorCommand ecSelPageUp = ecPageUp + ecSelection;
inline constexpr TqzEditorCommand ecSelPageDown = ecPageDown + ecSelection;
inline constexpr TqzEditorCommand ecSelPageLeft = ecPageLeft + ecSelection;
inline constexpr TqzEditorCommand ecSelPageRight = ecPageRight + ecSelection;
inline constexpr TqzEditorCommand ecSelPageTop = ecPageTop + ecSelection;
inline constexpr TqzEditorCommand ecSelPageBottom = ecPageBottom + ecSelection;
inline constexpr TqzEditorCommand ecSelEditorTop = ecEditorTop + ecSelection;
inline constexpr TqzEditorCommand ecSelEditorBottom = ecEditorBottom + ecSelection;
inline constexpr TqzEditorCommand ecSelGotoXY = ecGotoXY + ecSelection;

inline constexpr TqzEditorCommand ecSelectAll = 199;

inline constexpr TqzEditorCommand ecDeleteLastChar = 401;
inline constexpr TqzEditorCommand ecDeleteChar = 402;
inline constexpr TqzEditorCommand ecDeleteWord = 403;
inline constexpr TqzEditorCommand ecDeleteLastWord = 404;
inline constexpr TqzEditorCommand ecDeleteBOL = 405;
inline constexpr TqzEditorCommand ecDeleteEOL = 406;
inline constexpr TqzEditorCommand ecDeleteLine = 407;
inline constexpr TqzEditorCommand ecClearAll = 408;
inline constexpr TqzEditorCommand ecLineBreak = 409;
inline constexpr TqzEditorCommand ecInsertLine = 410;
inline constexpr TqzEditorCommand ecChar = 411;

inline constexpr TqzEditorCommand ecImeStr = 500;

inline constexpr TqzEditorCommand ecUndo = 601;
inline constexpr TqzEditorCommand ecRedo = 602;
inline constexpr TqzEditorCommand ecCut = 603;
inline constexpr TqzEditorCommand ecCopy = 604;
inline constexpr TqzEditorCommand ecPaste = 605;
inline constexpr TqzEditorCommand ecScrollUp = 606;
inline constexpr TqzEditorCommand ecScrollDown = 607;
inline constexpr TqzEditorCommand ecScrollLeft = 608;
inline constexpr TqzEditorCommand ecScrollRight = 609;
inline constexpr TqzEditorCommand ecInsertMode = 610;
inline constexpr TqzEditorCommand ecOverwriteMode = 611;
inline constexpr TqzEditorCommand ecToggleMode = 612;
inline constexpr TqzEditorCommand ecBlockIndent = 613;
inline constexpr TqzEditorCommand ecBlockUnindent = 614;
inline constexpr TqzEditorCommand ecNormalSelect = 615;
inline constexpr TqzEditorCommand ecColumnSelect = 616;
inline constexpr TqzEditorCommand ecLineSelect = 617;
inline constexpr TqzEditorCommand ecTab = 618;
inline constexpr TqzEditorCommand ecShiftTab = 619;
inline constexpr TqzEditorCommand ecMatchBracket = 620;

inline constexpr TqzEditorCommand ecGotoMarker0 = 701;
inline constexpr TqzEditorCommand ecGotoMarker1 = 702;
inline constexpr TqzEditorCommand ecGotoMarker2 = 703;
inline constexpr TqzEditorCommand ecGotoMarker3 = 704;
inline constexpr TqzEditorCommand ecGotoMarker4 = 705;
inline constexpr TqzEditorCommand ecGotoMarker5 = 706;
inline constexpr TqzEditorCommand ecGotoMarker6 = 707;
inline constexpr TqzEditorCommand ecGotoMarker7 = 708;
inline constexpr TqzEditorCommand ecGotoMarker8 = 709;
inline constexpr TqzEditorCommand ecGotoMarker9 = 710;
inline constexpr TqzEditorCommand ecSetMarker0 = 751;
inline constexpr TqzEditorCommand ecSetMarker1 = 752;
inline constexpr TqzEditorCommand ecSetMarker2 = 753;
inline constexpr TqzEditorCommand ecSetMarker3 = 754;
inline constexpr TqzEditorCommand ecSetMarker4 = 755;
inline constexpr TqzEditorCommand ecSetMarker5 = 756;
inline constexpr TqzEditorCommand ecSetMarker6 = 757;
inline constexpr TqzEditorCommand ecSetMarker7 = 758;
inline constexpr TqzEditorCommand ecSetMarker8 = 759;
inline constexpr TqzEditorCommand ecSetMarker9 = 760;

// Codes from here up belong to the application: they reach OnProcessUserCommand and are never executed.
inline constexpr TqzEditorCommand ecUserFirst = 1001;

// Identifier look-ups over the command table, searched in table order (the first match wins).
bool EditorCommandFromIdent(const std::string& ident, int& value);
bool EditorCommandToIdent(int value, std::string& ident);
// The identifier, or the value in decimal when it has none.
std::string EditorCommandToText(TqzEditorCommand value);

// The hook events of the command executor: a handler may change Command (0 cancels) and AChar.
using TProcessCommandEvent = TEvent<void(TObject* Sender, TqzEditorCommand& Command, char& AChar, void* Data)>;

class EqzKeyError : public Exception {
  using Exception::Exception;
};

class TqzKeyStrokes;

// One binding: a key with its modifiers, optionally followed by a second one, giving a command.
class TqzKeyStroke : public TPersistent {
 public:
  explicit TqzKeyStroke(TqzKeyStrokes* collection);

  void Assign(TPersistent* source) override;
  std::string GetDisplayName() const;

  TShortCut GetShortCut() const;
  void SetShortCut(TShortCut value);  // EqzKeyError when another item has the resulting pair
  TShortCut GetShortCut2() const;
  void SetShortCut2(TShortCut value);
  TqzEditorCommand GetCommand() const { return FCommand; }
  void SetCommand(TqzEditorCommand value) { FCommand = value; }

  TqzKeyStrokes* Collection() const { return FCollection; }

  WORD Key = 0;
  TShiftState Shift;
  WORD Key2 = 0;
  TShiftState Shift2;

 private:
  void CheckUnique(TShortCut first, TShortCut second) const;

  TqzKeyStrokes* FCollection;
  TqzEditorCommand FCommand = ecNone;
};

// The editor's ordered list of bindings; look-ups return the first match.
class TqzKeyStrokes : public TPersistent {
 public:
  explicit TqzKeyStrokes(TPersistent* owner);

  TqzKeyStroke* Add();
  void Assign(TPersistent* source) override;
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  TqzKeyStroke* Items(int index) const;
  TPersistent* GetOwner() const { return FOwner; }

  int FindKeycode(WORD key, TShiftState shift) const;
  int FindKeycode2(WORD key, TShiftState shift, WORD key2, TShiftState shift2) const;
  int FindShortcut2(TShortCut shortCut, TShortCut shortCut2) const;

  void ResetDefaults();

 private:
  TPersistent* FOwner;
  std::vector<std::unique_ptr<TqzKeyStroke>> FItems;
};
