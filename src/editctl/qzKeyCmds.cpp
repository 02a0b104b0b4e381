#include "editctl/qzKeyCmds.h"

#include <algorithm>
#include <array>

namespace {

struct TCommandIdent {
  TqzEditorCommand Value;
  const char* Name;
};

// Table order matters: look-ups take the first match.
constexpr std::array<TCommandIdent, 89> kCommandIdents{{
    {ecNone, "ecNone"},
    {ecLeft, "ecLeft"},
    {ecRight, "ecRight"},
    {ecUp, "ecUp"},
    {ecDown, "ecDown"},
    {ecWordLeft, "ecWordLeft"},
    {ecWordRight, "ecWordRight"},
    {ecLineStart, "ecLineStart"},
    {ecLineEnd, "ecLineEnd"},
    {ecPageUp, "ecPageUp"},
    {ecPageDown, "ecPageDown"},
    {ecPageLeft, "ecPageLeft"},
    {ecPageRight, "ecPageRight"},
    {ecPageTop, "ecPageTop"},
    {ecPageBottom, "ecPageBottom"},
    {ecEditorTop, "ecEditorTop"},
    {ecEditorBottom, "ecEditorBottom"},
    {ecGotoXY, "ecGotoXY"},
    {ecSelLeft, "ecSelLeft"},
    {ecSelRight, "ecSelRight"},
    {ecSelUp, "ecSelUp"},
    {ecSelDown, "ecSelDown"},
    {ecSelWordLeft, "ecSelWordLeft"},
    {ecSelWordRight, "ecSelWordRight"},
    {ecSelLineStart, "ecSelLineStart"},
    {ecSelLineEnd, "ecSelLineEnd"},
    {ecSelPageUp, "ecSelPageUp"},
    {ecSelPageDown, "ecSelPageDown"},
    {ecSelPageLeft, "ecSelPageLeft"},
    {ecSelPageRight, "ecSelPageRight"},
    {ecSelPageTop, "ecSelPageTop"},
    {ecSelPageBottom, "ecSelPageBottom"},
    {ecSelEditorTop, "ecSelEditorTop"},
    {ecSelEditorBottom, "ecSelEditorBottom"},
    {ecSelGotoXY, "ecSelGotoXY"},
    {ecSelectAll, "ecSelectAll"},
    {ecDeleteLastChar, "ecDeleteLastChar"},
    {ecDeleteChar, "ecDeleteChar"},
    {ecDeleteWord, "ecDeleteWord"},
    {ecDeleteLastWord, "ecDeleteLastWord"},
    {ecDeleteBOL, "ecDeleteBOL"},
    {ecDeleteEOL, "ecDeleteEOL"},
    {ecDeleteLine, "ecDeleteLine"},
    {ecClearAll, "ecClearAll"},
    {ecLineBreak, "ecLineBreak"},
    {ecInsertLine, "ecInsertLine"},
    {ecChar, "ecChar"},
    {ecImeStr, "ecImeStr"},
    {ecUndo, "ecUndo"},
    {ecRedo, "ecRedo"},
    {ecCut, "ecCut"},
    {ecCopy, "ecCopy"},
    {ecPaste, "ecPaste"},
    {ecScrollUp, "ecScrollUp"},
    {ecScrollDown, "ecScrollDown"},
    {ecScrollLeft, "ecScrollLeft"},
    {ecScrollRight, "ecScrollRight"},
    {ecInsertMode, "ecInsertMode"},
    {ecOverwriteMode, "ecOverwriteMode"},
    {ecToggleMode, "ecToggleMode"},
    {ecBlockIndent, "ecBlockIndent"},
    {ecBlockUnindent, "ecBlockUnindent"},
    {ecTab, "ecTab"},
    {ecShiftTab, "ecShiftTab"},
    {ecMatchBracket, "ecMatchBracket"},
    {ecNormalSelect, "ecNormalSelect"},
    {ecColumnSelect, "ecColumnSelect"},
    {ecLineSelect, "ecLineSelect"},
    {ecUserFirst, "ecUserFirst"},
    {ecGotoMarker0, "ecGotoMarker0"},
    {ecGotoMarker1, "ecGotoMarker1"},
    {ecGotoMarker2, "ecGotoMarker2"},
    {ecGotoMarker3, "ecGotoMarker3"},
    {ecGotoMarker4, "ecGotoMarker4"},
    {ecGotoMarker5, "ecGotoMarker5"},
    {ecGotoMarker6, "ecGotoMarker6"},
    {ecGotoMarker7, "ecGotoMarker7"},
    {ecGotoMarker8, "ecGotoMarker8"},
    {ecGotoMarker9, "ecGotoMarker9"},
    {ecSetMarker0, "ecSetMarker0"},
    {ecSetMarker1, "ecSetMarker1"},
    {ecSetMarker2, "ecSetMarker2"},
    {ecSetMarker3, "ecSetMarker3"},
    {ecSetMarker4, "ecSetMarker4"},
    {ecSetMarker5, "ecSetMarker5"},
    {ecSetMarker6, "ecSetMarker6"},
    {ecSetMarker7, "ecSetMarker7"},
    {ecSetMarker8, "ecSetMarker8"},
    {ecSetMarker9, "ecSetMarker9"},
}};

struct TDefaultStroke {
  TqzEditorCommand Command;
  WORD Key;
  TShiftState Shift;
};

const TShiftState kNone{};
const TShiftState kShift{ssShift};
const TShiftState kCtrl{ssCtrl};
const TShiftState kAlt{ssAlt};
const TShiftState kShiftCtrl{ssShift, ssCtrl};
const TShiftState kShiftAlt{ssShift, ssAlt};

const std::array<TDefaultStroke, 79> kDefaultStrokes{{
    {ecUp, VK_UP, kNone},
    {ecSelUp, VK_UP, kShift},
    {ecScrollUp, VK_UP, kCtrl},
    {ecDown, VK_DOWN, kNone},
    {ecSelDown, VK_DOWN, kShift},
    {ecScrollDown, VK_DOWN, kCtrl},
    {ecLeft, VK_LEFT, kNone},
    {ecSelLeft, VK_LEFT, kShift},
    {ecWordLeft, VK_LEFT, kCtrl},
    {ecSelWordLeft, VK_LEFT, kShiftCtrl},
    {ecRight, VK_RIGHT, kNone},
    {ecSelRight, VK_RIGHT, kShift},
    {ecWordRight, VK_RIGHT, kCtrl},
    {ecSelWordRight, VK_RIGHT, kShiftCtrl},
    {ecPageDown, VK_NEXT, kNone},
    {ecSelPageDown, VK_NEXT, kShift},
    {ecPageBottom, VK_NEXT, kCtrl},
    {ecSelPageBottom, VK_NEXT, kShiftCtrl},
    {ecPageUp, VK_PRIOR, kNone},
    {ecSelPageUp, VK_PRIOR, kShift},
    {ecPageTop, VK_PRIOR, kCtrl},
    {ecSelPageTop, VK_PRIOR, kShiftCtrl},
    {ecLineStart, VK_HOME, kNone},
    {ecSelLineStart, VK_HOME, kShift},
    {ecEditorTop, VK_HOME, kCtrl},
    {ecSelEditorTop, VK_HOME, kShiftCtrl},
    {ecLineEnd, VK_END, kNone},
    {ecSelLineEnd, VK_END, kShift},
    {ecEditorBottom, VK_END, kCtrl},
    {ecSelEditorBottom, VK_END, kShiftCtrl},
    {ecToggleMode, VK_INSERT, kNone},
    {ecCopy, VK_INSERT, kCtrl},
    {ecPaste, VK_INSERT, kShift},
    {ecDeleteChar, VK_DELETE, kNone},
    {ecCut, VK_DELETE, kShift},
    {ecDeleteLastChar, VK_BACK, kNone},
    {ecDeleteLastWord, VK_BACK, kCtrl},
    {ecUndo, VK_BACK, kAlt},
    {ecRedo, VK_BACK, kShiftAlt},
    {ecLineBreak, VK_RETURN, kNone},
    {ecSelectAll, 'A', kCtrl},
    {ecCopy, 'C', kCtrl},
    {ecBlockIndent, 'I', kShiftCtrl},
    {ecLineBreak, 'M', kCtrl},
    {ecInsertLine, 'N', kCtrl},
    {ecDeleteWord, 'T', kCtrl},
    {ecBlockUnindent, 'U', kShiftCtrl},
    {ecPaste, 'V', kCtrl},
    {ecCut, 'X', kCtrl},
    {ecDeleteLine, 'Y', kCtrl},
    {ecDeleteEOL, 'Y', kShiftCtrl},
    {ecUndo, 'Z', kCtrl},
    {ecRedo, 'Z', kShiftCtrl},
    {ecGotoMarker0, '0', kCtrl},
    {ecGotoMarker1, '1', kCtrl},
    {ecGotoMarker2, '2', kCtrl},
    {ecGotoMarker3, '3', kCtrl},
    {ecGotoMarker4, '4', kCtrl},
    {ecGotoMarker5, '5', kCtrl},
    {ecGotoMarker6, '6', kCtrl},
    {ecGotoMarker7, '7', kCtrl},
    {ecGotoMarker8, '8', kCtrl},
    {ecGotoMarker9, '9', kCtrl},
    {ecSetMarker0, '0', kShiftCtrl},
    {ecSetMarker1, '1', kShiftCtrl},
    {ecSetMarker2, '2', kShiftCtrl},
    {ecSetMarker3, '3', kShiftCtrl},
    {ecSetMarker4, '4', kShiftCtrl},
    {ecSetMarker5, '5', kShiftCtrl},
    {ecSetMarker6, '6', kShiftCtrl},
    {ecSetMarker7, '7', kShiftCtrl},
    {ecSetMarker8, '8', kShiftCtrl},
    {ecSetMarker9, '9', kShiftCtrl},
    {ecNormalSelect, 'N', kShiftCtrl},
    {ecColumnSelect, 'C', kShiftCtrl},
    {ecLineSelect, 'L', kShiftCtrl},
    {ecTab, VK_TAB, kNone},
    {ecShiftTab, VK_TAB, kShift},
    {ecMatchBracket, 'B', kShiftCtrl},
}};

}  // namespace

bool EditorCommandFromIdent(const std::string& ident, int& value) {
  const auto found = std::find_if(kCommandIdents.begin(), kCommandIdents.end(),
                                  [&](const TCommandIdent& entry) { return ident == entry.Name; });
  if (found == kCommandIdents.end()) return false;
  value = found->Value;
  return true;
}

bool EditorCommandToIdent(int value, std::string& ident) {
  const auto found = std::find_if(kCommandIdents.begin(), kCommandIdents.end(),
                                  [&](const TCommandIdent& entry) { return entry.Value == value; });
  if (found == kCommandIdents.end()) return false;
  ident = found->Name;
  return true;
}

std::string EditorCommandToText(TqzEditorCommand value) {
  std::string ident;
  if (!EditorCommandToIdent(value, ident)) ident = std::to_string(value);
  return ident;
}

// ---- TqzKeyStroke

TqzKeyStroke::TqzKeyStroke(TqzKeyStrokes* collection) : FCollection(collection) {}

void TqzKeyStroke::Assign(TPersistent* source) {
  if (auto* stroke = dynamic_cast<TqzKeyStroke*>(source)) {
    Key = stroke->Key;
    Shift = stroke->Shift;
    Key2 = stroke->Key2;
    Shift2 = stroke->Shift2;
    FCommand = stroke->FCommand;
    return;
  }
  TPersistent::Assign(source);
}

TShortCut TqzKeyStroke::GetShortCut() const { return ShortCut(Key, Shift); }
TShortCut TqzKeyStroke::GetShortCut2() const { return ShortCut(Key2, Shift2); }

void TqzKeyStroke::CheckUnique(TShortCut first, TShortCut second) const {
  if (!FCollection) return;
  const int found = FCollection->FindShortcut2(first, second);
  if (found >= 0 && FCollection->Items(found) != this) throw EqzKeyError("Shortcut already exists");
}

void TqzKeyStroke::SetShortCut(TShortCut value) {
  if (value != 0) CheckUnique(value, GetShortCut2());
  ShortCutToKey(value, Key, Shift);
}

void TqzKeyStroke::SetShortCut2(TShortCut value) {
  if (value != 0) CheckUnique(GetShortCut(), value);
  ShortCutToKey(value, Key2, Shift2);
}

std::string TqzKeyStroke::GetDisplayName() const {
  std::string name = EditorCommandToText(FCommand) + " - " + ShortCutToText(GetShortCut());
  if (GetShortCut() != 0) name += " " + ShortCutToText(GetShortCut2());
  if (name.empty()) name = "TqzKeyStroke";
  return name;
}

// ---- TqzKeyStrokes

TqzKeyStrokes::TqzKeyStrokes(TPersistent* owner) : FOwner(owner) {}

TqzKeyStroke* TqzKeyStrokes::Add() {
  FItems.push_back(std::make_unique<TqzKeyStroke>(this));
  return FItems.back().get();
}

void TqzKeyStrokes::Assign(TPersistent* source) {
  if (auto* strokes = dynamic_cast<TqzKeyStrokes*>(source)) {
    if (strokes == this) return;
    Clear();
    for (const auto& item : strokes->FItems) Add()->Assign(item.get());
    return;
  }
  TPersistent::Assign(source);
}

void TqzKeyStrokes::Clear() { FItems.clear(); }

TqzKeyStroke* TqzKeyStrokes::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
  return FItems[static_cast<std::size_t>(index)].get();
}

int TqzKeyStrokes::FindKeycode(WORD key, TShiftState shift) const {
  for (int i = 0; i < Count(); ++i) {
    const TqzKeyStroke& item = *FItems[static_cast<std::size_t>(i)];
    if (item.Key == key && item.Shift == shift && item.Key2 == 0) return i;
  }
  return -1;
}

int TqzKeyStrokes::FindKeycode2(WORD key, TShiftState shift, WORD key2, TShiftState shift2) const {
  for (int i = 0; i < Count(); ++i) {
    const TqzKeyStroke& item = *FItems[static_cast<std::size_t>(i)];
    if (item.Key == key && item.Shift == shift && item.Key2 == key2 && item.Shift2 == shift2) return i;
  }
  return -1;
}

int TqzKeyStrokes::FindShortcut2(TShortCut shortCut, TShortCut shortCut2) const {
  for (int i = 0; i < Count(); ++i) {
    const TqzKeyStroke& item = *FItems[static_cast<std::size_t>(i)];
    if (item.GetShortCut() == shortCut && item.GetShortCut2() == shortCut2) return i;
  }
  return -1;
}

void TqzKeyStrokes::ResetDefaults() {
  Clear();
  for (const TDefaultStroke& row : kDefaultStrokes) {
    TqzKeyStroke* item = Add();
    item->Key = row.Key;
    item->Shift = row.Shift;
    item->SetCommand(row.Command);
  }
}
