// The gutter and selection-colour option objects of the editor.
#include <gtest/gtest.h>

#include "editctl/qzSupportClasses.h"

namespace {

TEST(qzGutter, SettersClampAndNotifyOnlyOnChange) {
  TqzGutter gutter;
  int changes = 0;
  gutter.OnChange = [&](TObject*) { ++changes; };
  struct {
    int set;
    int digits;
  } const digitCases[] = {{1, 2}, {13, 12}, {6, 6}};
  for (const auto& c : digitCases) {
    gutter.SetDigitCount(c.set);
    EXPECT_EQ(gutter.DigitCount(), c.digits) << c.set;
    EXPECT_EQ(gutter.EffectiveDigitCount(), c.digits) << "the effective count follows";
  }
  EXPECT_EQ(changes, 3);
  gutter.SetDigitCount(6);
  gutter.SetColor(clBtnFace);
  EXPECT_EQ(changes, 3) << "equal values fire nothing";
  gutter.SetLeftOffset(-5);
  gutter.SetRightOffset(-1);
  gutter.SetWidth(-30);
  EXPECT_EQ(gutter.LeftOffset(), 0);
  EXPECT_EQ(gutter.RightOffset(), 0);
  EXPECT_EQ(gutter.Width(), 0);
}

TEST(qzGutter, PixelWidthByVisibilityAndNumbers) {
  TqzGutter gutter;
  EXPECT_EQ(gutter.GutterPixelWidth(8), 30);
  gutter.SetShowLineNumbers(true);
  EXPECT_EQ(gutter.GutterPixelWidth(8), 16 + 2 + 8 * 4 + 2);
  gutter.SetVisible(false);
  EXPECT_EQ(gutter.GutterPixelWidth(8), 0);
}

TEST(qzGutter, DigitsFollowTheLineCountOnlyWhenAutoSized) {
  struct {
    bool autoSize;
    bool zeroStart;
    int lines;
    int digits;
  } const cases[] = {{false, false, 123456, 4}, {true, false, 9999, 4}, {true, false, 10000, 5},
                     {true, true, 10000, 4},    {true, true, 10001, 5},  {true, false, 3, 4}};
  for (const auto& c : cases) {
    TqzGutter gutter;
    gutter.SetShowLineNumbers(true);
    gutter.SetAutoSize(c.autoSize);
    gutter.SetZeroStart(c.zeroStart);
    int changes = 0;
    gutter.OnChange = [&](TObject*) { ++changes; };
    gutter.UpdateGutterDigits(c.lines);
    EXPECT_EQ(gutter.EffectiveDigitCount(), c.digits) << c.lines << " lines, auto " << c.autoSize;
    EXPECT_EQ(changes, c.digits != 4 ? 1 : 0);
  }
}

TEST(qzGutter, AssignCopiesEverythingAndNotifiesOnce) {
  TqzGutter source;
  source.SetShowLineNumbers(true);
  source.SetLeadingZeros(true);
  source.SetDigitCount(7);
  source.SetColor(clRed);
  TqzGutter target;
  int changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  target.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(target.ShowLineNumbers());
  EXPECT_TRUE(target.LeadingZeros());
  EXPECT_EQ(target.DigitCount(), 7);
  EXPECT_EQ(target.Color(), clRed);
  EXPECT_EQ(target.FormatLineNumber(42), "0000042");
  TqzSelectedColor colours;
  EXPECT_THROW(target.Assign(&colours), Exception);
}

TEST(qzSelectedColor, DefaultsAndChanges) {
  TqzSelectedColor colours;
  EXPECT_EQ(colours.Background(), clHighlight);
  EXPECT_EQ(colours.Foreground(), clHighlightText);
  int changes = 0;
  colours.OnChange = [&](TObject*) { ++changes; };
  colours.SetBackground(clHighlight);
  colours.SetForeground(clYellow);
  colours.SetBackground(clNavy);
  EXPECT_EQ(changes, 2);
}

}  // namespace
