#include "editctl/qzKeyCmds.h"

#include <gtest/gtest.h>

namespace {

TEST(EditorCommands, IdentifiersAndTexts) {
  struct Case {
    TqzEditorCommand value;
    const char* text;
  };
  const Case cases[] = {
      {ecNone, "ecNone"},         {ecSelGotoXY, "ecSelGotoXY"},   {ecMatchBracket, "ecMatchBracket"},
      {ecUserFirst, "ecUserFirst"}, {ecSetMarker9, "ecSetMarker9"}, {1002, "1002"},
      {18, "18"},                 {65535, "65535"},
  };
  for (const Case& c : cases) EXPECT_EQ(EditorCommandToText(c.value), c.text);

  int value = -1;
  EXPECT_TRUE(EditorCommandFromIdent("ecLineSelect", value));
  EXPECT_EQ(value, ecLineSelect);
  EXPECT_FALSE(EditorCommandFromIdent("ecBogus", value));
  EXPECT_FALSE(EditorCommandFromIdent("ECUP", value));  // names match exactly
  std::string ident = "unchanged";
  EXPECT_FALSE(EditorCommandToIdent(1002, ident));
  EXPECT_EQ(ident, "unchanged");
}

TEST(KeyStrokes, DefaultTable) {
  TqzKeyStrokes strokes(nullptr);
  strokes.ResetDefaults();
  ASSERT_EQ(strokes.Count(), 79);

  struct Case {
    WORD key;
    TShiftState shift;
    TqzEditorCommand command;
  };
  const Case cases[] = {
      {VK_LEFT, {ssShift, ssCtrl}, ecSelWordLeft},
      {VK_UP, {ssCtrl}, ecScrollUp},
      {VK_BACK, {ssAlt}, ecUndo},
      {VK_BACK, {ssShift, ssAlt}, ecRedo},
      {VK_TAB, {}, ecTab},
      {VK_TAB, {ssShift}, ecShiftTab},
      {VK_INSERT, {}, ecToggleMode},
      {VK_INSERT, {ssShift}, ecPaste},
      {'M', {ssCtrl}, ecLineBreak},
      {'N', {ssCtrl}, ecInsertLine},
      {'5', {ssShift, ssCtrl}, ecSetMarker5},
      {'B', {ssShift, ssCtrl}, ecMatchBracket},
  };
  for (const Case& c : cases) {
    const int index = strokes.FindKeycode(c.key, c.shift);
    ASSERT_GE(index, 0) << EditorCommandToText(c.command);
    EXPECT_EQ(strokes.Items(index)->GetCommand(), c.command);
  }
  EXPECT_EQ(strokes.FindKeycode('Q', TShiftState{ssCtrl}), -1);
  EXPECT_EQ(strokes.Items(38)->GetShortCut(), 40968);  // row 39, Shift+Alt+Backspace
  EXPECT_EQ(strokes.Items(78)->GetShortCut(), 24642);  // the last row
}

TEST(KeyStrokes, TwoStrokeLookUpComparesAllFourFields) {
  TqzKeyStrokes strokes(nullptr);
  TqzKeyStroke* single = strokes.Add();
  single->SetShortCut(ShortCut('K', TShiftState{ssCtrl}));
  single->SetCommand(ecUndo);
  TqzKeyStroke* twoStroke = strokes.Add();
  // The second stroke first: (Ctrl+K, none) is the other item's pair.
  twoStroke->SetShortCut2(ShortCut('B', TShiftState{ssCtrl}));
  twoStroke->SetShortCut(ShortCut('K', TShiftState{ssCtrl}));
  twoStroke->SetCommand(ecBlockIndent);

  EXPECT_EQ(strokes.FindKeycode('K', TShiftState{ssCtrl}), 0);  // the two-stroke item does not count
  EXPECT_EQ(strokes.FindKeycode2('K', TShiftState{ssCtrl}, 'B', TShiftState{ssCtrl}), 1);
  EXPECT_EQ(strokes.FindKeycode2('K', TShiftState{ssCtrl}, 'B', TShiftState{}), -1);
  EXPECT_EQ(strokes.FindKeycode2('K', TShiftState{ssCtrl}, 0, TShiftState{}), 0);
}

TEST(KeyStrokes, DuplicatePairIsRefusedAndNothingChanges) {
  TqzKeyStrokes strokes(nullptr);
  TqzKeyStroke* first = strokes.Add();
  first->SetShortCut(ShortCut('C', TShiftState{ssCtrl}));
  TqzKeyStroke* second = strokes.Add();
  second->SetShortCut(ShortCut('X', TShiftState{ssCtrl}));

  try {
    second->SetShortCut(ShortCut('C', TShiftState{ssCtrl}));
    FAIL() << "no error";
  } catch (const EqzKeyError& e) {
    EXPECT_EQ(e.Message, "Shortcut already exists");
  }
  EXPECT_EQ(second->GetShortCut(), ShortCut('X', TShiftState{ssCtrl}));

  EXPECT_NO_THROW(first->SetShortCut(ShortCut('C', TShiftState{ssCtrl})));  // its own pair
  EXPECT_NO_THROW(second->SetShortCut(0));
  EXPECT_EQ(second->Key, 0);
  // A different second stroke makes a different pair.
  EXPECT_NO_THROW(second->SetShortCut2(ShortCut('V', TShiftState{})));
  EXPECT_NO_THROW(second->SetShortCut(ShortCut('C', TShiftState{ssCtrl})));
}

TEST(KeyStrokes, AssignCopiesEveryItemWithoutChecks) {
  TqzKeyStrokes source(nullptr);
  source.ResetDefaults();
  TqzKeyStrokes copy(nullptr);
  copy.Add()->SetCommand(ecUndo);
  copy.Assign(&source);
  ASSERT_EQ(copy.Count(), 79);
  for (int i = 0; i < copy.Count(); ++i) {
    EXPECT_EQ(copy.Items(i)->GetShortCut(), source.Items(i)->GetShortCut());
    EXPECT_EQ(copy.Items(i)->GetCommand(), source.Items(i)->GetCommand());
    EXPECT_EQ(copy.Items(i)->Collection(), &copy);
  }
}

TEST(KeyStrokes, DisplayName) {
  TqzKeyStrokes strokes(nullptr);
  TqzKeyStroke* copy = strokes.Add();
  copy->SetShortCut(ShortCut('C', TShiftState{ssCtrl}));
  copy->SetCommand(ecCopy);
  EXPECT_EQ(copy->GetDisplayName(), "ecCopy - Ctrl+C ");
  copy->SetShortCut2(ShortCut('K', TShiftState{}));
  EXPECT_EQ(copy->GetDisplayName(), "ecCopy - Ctrl+C K");
  TqzKeyStroke* empty = strokes.Add();
  EXPECT_EQ(empty->GetDisplayName(), "ecNone - ");
}

}  // namespace
