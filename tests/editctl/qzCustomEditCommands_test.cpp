#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EditText.h"
#include "TestEdit.h"
#include "common/UserInput.h"
#include "editctl/qzCustomEdit.h"
#include "editctl/qzUndoList.h"

namespace {

using Lines = std::vector<std::string>;

class Commands : public testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    edit = std::make_unique<TTestEdit>();
    edit->OnCommandDone = [this](TObject*) { ++done; };
  }

  void Start(const Lines& lines, TPoint caret) {
    SetLines(*edit, lines);
    edit->SetCaretXY(caret);
    edit->SetBlockBegin(caret);
    done = 0;
  }

  std::unique_ptr<TTestEdit> edit;
  int done = 0;
};

// One command on a small text: the text and the caret it leaves.
struct CommandCase {
  const char* name;
  Lines before;
  TPoint caret;
  TqzEditorCommand command;
  char typed;
  Lines after;
  TPoint caretAfter;
};

TEST_F(Commands, EditingCommandsOnSmallTexts) {
  const CommandCase cases[] = {
      {"backspace joins and trims", {"ab", "cd  "}, {1, 2}, ecDeleteLastChar, 0, {"abcd"}, {3, 1}},
      {"backspace at the very start", {"ab"}, {1, 1}, ecDeleteLastChar, 0, {"ab"}, {1, 1}},
      {"backspace past the end only moves", {"ab"}, {6, 1}, ecDeleteLastChar, 0, {"ab"}, {5, 1}},
      {"backspace one character", {"abc"}, {3, 1}, ecDeleteLastChar, 0, {"ac"}, {2, 1}},
      {"backspace unindents to 4", {"x", "    y", "        z"}, {9, 3}, ecDeleteLastChar, 0, {"x", "    y", "    z"}, {5, 3}},
      {"backspace unindents to 0", {"x", "    y", "    z"}, {5, 3}, ecDeleteLastChar, 0, {"x", "    y", "z"}, {1, 3}},
      {"delete a character", {"abc"}, {2, 1}, ecDeleteChar, 0, {"ac"}, {2, 1}},
      {"delete past the end pulls the next line", {"ab", "cd"}, {5, 1}, ecDeleteChar, 0, {"ab  cd"}, {5, 1}},
      {"delete on the last line end", {"ab"}, {3, 1}, ecDeleteChar, 0, {"ab"}, {3, 1}},
      {"delete word", {"abc def ghi"}, {5, 1}, ecDeleteWord, 0, {"abc ghi"}, {5, 1}},
      {"delete last word", {"abc def ghi"}, {9, 1}, ecDeleteLastWord, 0, {"abc ghi"}, {5, 1}},
      {"delete to line start", {"abc def"}, {5, 1}, ecDeleteBOL, 0, {"def"}, {1, 1}},
      {"delete to line end", {"abc def"}, {4, 1}, ecDeleteEOL, 0, {"abc"}, {4, 1}},
      {"delete a line", {"a", "b", "c"}, {1, 2}, ecDeleteLine, 0, {"a", "c"}, {1, 2}},
      {"delete the only line", {"abc"}, {2, 1}, ecDeleteLine, 0, {""}, {1, 1}},
      {"enter at an indented line end", {"    abc"}, {8, 1}, ecLineBreak, 0, {"    abc", ""}, {5, 2}},
      {"enter inside a tab-indented line", {"\tabcd"}, {4, 1}, ecLineBreak, 0, {"\tab", " cd"}, {2, 2}},
      {"enter at column 1", {"abc"}, {1, 1}, ecLineBreak, 0, {"", "abc"}, {1, 2}},
      {"enter inside the indentation", {"    abc"}, {3, 1}, ecLineBreak, 0, {"", "    abc"}, {3, 2}},
      {"enter on an empty line", {"  a", ""}, {1, 2}, ecLineBreak, 0, {"  a", "", ""}, {3, 3}},
      {"insert line keeps the caret", {"abcd"}, {3, 1}, ecInsertLine, 0, {"ab", "cd"}, {3, 1}},
      {"typing", {"ab"}, {2, 1}, ecChar, 'x', {"axb"}, {3, 1}},
      {"typing past the end fills up", {"ab"}, {5, 1}, ecChar, 'x', {"ab  x"}, {6, 1}},
      {"a tab typed as a character", {"ab"}, {2, 1}, ecChar, '\t', {"ab"}, {2, 1}},
      {"tab at the line end adds nothing", {"abc"}, {4, 1}, ecTab, 0, {"abc"}, {9, 1}},
      {"tab inside a line", {"ab"}, {2, 1}, ecTab, 0, {"a       b"}, {9, 1}},
      {"smart tab to the word above", {"foo  bar", "x"}, {1, 2}, ecTab, 0, {"foo  bar", "     x"}, {6, 2}},
      {"word right from the last character", {"abc def", "  ghi"}, {7, 1}, ecWordRight, 0, {"abc def", "  ghi"}, {3, 2}},
      {"word right from the last word", {"abc def"}, {5, 1}, ecWordRight, 0, {"abc def"}, {8, 1}},
      {"word left", {"abc def"}, {8, 1}, ecWordLeft, 0, {"abc def"}, {5, 1}},
      {"word left at a line start", {"abc", "def"}, {1, 2}, ecWordLeft, 0, {"abc", "def"}, {4, 1}},
      {"left at a line start stays with past-end", {"abc", "def"}, {1, 2}, ecLeft, 0, {"abc", "def"}, {1, 2}},
      {"bracket forward over a nested pair", {"f(a(b)c)d"}, {2, 1}, ecMatchBracket, 0, {"f(a(b)c)d"}, {8, 1}},
      {"bracket backward", {"f(a(b)c)d"}, {8, 1}, ecMatchBracket, 0, {"f(a(b)c)d"}, {2, 1}},
      {"bracket across lines", {"{", "  [x]", "}"}, {1, 1}, ecMatchBracket, 0, {"{", "  [x]", "}"}, {1, 3}},
      {"unmatched bracket", {"(()"}, {1, 1}, ecMatchBracket, 0, {"(()"}, {1, 1}},
      {"shift-tab does nothing", {"  ab"}, {3, 1}, ecShiftTab, 0, {"  ab"}, {3, 1}},
  };
  for (const CommandCase& c : cases) {
    Start(c.before, c.caret);
    edit->ExecuteCommand(c.command, c.typed, nullptr);
    EXPECT_EQ(LinesOf(*edit), c.after) << c.name;
    EXPECT_EQ(edit->CaretXY(), c.caretAfter) << c.name;
    EXPECT_EQ(done, 1) << c.name;
  }
}

TEST_F(Commands, LeftWrapsToThePreviousLineWithoutScrollPastEol) {
  edit->SetOption(qzeoScrollPastEol, false);
  Start({"abc", "def"}, {1, 2});
  edit->ExecuteCommand(ecLeft, 0, nullptr);
  EXPECT_EQ(edit->CaretXY(), (TPoint{4, 1}));
  edit->ExecuteCommand(ecRight, 0, nullptr);
  EXPECT_EQ(edit->CaretXY(), (TPoint{1, 2}));
}

TEST_F(Commands, EnterAtALineEndWithoutScrollPastEolIndentsWithBlanks) {
  edit->SetOption(qzeoScrollPastEol, false);
  Start({"  ab"}, {5, 1});
  edit->ExecuteCommand(ecLineBreak, 0, nullptr);
  EXPECT_EQ(LinesOf(*edit), (Lines{"  ab", "  "}));
  EXPECT_EQ(edit->CaretXY(), (TPoint{3, 2}));
}

// The caret never stands past the line end there: a tab at the end leaves its blanks for it, and
// undo takes them away again.
TEST_F(Commands, TabAtALineEndWithoutScrollPastEolKeepsItsBlanks) {
  edit->SetOption(qzeoScrollPastEol, false);
  Start({"abc", "x"}, {4, 1});
  corvane::test::Keys(*edit, "Tab");
  EXPECT_EQ(LinesOf(*edit), (Lines{"abc     ", "x"}));
  EXPECT_EQ(edit->CaretXY(), (TPoint{9, 1}));
  corvane::test::Keys(*edit, "Ctrl+Z");
  EXPECT_EQ(LinesOf(*edit), (Lines{"abc", "x"}));
  EXPECT_EQ(edit->CaretXY(), (TPoint{4, 1}));
}

TEST_F(Commands, HookCancelsOrRedirects) {
  struct Case {
    TqzEditorCommand replacement;
    Lines after;
    int doneCount;
  };
  const Case cases[] = {
      {ecNone, {"ab"}, 0},
      {1500, {"ab"}, 0},  // user commands are left to the application
      {ecDeleteChar, {"b"}, 1},
  };
  for (const Case& c : cases) {
    edit->OnProcessCommand = [&c](TObject*, TqzEditorCommand& command, char&, void*) { command = c.replacement; };
    Start({"ab"}, {1, 1});
    edit->ExecuteCommand(ecChar, 'x', nullptr);
    EXPECT_EQ(LinesOf(*edit), c.after) << c.replacement;
    EXPECT_EQ(done, c.doneCount) << c.replacement;
  }

  std::vector<TqzEditorCommand> userCommands;
  edit->OnProcessCommand = nullptr;
  done = 0;
  edit->OnProcessUserCommand = [&](TObject*, TqzEditorCommand& command, char&, void*) { userCommands.push_back(command); };
  edit->ExecuteCommand(2000, 0, nullptr);
  EXPECT_EQ(userCommands, std::vector<TqzEditorCommand>{2000});
  EXPECT_EQ(done, 0);

  // A handler may change the character too.
  edit->OnProcessCommand = [](TObject*, TqzEditorCommand&, char& c, void*) { c = 'y'; };
  Start({"ab"}, {1, 1});
  edit->ExecuteCommand(ecChar, 'x', nullptr);
  EXPECT_EQ(LinesOf(*edit), Lines{"yab"});
}

TEST_F(Commands, DeletingASelectionSkipsTheCompletionEvent) {
  for (TqzEditorCommand command : {ecDeleteLastChar, ecDeleteChar}) {
    Start({"abcdef"}, {2, 1});
    edit->SetBlockEnd(TPoint{4, 1});
    edit->ExecuteCommand(command, 0, nullptr);
    EXPECT_EQ(LinesOf(*edit), Lines{"adef"});
    EXPECT_EQ(done, 0) << command;
    EXPECT_EQ(edit->UndoList()->PeekKind(), command == ecDeleteChar ? ukDeleteCommand : ukDelete);
  }
}

TEST_F(Commands, ReadOnlyRefusesChangesButCompletes) {
  edit->SetReadOnly(true);
  for (TqzEditorCommand command : {ecChar, ecDeleteLastChar, ecLineBreak, ecTab, ecDeleteLine, ecClearAll, ecUndo}) {
    Start({"ab"}, {2, 1});
    edit->ExecuteCommand(command, 'x', nullptr);
    EXPECT_EQ(LinesOf(*edit), Lines{"ab"}) << command;
    EXPECT_EQ(done, 1) << command;
  }
}

TEST_F(Commands, OverwriteModeReplacesCharacters) {
  edit->ExecuteCommand(ecToggleMode, 0, nullptr);
  ASSERT_FALSE(edit->InsertMode());
  Start({"abc"}, {2, 1});
  edit->ExecuteCommand(ecChar, 'x', nullptr);
  edit->ExecuteCommand(ecChar, 'y', nullptr);
  edit->ExecuteCommand(ecChar, 'z', nullptr);
  EXPECT_EQ(LinesOf(*edit), Lines{"axyz"});
  EXPECT_EQ(edit->CaretXY(), (TPoint{5, 1}));
}

TEST_F(Commands, BlockIndentAndUnindent) {
  Start({"a", "b", "c"}, {1, 1});
  edit->SetBlockEnd(TPoint{1, 3});  // ends at column 1: line 3 stays as it is
  edit->ExecuteCommand(ecBlockIndent, 0, nullptr);
  EXPECT_EQ(LinesOf(*edit), (Lines{"        a", "        b", "c"}));
  EXPECT_EQ(edit->BlockBegin(), (TPoint{9, 1}));
  EXPECT_EQ(edit->BlockEnd(), (TPoint{1, 3}));
  EXPECT_EQ(edit->SelectionMode(), smNormal);

  edit->SetTabWidth(4);
  edit->ExecuteCommand(ecBlockUnindent, 0, nullptr);
  EXPECT_EQ(LinesOf(*edit), (Lines{"    a", "    b", "c"}));
  edit->SetTabWidth(8);
  edit->ExecuteCommand(ecBlockUnindent, 0, nullptr);
  EXPECT_EQ(LinesOf(*edit), (Lines{"a", "b", "c"}));
  const int records = edit->UndoList()->ItemCount();
  edit->ExecuteCommand(ecBlockUnindent, 0, nullptr);  // nothing left to remove: no record
  EXPECT_EQ(edit->UndoList()->ItemCount(), records);
}

TEST_F(Commands, TypingReplacesTheSelectionInEachMode) {
  struct Case {
    TSelectionMode mode;
    Lines after;
  };
  const Case cases[] = {
      {smNormal, {"axf", "ghij", "klmn"}},
      {smColumn, {"acdef", "gij", "kxmn"}},  // the text goes in at the stored end's line
      {smLine, {"xklmn"}},
  };
  for (const Case& c : cases) {
    Start({"abcdef", "ghij", "klmn"}, {1, 1});
    edit->SetSelectionMode(c.mode);
    edit->SetBlock(TPoint{2, 1}, TPoint{6, 1 + (c.mode == smNormal ? 0 : 1)});
    if (c.mode == smColumn) edit->SetBlock(TPoint{3, 1}, TPoint{2, 3});
    edit->ExecuteCommand(ecChar, 'x', nullptr);
    EXPECT_EQ(LinesOf(*edit), c.after) << c.mode;
    edit->Undo();
    EXPECT_EQ(LinesOf(*edit), (Lines{"abcdef", "ghij", "klmn"})) << c.mode << " undone in one step";
  }
}

TEST_F(Commands, ScrollingDragsTheCaretAlong) {
  SetLines(*edit, Lines(200, "line"));
  edit->SetCaretXY(TPoint{1, 1});
  edit->ExecuteCommand(ecScrollDown, 0, nullptr);
  EXPECT_EQ(edit->TopLine(), 2);
  EXPECT_EQ(edit->CaretY(), 2);
  edit->SetCaretXY(TPoint{1, 2 + edit->LinesInWindow() - 1});
  edit->ExecuteCommand(ecScrollUp, 0, nullptr);
  EXPECT_EQ(edit->TopLine(), 1);
  EXPECT_EQ(edit->CaretY(), edit->LinesInWindow());
}

TEST_F(Commands, TabReachesTheNextStopOfAnyWidth) {
  struct Case {
    int tabWidth;
    const char* after;
    int caretAfter;
  };
  const Case cases[] = {{0, "ab", 2}, {1, "a b", 3}, {3, "a  b", 4}, {4, "a   b", 5}};  // 0: no stops, nothing
  for (const Case& c : cases) {
    edit->SetTabWidth(c.tabWidth);
    Start({"ab"}, {2, 1});
    edit->ExecuteCommand(ecTab, 0, nullptr);
    EXPECT_EQ(LinesOf(*edit), Lines{c.after}) << c.tabWidth;
    EXPECT_EQ(edit->CaretX(), c.caretAfter) << c.tabWidth;
  }
}

TEST_F(Commands, MotionsOverAPageOfText) {
  const int page = edit->LinesInWindow();
  ASSERT_GT(page, 4);
  struct Case {
    const char* name;
    TPoint caret;
    TqzEditorCommand command;
    bool halfPage;
    TPoint expected;
  };
  const Case cases[] = {
      {"line start", {3, 4}, ecLineStart, false, {1, 4}},
      {"line end", {1, 4}, ecLineEnd, false, {5, 4}},
      {"editor top", {3, 40}, ecEditorTop, false, {1, 1}},
      {"editor bottom", {3, 4}, ecEditorBottom, false, {3, 100}},
      {"page down", {3, 1}, ecPageDown, false, {3, 1 + page}},
      {"half a page down", {3, 1}, ecPageDown, true, {3, 1 + page / 2}},
      {"page up", {3, 60}, ecPageUp, false, {3, 60 - page}},
      {"page up from the first page", {3, 2}, ecPageUp, false, {3, 1}},
      {"page bottom", {3, 1}, ecPageBottom, false, {3, page}},
      {"page top", {3, page}, ecPageTop, false, {3, 1}},
      {"down from the last line", {2, 100}, ecDown, false, {2, 100}},
      {"page left stops at column 1", {3, 4}, ecPageLeft, false, {1, 4}},
  };
  std::vector<std::string> lines(100, "line");
  lines.back() = "la";
  for (const Case& c : cases) {
    edit->SetOption(qzeoHalfPageScroll, c.halfPage);
    Start(lines, c.caret);
    edit->ExecuteCommand(c.command, 0, nullptr);
    EXPECT_EQ(edit->CaretXY(), c.expected) << c.name;
    EXPECT_FALSE(edit->SelectionAvailable()) << c.name;
  }
  Start(lines, {3, 4});
  edit->ExecuteCommand(ecPageRight, 0, nullptr);
  EXPECT_EQ(edit->CaretXY(), (TPoint{3 + edit->CharsInWindow(), 4}));
}

TEST_F(Commands, InputMethodStringsAreTypedAsOneChange) {
  struct Case {
    const char* name;
    bool insertMode;
    TPoint selectionEnd;  // the caret when equal to the start
    Lines after;
    TPoint caretAfter;
  };
  const Case cases[] = {
      {"insert", true, {2, 1}, {"aXYZbcdef"}, {5, 1}},
      {"overwrite", false, {2, 1}, {"aXYZef"}, {5, 1}},
      {"over a selection", true, {5, 1}, {"aXYZef"}, {5, 1}},
  };
  char text[] = "XYZ";
  for (const Case& c : cases) {
    edit->SetInsertMode(c.insertMode);
    Start({"abcdef"}, {2, 1});
    edit->SetBlockEnd(c.selectionEnd);
    edit->ExecuteCommand(ecImeStr, 0, text);
    EXPECT_EQ(LinesOf(*edit), c.after) << c.name;
    EXPECT_EQ(edit->CaretXY(), c.caretAfter) << c.name;
    edit->Undo();
    EXPECT_EQ(LinesOf(*edit), Lines{"abcdef"}) << c.name << " undone";
    edit->Redo();
    EXPECT_EQ(LinesOf(*edit), c.after) << c.name << " redone";
  }
}

// Commands that move the caret by storing it directly still scroll it into view.
TEST_F(Commands, TheCaretStaysInViewAfterAnEdit) {
  struct Case {
    const char* name;
    TqzEditorCommand command;
    bool scrollPastEol;
  };
  const Case cases[] = {
      {"enter at the end of the last visible line", ecLineBreak, true},
      {"enter there without scroll past the end", ecLineBreak, false},
      {"backspace over a wide indentation", ecDeleteLastChar, true},
  };
  for (const Case& c : cases) {
    edit->SetOption(qzeoScrollPastEol, c.scrollPastEol);
    const int last = edit->LinesInWindow();
    if (c.command == ecLineBreak) {
      Start(Lines(200, "word"), {1, 1});
      edit->SetCaretXY(TPoint{5, last});
    } else {
      Start({"x", std::string(150, ' ') + "y"}, {1, 1});
      edit->SetCaretXY(TPoint{151, 2});
      ASSERT_GT(edit->LeftColumn(), 1) << c.name;
    }
    edit->ExecuteCommand(c.command, 0, nullptr);
    EXPECT_GE(edit->CaretY(), edit->TopLine()) << c.name;
    EXPECT_LT(edit->CaretY(), edit->TopLine() + edit->LinesInWindow()) << c.name;
    EXPECT_GE(edit->CaretX(), edit->LeftColumn()) << c.name;
    EXPECT_LT(edit->CaretX(), edit->LeftColumn() + edit->CharsInWindow()) << c.name;
  }
}

TEST_F(Commands, SelectingMotionsExtendFromTheOldCaret) {
  Start({"abc def", "ghi"}, {2, 1});
  edit->ExecuteCommand(ecSelRight, 0, nullptr);
  edit->ExecuteCommand(ecSelWordRight, 0, nullptr);
  EXPECT_EQ(edit->SelText(), "bc ");
  edit->ExecuteCommand(ecSelDown, 0, nullptr);
  EXPECT_EQ(edit->SelText(), "bc def\r\nghi");  // the end is kept inside the shorter line
  edit->ExecuteCommand(ecLineEnd, 0, nullptr);  // a plain motion collapses the selection
  EXPECT_FALSE(edit->SelectionAvailable());
  edit->ExecuteCommand(ecSelectAll, 0, nullptr);
  EXPECT_EQ(edit->SelText(), "abc def\r\nghi");
  edit->ExecuteCommand(ecColumnSelect, 0, nullptr);
  EXPECT_EQ(edit->SelectionMode(), smColumn);
  TPoint target{2, 2};
  edit->ExecuteCommand(ecGotoXY, 0, &target);
  EXPECT_EQ(edit->CaretXY(), target);
}

}  // namespace
