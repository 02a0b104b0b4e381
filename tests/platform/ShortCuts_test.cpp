#include "vcl/ShortCuts.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortCuts, ValueCarriesKeyAndModifierBits) {
  EXPECT_EQ(ShortCut(VK_LEFT, TShiftState{ssShift, ssCtrl}), 24613);
  EXPECT_EQ(ShortCut(VK_BACK, TShiftState{ssShift, ssAlt}), 40968);
  EXPECT_EQ(ShortCut('A', TShiftState{ssCtrl, ssLeft, ssDouble}), 16449);  // mouse members do not count

  WORD key = 0;
  TShiftState shift;
  ShortCutToKey(24666, key, shift);
  EXPECT_EQ(key, 'Z');
  EXPECT_EQ(shift, (TShiftState{ssShift, ssCtrl}));
}

TEST(ShortCuts, TextRoundTrips) {
  struct Case {
    TShortCut value;
    const char* text;
  };
  const Case cases[] = {
      {'C' | scCtrl, "Ctrl+C"},
      {VK_LEFT | scShift | scCtrl, "Shift+Ctrl+Left"},
      {VK_BACK | scAlt, "Alt+BkSp"},
      {VK_NEXT, "PgDn"},
      {VkF(9), "F9"},
      {'0' | scShift | scCtrl | scAlt, "Shift+Ctrl+Alt+0"},
      {VK_OEM_PLUS | scCtrl, "Ctrl+="},
      {VK_ADD, "Num +"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.value), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.value) << c.text;
  }
}

TEST(ShortCuts, TextWithoutKeyGivesZero) {
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(ShortCutToText(scCtrl), "");  // modifiers alone name no key
  EXPECT_EQ(TextToShortCut(""), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+Bogus"), 0);
  EXPECT_EQ(TextToShortCut("ctrl+shift+del"), VK_DELETE | scCtrl | scShift);  // any case, any order
}

}  // namespace
