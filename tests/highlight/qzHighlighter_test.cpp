#include "highlight/qzHighlighter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/TempRegistry.h"
#include "highlight/ZuzUderUze.h"
#include "vcl/Registry.h"

namespace {

// A highlighter with attributes of the given names that reads each line as one token.
class NamedAttributesHighlighter : public TqzCustomHighLighter {
 public:
  NamedAttributesHighlighter(const std::vector<std::string>& names) : TqzCustomHighLighter(nullptr) {
    for (const std::string& name : names) AddAttribute(new TqzHighLightAttributes(name));
    SetAttributesOnChange(TNotifyEvent(this, &NamedAttributesHighlighter::NotifyAttributesChanged));
  }
  void Add(const std::string& name) { AddAttribute(new TqzHighLightAttributes(name)); }

  TqzHighLightAttributes* GetDefaultAttribute(int) const override { return nullptr; }
  void NextForExport() override { Next(); }
  bool GetEol() const override { return pos_ >= static_cast<int>(line_.size()); }
  TqzRangeState GetRange() const override { return 0; }
  void GetTokenText(std::string& S) const override { S = GetEol() ? "" : std::string(line_); }
  TqzHighLightAttributes* GetTokenAttribute() const override { return GetEol() ? nullptr : GetAttribute(0); }
  int GetTokenKind() const override { return 0; }
  int GetTokenPos() const override { return pos_; }
  void Next() override { pos_ = static_cast<int>(line_.size()); }
  void SetLine(std::string_view Text, int) override {
    line_ = Text;
    pos_ = 0;
  }
  void SetLineForExport(std::string_view Text) override { SetLine(Text, 0); }
  void SetRange(TqzRangeState) override {}
  void ResetRange() override {}

 private:
  std::string_view line_;
  int pos_ = 0;
};

struct ChangeCounter {
  int Count = 0;
  void Changed(TObject*) { ++Count; }
};

TEST(qzHighLightAttributes, StartsWithoutColoursAndStyle) {
  TqzHighLightAttributes a("Comment");
  EXPECT_EQ(a.Name(), "Comment");
  EXPECT_EQ(a.Background(), 0x1FFFFFFF);
  EXPECT_EQ(a.Foreground(), 0x1FFFFFFF);
  EXPECT_TRUE(a.Style().Empty());
}

TEST(qzHighLightAttributes, SettersNotifyOnlyRealChanges) {
  TqzHighLightAttributes a("String");
  ChangeCounter counter;
  a.OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  a.SetBackground(clNone);
  a.SetForeground(clNone);
  a.SetStyle({});
  EXPECT_EQ(counter.Count, 0);
  a.SetBackground(clWhite);
  a.SetBackground(clWhite);
  a.SetForeground(clRed);
  a.SetStyle({fsBold});
  a.SetStyle({fsBold});
  EXPECT_EQ(counter.Count, 3);
}

TEST(qzHighLightAttributes, AssignNotifiesOnceForAnyNumberOfChanges) {
  TqzHighLightAttributes source("Source");
  TqzHighLightAttributes target("Target");
  ChangeCounter counter;
  target.OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);

  target.Assign(&source);  // same colours and style
  EXPECT_EQ(counter.Count, 0);
  EXPECT_EQ(target.Name(), "Source");

  source.SetForeground(clBlue);
  source.SetStyle({fsItalic, fsUnderline});
  target.Assign(&source);
  EXPECT_EQ(counter.Count, 1);
  EXPECT_EQ(target.Foreground(), clBlue);
  EXPECT_EQ(target.Background(), clNone);
  EXPECT_EQ(target.Style(), (TFontStyles{fsItalic, fsUnderline}));
}

TEST(qzHighLightAttributes, AssignFromAnotherClassFails) {
  TqzHighLightAttributes target("Target");
  TFont font;
  EXPECT_THROW(target.Assign(&font), EConvertError);
}

TEST(qzCustomHighLighter, ListsAttributesAlphabeticallyWithinBounds) {
  NamedAttributesHighlighter h({"Zeta", "alpha", "Mid"});
  ASSERT_EQ(h.GetAttributeCount(), 3);
  EXPECT_EQ(h.GetAttribute(0)->Name(), "alpha");
  EXPECT_EQ(h.GetAttribute(1)->Name(), "Mid");
  EXPECT_EQ(h.GetAttribute(2)->Name(), "Zeta");
  EXPECT_EQ(h.GetAttribute(-1), nullptr);
  EXPECT_EQ(h.GetAttribute(3), nullptr);
}

TEST(qzCustomHighLighter, RefusesASecondAttributeOfTheSameName) {
  NamedAttributesHighlighter h({"Number"});
  EXPECT_THROW(h.Add("number"), EStringListError);  // names compare without case
  EXPECT_EQ(h.GetAttributeCount(), 1);
}

TEST(qzCustomHighLighter, BaseDefaults) {
  NamedAttributesHighlighter h({});
  EXPECT_EQ(h.GetLanguageName(), "<Unknown>");
  EXPECT_EQ(h.GetCapabilities(), 2);
  EXPECT_EQ(h.DefaultFilter(), "");
  h.SetDefaultFilter("Text files|*.txt");
  EXPECT_EQ(h.DefaultFilter(), "Text files|*.txt");
  TqzIdentChars chars;
  h.GetIdentifierChars(chars);
  EXPECT_EQ(chars.count(), 223u);
  EXPECT_FALSE(chars.test(' '));
  EXPECT_TRUE(chars.test('!'));
  EXPECT_TRUE(chars.test(255));
}

TEST(qzCustomHighLighter, AnEmptyLineIsAtItsEndAtOnce) {
  NamedAttributesHighlighter h({"Text"});
  h.SetLine("", 0);
  EXPECT_TRUE(h.GetEol());
  EXPECT_EQ(h.GetTokenPos(), 0);
  EXPECT_EQ(h.GetToken(), "");
}

TEST(qzCustomHighLighter, AttributeChangesReachEveryHookedListener) {
  NamedAttributesHighlighter h({"A", "B"});
  std::vector<std::pair<int, TObject*>> calls;
  TNotifyEvent first([&](TObject* sender) { calls.push_back({1, sender}); });
  TNotifyEvent second([&](TObject* sender) { calls.push_back({2, sender}); });
  h.HookAttributesChange(first);
  h.HookAttributesChange(second);
  h.GetAttribute(1)->SetStyle({fsBold});
  h.UnhookAttributesChange(first);
  h.GetAttribute(0)->SetForeground(clRed);
  const std::vector<std::pair<int, TObject*>> expected = {{1, &h}, {2, &h}, {2, &h}};
  EXPECT_EQ(calls, expected);
}

TEST(qzCustomHighLighter, ProbesTheStylesInUse) {
  NamedAttributesHighlighter h({"A", "B"});
  EXPECT_FALSE(h.AttributesUseStyle(fsBold));
  h.GetAttribute(1)->SetStyle({fsBold});
  EXPECT_TRUE(h.AttributesUseStyle(fsBold));
  EXPECT_FALSE(h.AttributesUseStyle(fsItalic));
}

// ---------------------------------------------------------------------------------------------------
// Registry storage

constexpr const char* SchemeKey = "Software\\Ombrix\\Tarnwick\\Highlighter";

TEST(qzCustomHighLighterRegistry, SavedAttributesLoadBack) {
  corvane::test::TempRegistry registry;
  TZuzUderUze saved(nullptr);
  ApplyPerlColorScheme(&saved, TPerlColorScheme::VizuviZozaze);
  saved.NumberAttri()->SetForeground(clTeal);
  saved.NumberAttri()->SetStyle({fsUnderline, fsStrikeOut});
  saved.SpaceAttri()->SetBackground(clYellow);
  ASSERT_TRUE(saved.SaveToRegistry(HKEY_CURRENT_USER, SchemeKey));

  TZuzUderUze loaded(nullptr);
  ASSERT_TRUE(loaded.LoadFromRegistry(HKEY_CURRENT_USER, SchemeKey));
  for (int i = 0; i < saved.GetAttributeCount(); ++i) {
    SCOPED_TRACE(saved.GetAttribute(i)->Name());
    EXPECT_EQ(loaded.GetAttribute(i)->Background(), saved.GetAttribute(i)->Background());
    EXPECT_EQ(loaded.GetAttribute(i)->Foreground(), saved.GetAttribute(i)->Foreground());
    EXPECT_EQ(loaded.GetAttribute(i)->Style(), saved.GetAttribute(i)->Style());
  }

  TRegistry reader;
  ASSERT_TRUE(reader.OpenKeyReadOnly(std::string(SchemeKey) + "\\Illegal char"));
  EXPECT_EQ(reader.ReadInteger("Background"), clWindow);
  EXPECT_EQ(reader.ReadInteger("Style"), 0);
}

TEST(qzCustomHighLighterRegistry, StyleBitsLoadOneByOneAndHighBitsAreIgnored) {
  corvane::test::TempRegistry registry;
  NamedAttributesHighlighter h({"Text"});
  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(std::string(SchemeKey) + "\\Text", true));
    writer.WriteInteger("Style", 0x1F);
  }
  int changes = 0;
  h.HookAttributesChange(TNotifyEvent([&](TObject*) { ++changes; }));
  ASSERT_TRUE(h.LoadFromRegistry(HKEY_CURRENT_USER, SchemeKey));
  EXPECT_EQ(h.GetAttribute(0)->Style(), (TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}));
  EXPECT_EQ(h.GetAttribute(0)->Foreground(), clNone);  // a missing value leaves the colour
  EXPECT_EQ(changes, 4);
}

TEST(qzCustomHighLighterRegistry, LoadFailsWithoutTheKeysOrWithBadValues) {
  corvane::test::TempRegistry registry;
  NamedAttributesHighlighter h({"A", "B"});
  EXPECT_FALSE(h.LoadFromRegistry(HKEY_CURRENT_USER, SchemeKey));
  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(std::string(SchemeKey) + "\\A", true));
    writer.WriteInteger("Foreground", clRed);
  }
  EXPECT_FALSE(h.LoadFromRegistry(HKEY_CURRENT_USER, SchemeKey));  // no subkey "B"
  EXPECT_EQ(h.GetAttribute(0)->Foreground(), clRed);
  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(std::string(SchemeKey) + "\\B", true));
    writer.WriteString("Background", "blue");
  }
  EXPECT_FALSE(h.LoadFromRegistry(HKEY_CURRENT_USER, SchemeKey));
  EXPECT_EQ(h.GetAttribute(1)->Background(), clNone);
}

// ---------------------------------------------------------------------------------------------------
// Import from another editor's scheme

constexpr const char* IdeKey = "Software\\Other\\Editor\\Highlight";

void WriteOldLayout(const std::string& value) {
  TRegistry writer;
  ASSERT_TRUE(writer.OpenKey(IdeKey, true));
  writer.WriteString("Comment", value);
}

TEST(qzHighLightAttributesImport, OldLayoutValue) {
  struct OldCase {
    std::string Value;
    bool Result;
    TColor Foreground;
    TColor Background;
    TFontStyles Style;
  };
  const std::vector<OldCase> cases = {
      {"x,y,BU,0,1,12,7", true, clBlue, clWindow, {fsBold, fsUnderline}},
      {"x,y,I,1,0,3,9", true, clWindowText, clRed, {fsItalic}},
      {"x,y,,0,0,0,15", true, clBlack, clWhite, {}},
      {"x,y,BIU,0,0,16,1", false, clNone, clNone, {}},   // palette index out of range
      {"x,y,B,0,0,-1,1", false, clNone, clNone, {}},
      {"x,y,B,0,0,red,1", false, clNone, clNone, {}},    // not a number
      {"x,y,B,0,0", false, clNone, clNone, {}},          // fields missing
  };
  corvane::test::TempRegistry registry;
  for (const OldCase& c : cases) {
    SCOPED_TRACE(c.Value);
    WriteOldLayout(c.Value);
    TqzHighLightAttributes a("Comment");
    EXPECT_EQ(a.LoadFromIdeRegistry(HKEY_CURRENT_USER, IdeKey, true, "Comment"), c.Result);
    EXPECT_EQ(a.Foreground(), c.Foreground);
    EXPECT_EQ(a.Background(), c.Background);
    EXPECT_EQ(a.Style(), c.Style);
  }
  TqzHighLightAttributes a("Comment");
  EXPECT_FALSE(a.LoadFromIdeRegistry(HKEY_CURRENT_USER, IdeKey, true, "Missing"));
  EXPECT_FALSE(a.LoadFromIdeRegistry(HKEY_CURRENT_USER, "Software\\Nowhere", true, "Comment"));
}

TEST(qzHighLightAttributesImport, NewLayoutKey) {
  corvane::test::TempRegistry registry;
  const std::string key = std::string(IdeKey) + "\\Reserved word";
  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(key, true));
    writer.WriteInteger("Foreground Color", 4);
    writer.WriteInteger("Background Color", 14);
    writer.WriteString("Bold", "True");
    writer.WriteString("Italic", "false");
    writer.WriteString("Underline", "0");
    writer.WriteString("Default Foreground", "False");
    writer.WriteString("Default Background", "FALSE");
  }
  TqzHighLightAttributes a("Reserved word");
  ChangeCounter counter;
  a.OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  ASSERT_TRUE(a.LoadFromIdeRegistry(HKEY_CURRENT_USER, IdeKey, false, "Reserved word"));
  EXPECT_EQ(a.Foreground(), clNavy);
  EXPECT_EQ(a.Background(), clAqua);
  EXPECT_EQ(a.Style(), TFontStyles{fsBold});
  EXPECT_EQ(counter.Count, 3);

  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(key, true));
    writer.WriteString("Default Foreground", "yes");
    writer.WriteString("Default Background", "1");
  }
  ASSERT_TRUE(a.LoadFromIdeRegistry(HKEY_CURRENT_USER, IdeKey, false, "Reserved word"));
  EXPECT_EQ(a.Foreground(), clWindowText);
  EXPECT_EQ(a.Background(), clWindow);

  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(key, true));
    writer.WriteString("Default Foreground", "0");
    writer.WriteInteger("Foreground Color", 99);
  }
  EXPECT_FALSE(a.LoadFromIdeRegistry(HKEY_CURRENT_USER, IdeKey, false, "Reserved word"));
  EXPECT_EQ(a.Foreground(), clWindowText);  // nothing changed
  EXPECT_EQ(a.Background(), clWindow);

  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(key, false));
    writer.DeleteValue("Underline");
  }
  EXPECT_FALSE(a.LoadFromIdeRegistry(HKEY_CURRENT_USER, IdeKey, false, "Reserved word"));
}

}  // namespace
