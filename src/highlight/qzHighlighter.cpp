#include "highlight/qzHighlighter.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "vcl/Registry.h"

namespace {

// The colours of imported schemes, by index.
constexpr std::array<TColor, 16> IdePalette = {clBlack, clMaroon, clGreen,  clOlive, clNavy, clPurple,
                                               clTeal,  clSilver, clGray,   clRed,   clLime, clYellow,
                                               clBlue,  clFuchsia, clAqua, clWhite};

std::optional<TColor> PaletteColor(int Index) {
  if (Index < 0 || Index >= static_cast<int>(IdePalette.size())) return std::nullopt;
  return IdePalette[static_cast<size_t>(Index)];
}

// Cuts the text before the first comma off Rest (all of it when there is none).
std::string NextField(std::string& Rest) {
  const size_t comma = Rest.find(',');
  std::string field = Rest.substr(0, comma);
  Rest = comma == std::string::npos ? std::string() : Rest.substr(comma + 1);
  return field;
}

bool FlagIsTrue(const std::string& Text) { return UpperCase(Text) != "FALSE" && Text != "0"; }

TFontStyles StyleFromFlags(bool Bold, bool Italic, bool Underline) {
  TFontStyles style;
  if (Bold) style.Include(fsBold);
  if (Italic) style.Include(fsItalic);
  if (Underline) style.Include(fsUnderline);
  return style;
}

}  // namespace

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

bool TqzHighLightAttributes::LoadFromIdeRegistry(HKEY RootKey, const std::string& Key, bool OldLayout,
                                                 const std::string& ValueName) {
  try {
    return OldLayout ? LoadOldLayout(RootKey, Key, ValueName) : LoadNewLayout(RootKey, Key, ValueName);
  } catch (const Exception&) {
    return false;
  }
}

// One string value "x,y,styles,default foreground,default background,foreground,background".
bool TqzHighLightAttributes::LoadOldLayout(HKEY RootKey, const std::string& Key, const std::string& ValueName) {
  TRegistry registry;
  registry.SetRootKey(RootKey);
  if (!registry.OpenKeyReadOnly(Key) || !registry.ValueExists(ValueName)) return false;
  std::string rest = registry.ReadString(ValueName);
  std::array<std::string, 7> fields;
  for (std::string& field : fields) field = NextField(rest);
  const std::optional<TColor> background = fields[4] == "1" ? clWindow : PaletteColor(StrToInt(fields[6]));
  const std::optional<TColor> foreground = fields[3] == "1" ? clWindowText : PaletteColor(StrToInt(fields[5]));
  if (!background || !foreground) return false;
  SetBackground(*background);
  SetForeground(*foreground);
  SetStyle(StyleFromFlags(fields[2].find('B') != std::string::npos, fields[2].find('I') != std::string::npos,
                          fields[2].find('U') != std::string::npos));
  return true;
}

// A subkey ValueName with seven values.
bool TqzHighLightAttributes::LoadNewLayout(HKEY RootKey, const std::string& Key, const std::string& ValueName) {
  TRegistry registry;
  registry.SetRootKey(RootKey);
  if (!registry.OpenKeyReadOnly(Key + "\\" + ValueName)) return false;
  for (const char* name : {"Foreground Color", "Background Color", "Bold", "Italic", "Underline",
                           "Default Foreground", "Default Background"})
    if (!registry.ValueExists(name)) return false;
  const int foregroundIndex = registry.ReadInteger("Foreground Color");
  const int backgroundIndex = registry.ReadInteger("Background Color");
  const bool bold = FlagIsTrue(registry.ReadString("Bold"));
  const bool italic = FlagIsTrue(registry.ReadString("Italic"));
  const bool underline = FlagIsTrue(registry.ReadString("Underline"));
  const std::optional<TColor> foreground =
      FlagIsTrue(registry.ReadString("Default Foreground")) ? clWindowText : PaletteColor(foregroundIndex);
  const std::optional<TColor> background =
      FlagIsTrue(registry.ReadString("Default Background")) ? clWindow : PaletteColor(backgroundIndex);
  if (!background || !foreground) return false;
  SetBackground(*background);
  SetForeground(*foreground);
  SetStyle(StyleFromFlags(bold, italic, underline));
  return true;
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

void TqzCustomHighLighter::SetExporter(TqzTokenExporter* Value) {
  if (FExporter == Value) return;
  if (FExporter) RemoveFreeNotification(FExporter);
  FExporter = Value;
  if (FExporter) FreeNotification(FExporter);
}

void TqzCustomHighLighter::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FExporter) FExporter = nullptr;
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

bool TqzCustomHighLighter::SaveToRegistry(HKEY RootKey, const std::string& Key) {
  try {
    TRegistry registry;
    registry.SetRootKey(RootKey);
    if (!registry.OpenKey(Key, true)) return false;
    for (int i = 0; i < GetAttributeCount(); ++i) {
      const TqzHighLightAttributes* attribute = GetAttribute(i);
      const std::string path = registry.CurrentPath();
      if (!registry.OpenKey(attribute->Name(), true)) return false;
      registry.WriteInteger("Background", attribute->Background());
      registry.WriteInteger("Foreground", attribute->Foreground());
      registry.WriteInteger("Style", static_cast<int>(attribute->Style().Bits() & 0x0F));
      registry.OpenKey("\\" + path, false);
    }
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
}

bool TqzCustomHighLighter::LoadFromRegistry(HKEY RootKey, const std::string& Key) {
  try {
    TRegistry registry;
    registry.SetRootKey(RootKey);
    if (!registry.OpenKeyReadOnly(Key)) return false;
    for (int i = 0; i < GetAttributeCount(); ++i) {
      TqzHighLightAttributes* attribute = GetAttribute(i);
      const std::string path = registry.CurrentPath();
      if (!registry.OpenKeyReadOnly(attribute->Name())) return false;
      if (registry.ValueExists("Background")) attribute->SetBackground(registry.ReadInteger("Background"));
      if (registry.ValueExists("Foreground")) attribute->SetForeground(registry.ReadInteger("Foreground"));
      if (registry.ValueExists("Style")) {
        // Set style by style, as the stored bits say; higher bits mean nothing.
        const int bits = registry.ReadInteger("Style");
        attribute->SetStyle(bits & 1 ? TFontStyles{fsBold} : TFontStyles{});
        if (bits & 2) attribute->SetStyle(attribute->Style() + TFontStyles{fsItalic});
        if (bits & 4) attribute->SetStyle(attribute->Style() + TFontStyles{fsUnderline});
        if (bits & 8) attribute->SetStyle(attribute->Style() + TFontStyles{fsStrikeOut});
      }
      registry.OpenKeyReadOnly("\\" + path);
    }
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
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
