#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "EditText.h"
#include "TestEdit.h"
#include "common/UserInput.h"
#include "editctl/qzCustomEdit.h"
#include "editctl/qzUndoList.h"

namespace {

using Lines = std::vector<std::string>;

// ---- The list itself

TEST(UndoList, KeepsTheNewestRecordsUpToItsLimit) {
  TUndoList list(nullptr);
  for (int i = 1; i <= 11; ++i) list.AddChange(ukInsert, TPoint{i, 1}, TPoint{i, 1}, std::to_string(i), smNormal);
  EXPECT_EQ(list.ItemCount(), 10);

  TPoint start, end;
  TSelectionMode mode = smLine;
  std::string text;
  EXPECT_EQ(list.PopItem(start, end, mode, text), ukInsert);
  EXPECT_EQ(text, "11");

  list.SetMaxUndo(3);  // lowering keeps the newest
  EXPECT_EQ(list.ItemCount(), 3);
  list.PopItem(start, end, mode, text);
  EXPECT_EQ(text, "10");

  list.SetMaxUndo(0);  // each change drops the one before
  list.AddChange(ukDelete, {}, {}, "a", smNormal);
  list.AddChange(ukLineBreak, {}, {}, "b", smColumn);
  EXPECT_EQ(list.ItemCount(), 1);
  EXPECT_EQ(list.PeekKind(), ukLineBreak);

  list.Clear();
  start = TPoint{7, 7};
  text = "kept";
  EXPECT_EQ(list.PopItem(start, end, mode, text), ukNone);
  EXPECT_EQ(start, (TPoint{7, 7}));
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(list.PeekKind(), ukNone);
}

TEST(UndoList, OneUnlockEndsAnyNumberOfLocks) {
  TUndoList list(nullptr);
  list.Lock();
  list.Lock();
  list.AddChange(ukInsert, {}, {}, "", smNormal);
  EXPECT_EQ(list.ItemCount(), 0);
  list.Unlock();
  list.AddChange(ukInsert, {}, {}, "", smNormal);
  EXPECT_EQ(list.ItemCount(), 1);
  list.Delete(5);  // out of range: nothing
  list.Delete(0);
  EXPECT_EQ(list.ItemCount(), 0);
}

// ---- Undo and redo in the editor

class Undo : public testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    edit = std::make_unique<TTestEdit>();
  }

  void Type(const std::string& text) {
    for (char c : text) edit->ExecuteCommand(ecChar, c, nullptr);
  }

  std::unique_ptr<TTestEdit> edit;
};

TEST_F(Undo, ElevenChangesWithTheDefaultLimit) {
  ASSERT_EQ(edit->MaxUndo(), 10);
  Type("abcdefghijk");
  for (int i = 0; i < 11; ++i) edit->Undo();
  EXPECT_EQ(LinesOf(*edit), Lines{"a"});  // the first change fell off the list
  EXPECT_FALSE(edit->CanUndo());
}

TEST_F(Undo, MaxUndoSetsBothListsAndIgnoresNegatives) {
  edit->SetMaxUndo(0);
  Type("abc");
  EXPECT_EQ(edit->UndoList()->ItemCount(), 1);
  edit->Undo();
  EXPECT_EQ(LinesOf(*edit), Lines{"ab"});
  EXPECT_EQ(edit->RedoList()->MaxUndo(), 0);
  edit->SetMaxUndo(-5);
  EXPECT_EQ(edit->MaxUndo(), 0);
}

TEST_F(Undo, TypingOverASelectionIsOneStepBothWays) {
  SetLines(*edit, {"abcde"});
  edit->SetCaretXY(TPoint{2, 1});
  edit->SetBlockBegin(TPoint{2, 1});
  edit->SetBlockEnd(TPoint{5, 1});
  Type("x");
  ASSERT_EQ(LinesOf(*edit), Lines{"axe"});
  edit->Undo();
  EXPECT_EQ(LinesOf(*edit), Lines{"abcde"});
  EXPECT_EQ(edit->SelText(), "bcd");
  EXPECT_FALSE(edit->CanUndo());
  edit->Redo();
  EXPECT_EQ(LinesOf(*edit), Lines{"axe"});
  EXPECT_FALSE(edit->CanRedo());
}

// Blanks at the end of a line come back with the text that followed them (keys as a user presses them).
TEST_F(Undo, ADeletionAcrossLinesComesBackBlanksIncluded) {
  edit->SetText("foo   \r\nbar");
  edit->SetCaretXY(TPoint{4, 1});
  corvane::test::Keys(*edit, "Shift+Down");
  corvane::test::Keys(*edit, "Shift+Left");
  corvane::test::Keys(*edit, "Shift+Left");
  ASSERT_EQ(edit->BlockEnd(), (TPoint{2, 2}));
  corvane::test::Press(*edit, Qt::Key_Delete);
  EXPECT_EQ(edit->Text(), "fooar\r\n");
  corvane::test::Keys(*edit, "Ctrl+Z");
  EXPECT_EQ(edit->Text(), "foo   \r\nbar\r\n");
  corvane::test::Keys(*edit, "Ctrl+Shift+Z");
  EXPECT_EQ(edit->Text(), "fooar\r\n");
}

// A loaded line may end in blanks; the commands cut them from a line they change. Ctrl+Z gives the
// line back as it was loaded, Ctrl+Shift+Z the line as the command left it.
TEST_F(Undo, LinesEndingInBlanksComeBackWholeAfterEachCommand) {
  struct Case {
    const char* keys;
    TPoint caret;
    Lines after;
  };
  const Lines loaded{"ab  cd  ", "  ef   ", "gh "};
  const std::vector<Case> cases{
      {"X", {2, 1}, {"axb  cd", "  ef   ", "gh "}},
      {"Backspace", {3, 1}, {"a  cd", "  ef   ", "gh "}},
      {"Delete", {1, 2}, {"ab  cd  ", " ef", "gh "}},
      {"Backspace", {1, 2}, {"ab  cd    ef", "gh "}},
      {"Delete", {9, 1}, {"ab  cd    ef", "gh "}},
      {"Return", {5, 1}, {"ab", "cd  ", "  ef   ", "gh "}},
      {"Tab", {3, 2}, {"ab  cd  ", "    ef", "gh "}},
      {"Shift+Down,Delete", {4, 1}, {"ab f", "gh "}},
  };
  for (const Case& c : cases) {
    SetLines(*edit, loaded);
    edit->ClearUndo();
    edit->SetCaretXY(c.caret);
    edit->SetBlockBegin(c.caret);
    corvane::test::Keys(*edit, c.keys);
    ASSERT_EQ(LinesOf(*edit), c.after) << c.keys;
    corvane::test::Keys(*edit, "Ctrl+Z");
    EXPECT_EQ(LinesOf(*edit), loaded) << c.keys;
    corvane::test::Keys(*edit, "Ctrl+Shift+Z");
    EXPECT_EQ(LinesOf(*edit), c.after) << c.keys;
  }
}

TEST_F(Undo, DeletedLastLineComesBack) {
  SetLines(*edit, {"a", "b"});
  edit->SetCaretXY(TPoint{1, 2});
  edit->ExecuteCommand(ecDeleteLine, 0, nullptr);
  ASSERT_EQ(LinesOf(*edit), Lines{"a"});
  edit->Undo();
  EXPECT_EQ(LinesOf(*edit), (Lines{"a", "b"}));
  edit->Redo();
  EXPECT_EQ(LinesOf(*edit), Lines{"a"});
}

TEST_F(Undo, OverwrittenCharactersComeBackAndGoAgain) {
  SetLines(*edit, {"abc"});
  edit->SetInsertMode(false);
  edit->SetCaretXY(TPoint{3, 1});
  Type("xyz");
  ASSERT_EQ(LinesOf(*edit), Lines{"abxyz"});
  for (int i = 0; i < 3; ++i) edit->Undo();
  EXPECT_EQ(LinesOf(*edit), Lines{"abc"});
  for (int i = 0; i < 3; ++i) edit->Redo();
  EXPECT_EQ(LinesOf(*edit), Lines{"abxyz"});
}

// A change made after an undo starts a new history: Redo must not replay records that no longer fit
// the text, and says so by being disabled.
TEST_F(Undo, ANewEditEmptiesTheRedoList) {
  struct Case {
    const char* text;
    int column;
    const char* deleteKey;
    const char* typed;
    const char* after;
  };
  const std::vector<Case> cases{
      {"one two three", 8, "Ctrl+Backspace", "my ", "my one two three"},
      {"one two", 1, "Ctrl+T", "zz", "zzone two"},
  };
  for (const Case& c : cases) {
    edit->SetText(c.text);
    edit->ClearUndo();
    edit->SetCaretXY(TPoint{c.column, 1});
    corvane::test::Keys(*edit, c.deleteKey);
    corvane::test::Keys(*edit, "Ctrl+Z");
    ASSERT_EQ(LinesOf(*edit), Lines{c.text}) << c.deleteKey;
    ASSERT_TRUE(edit->CanRedo()) << c.deleteKey;
    corvane::test::Keys(*edit, "Home");
    corvane::test::Type(*edit, c.typed);
    EXPECT_FALSE(edit->CanRedo()) << c.deleteKey;
    corvane::test::Keys(*edit, "Ctrl+Shift+Z");
    EXPECT_EQ(LinesOf(*edit), Lines{c.after}) << c.deleteKey;
  }
}

TEST_F(Undo, EveryReversalMarksTheTextModified) {
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  Type("a");
  EXPECT_EQ(changes, 1);
  edit->SetModified(false);
  edit->Undo();
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(changes, 2);
  edit->SetModified(false);
  edit->Redo();
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(changes, 3);
}

// ---- Property: undoing everything gives the start back, redoing everything the end

unsigned SeedFromEnvironment() {
  const char* seed = std::getenv("CORVANE_UNDO_SEED");
  return seed ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10)) : 20261210u;
}

int IntFromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value ? std::atoi(value) : fallback;
}

class RandomEditing {
 public:
  RandomEditing(TTestEdit& edit, unsigned seed) : edit_(edit), random_(seed) {}

  // Lines of words, brackets and blanks; many end in blanks, as lines of a loaded file may, which the
  // commands cut when they change such a line.
  Lines RandomText() {
    Lines lines(static_cast<std::size_t>(Pick(1, 10)));
    for (std::string& line : lines) {
      line = std::string(static_cast<std::size_t>(Pick(0, 2) * 2), ' ');
      const int length = Pick(0, 14);
      for (int i = 0; i < length; ++i) line += Char("abcxyz  (){}.");
    }
    return lines;
  }

  void Step() {
    const int lines = edit_.LineCount();
    switch (Pick(0, 19)) {
      case 0:
      case 1:
        Do(ecChar, Char("ab ({)}x"));
        break;
      case 2: Do(ecDeleteLastChar); break;
      case 3: Do(ecDeleteChar); break;
      case 4: Do(ecLineBreak); break;
      case 5: Do(ecInsertLine); break;
      case 6: Do(ecTab); break;
      case 7: Do(ecBlockIndent); break;
      case 8: Do(ecBlockUnindent); break;
      case 9: Do(Pick(0, 1) ? ecDeleteWord : ecDeleteLastWord); break;
      case 10: Do(Pick(0, 1) ? ecDeleteBOL : ecDeleteEOL); break;
      case 11: Do(ecDeleteLine); break;
      case 12: {
        std::string text;
        for (int i = Pick(0, 6); i > 0; --i) text += Pick(0, 4) == 0 ? std::string("\r\n") : std::string(1, Char("abc(x"));
        log_ << "SelText \"" << text << "\"; ";
        edit_.SetSelText(text);
        break;
      }
      case 13: Do(ecToggleMode); break;
      case 14:
      case 15: {
        const TPoint to{Pick(1, 18), Pick(1, lines)};
        log_ << "caret " << to.x << "," << to.y << "; ";
        edit_.SetCaretXY(to);
        edit_.SetBlockBegin(edit_.CaretXY());
        break;
      }
      default: {
        const auto mode = static_cast<TSelectionMode>(Pick(0, 2));
        const TPoint from{Pick(1, 16), Pick(1, lines)};
        const TPoint to{Pick(1, 16), Pick(1, lines)};
        log_ << "select " << mode << " " << from.x << "," << from.y << "-" << to.x << "," << to.y << "; ";
        edit_.SetSelectionMode(mode);
        edit_.SetCaretXY(to);
        edit_.SetBlockBegin(from);
        edit_.SetBlockEnd(to);
        break;
      }
    }
  }

  std::string Log() const { return log_.str(); }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  char Char(const char* alphabet) {
    const std::string chars(alphabet);
    return chars[static_cast<std::size_t>(Pick(0, static_cast<int>(chars.size()) - 1))];
  }
  void Do(TqzEditorCommand command, char c = 0) {
    log_ << EditorCommandToText(command) << (c ? std::string(" '") + c + "'" : std::string()) << "; ";
    edit_.ExecuteCommand(command, c, nullptr);
  }

  TTestEdit& edit_;
  std::mt19937 random_;
  std::ostringstream log_;
};

TEST_F(Undo, UndoingEverythingRestoresTheStartAndRedoingTheEnd) {
  const unsigned seed = SeedFromEnvironment();
  const int runs = IntFromEnvironment("CORVANE_UNDO_RUNS", 150);
  const int steps = IntFromEnvironment("CORVANE_UNDO_STEPS", 40);
  for (int run = 0; run < runs; ++run) {
    edit = std::make_unique<TTestEdit>();
    edit->SetMaxUndo(100000);
    RandomEditing editing(*edit, seed + static_cast<unsigned>(run));
    const Lines start = editing.RandomText();
    SetLines(*edit, start);
    for (int step = 0; step < steps; ++step) editing.Step();
    const Lines end = LinesOf(*edit);

    while (edit->CanUndo()) edit->Undo();
    ASSERT_EQ(LinesOf(*edit), start) << "seed " << seed + run << ": " << editing.Log();
    while (edit->CanRedo()) edit->Redo();
    ASSERT_EQ(LinesOf(*edit), end) << "seed " << seed + run << ": " << editing.Log();
  }
}

}  // namespace
