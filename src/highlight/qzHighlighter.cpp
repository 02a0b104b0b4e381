#include "highlight/qzHighlighter.h"

#include <algorithm>
#include <memory>

TqzHighLightAttributes::TqzHighLightAttributes(const std::string& AName) : FName(AName) {}

void TqzHighLightAttributes::Changed() { Fire(OnChange, this); }

void TqzHighLightAttributes::SetBackground(TColor Value) {
  if (FBackground == Value) return;
  FBackground = Value;
  Changed();
}

void TqzHighLightAttributes::SetForeground(TColor Value) {
  if (FForeground == Value) return;
  FForeground = Value;
  Changed();
}

void TqzHighLightAttributes::SetStyle(TFontStyles Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

void TqzHighLightAttributes::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TqzHighLightAttributes*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  FName = src->FName;
  bool changed = false;
  if (FBackground != src->FBackground) {
    FBackground = src->FBackground;
    changed = true;
  }
  if (FForeground != src->FForeground) {
    FForeground = src->FForeground;
    changed = true;
  }
  if (FStyle != src->FStyle) {
    FStyle = src->FStyle;
    changed = true;
  }
  if (changed) Changed();
}

// ---------------------------------------------------------------------------------------------------

TqzCustomHighLighter::TqzCustomHighLighter(TComponent* AOwner) : TComponent(AOwner), FAttrChangeHooks(this) {
  FAttributes.SetSorted(true);
  FAttributes.Duplicates = dupError;
  FAttributes.OwnsObjects = true;
}

TqzCustomHighLighter::~TqzCustomHighLighter() = default;

void TqzCustomHighLighter::GetIdentifierChars(TqzIdentChars& Chars) const {
  Chars.reset();
  for (int c = 33; c <= 255; ++c) Chars.set(static_cast<size_t>(c));
}

int TqzCustomHighLighter::GetAttributeCount() const { return FAttributes.Count(); }

TqzHighLightAttributes* TqzCustomHighLighter::GetAttribute(int Index) const {
  if (Index < 0 || Index >= FAttributes.Count()) return nullptr;
  return static_cast<TqzHighLightAttributes*>(FAttributes.Objects(Index));
}

void TqzCustomHighLighter::SetDefaultFilter(const std::string& Value) {
  if (FDefaultFilter != Value) FDefaultFilter = Value;
}

std::string TqzCustomHighLighter::GetToken() const {
  std::string s;
  GetTokenText(s);
  return s;
}

void TqzCustomHighLighter::ScanToEol() {
  while (!GetEol()) Next();
}

bool TqzCustomHighLighter::AttributesUseStyle(TFontStyle Style) const {
  for (int i = 0; i < GetAttributeCount(); ++i)
    if (GetAttribute(i)->Style().Contains(Style)) return true;
  return false;
}

void TqzCustomHighLighter::AddAttribute(TqzHighLightAttributes* AAttrib) {
  std::unique_ptr<TqzHighLightAttributes> owned(AAttrib);  // freed if the list refuses it
  FAttributes.AddObject(AAttrib->Name(), AAttrib);
  owned.release();
}

void TqzCustomHighLighter::SetAttributesOnChange(const TNotifyEvent& Handler) {
  for (int i = 0; i < GetAttributeCount(); ++i) GetAttribute(i)->OnChange = Handler;
}

void TqzCustomHighLighter::NotifyAttributesChanged(TObject*) { FAttrChangeHooks.Fire(); }

void TqzCustomHighLighter::HookAttributesChange(const TNotifyEvent& Handler) { FAttrChangeHooks.Add(Handler); }

void TqzCustomHighLighter::UnhookAttributesChange(const TNotifyEvent& Handler) { FAttrChangeHooks.Remove(Handler); }

// ---------------------------------------------------------------------------------------------------

int THighlighterList::IndexOf(TqzCustomHighLighterClass AClass) const {
  auto it = std::find(FClasses.begin(), FClasses.end(), AClass);
  return it == FClasses.end() ? -1 : static_cast<int>(it - FClasses.begin());
}

THighlighterList& HighlighterList() {
  static THighlighterList list;
  return list;
}

void RegisterHighlighterClass(TqzCustomHighLighterClass AClass) {
  if (HighlighterList().IndexOf(AClass) < 0) HighlighterList().Add(AClass);
}
