// Search and replace of the editor: the scope, the direction, each hit's selection, replacement with
// and without the prompt, and undoing a replace all.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "EditText.h"
#include "TestEdit.h"
#include "editctl/qzCustomEdit.h"
#include "editctl/qzUndoList.h"

namespace {

using Lines = std::vector<std::string>;

class Search : public testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    edit = std::make_unique<TTestEdit>();
  }

  std::unique_ptr<TTestEdit> edit;
};

TEST_F(Search, FindSelectsTheFirstHitInTheDirection) {
  struct Case {
    const char* what;
    Lines lines;
    TPoint caret;
    TqzSearchOptions options;
    std::string search;
    int hits;
    TPoint begin, end, caretAfter;  // the selection and the caret after a hit
  };
  const TqzSearchOptions back{qzsoBackwards};
  const Case cases[] = {
      {"at the line start", {"abc def", "xyz"}, {1, 1}, {}, "abc", 1, {1, 1}, {4, 1}, {4, 1}},
      {"at the line end", {"one two"}, {1, 1}, {}, "two", 1, {5, 1}, {8, 1}, {8, 1}},
      {"backwards at the line start", {"abc def"}, {8, 1}, back, "abc", 1, {1, 1}, {4, 1}, {1, 1}},
      {"forward from inside a hit", {"abc abc abc"}, {6, 1}, {}, "abc", 1, {9, 1}, {12, 1}, {12, 1}},
      {"backwards from inside a hit", {"abc abc abc"}, {6, 1}, back, "abc", 1, {1, 1}, {4, 1}, {1, 1}},
      {"backwards from a hit's start", {"abc abc"}, {5, 1}, back, "abc", 1, {1, 1}, {4, 1}, {1, 1}},
      {"from the caret on the next line", {"abc", "abc"}, {2, 1}, {}, "abc", 1, {1, 2}, {4, 2}, {4, 2}},
      {"the whole text despite the caret", {"abc", "x"}, {2, 2}, {qzsoEntireScope}, "abc", 1, {1, 1}, {4, 1}, {4, 1}},
      {"a pattern longer than a line", {"ab", "abcdef"}, {1, 1}, {}, "abcd", 1, {1, 2}, {5, 2}, {5, 2}},
      {"upper case finds lower case", {"x Perl"}, {1, 1}, {}, "PERL", 1, {3, 1}, {7, 1}, {7, 1}},
      {"match case skips other case", {"PERL Perl"}, {1, 1}, {qzsoMatchCase}, "Perl", 1, {6, 1}, {10, 1}, {10, 1}},
      {"a whole word beside an underscore", {"foobar xfoo foo_x"}, {1, 1}, {qzsoWholeWord}, "foo", 1, {13, 1}, {16, 1}, {16, 1}},
      {"a whole word in parentheses", {"afoo (foo)"}, {1, 1}, {qzsoWholeWord}, "foo", 1, {7, 1}, {10, 1}, {10, 1}},
      // Windows-1251: "\xCC\xC8\xD0" is capital MIR, "\xEC\xE8\xF0" the small one; A with a diaeresis too.
      {"Cyrillic capitals fold", {"\xEF\xF0\xE8 \xCC\xC8\xD0 \xA8"}, {1, 1}, {}, "\xEC\xE8\xF0", 1, {5, 1}, {8, 1}, {8, 1}},
      {"Cyrillic yo folds", {"\xEF\xF0\xE8 \xA8"}, {1, 1}, {}, "\xB8", 1, {5, 1}, {6, 1}, {6, 1}},
  };
  for (const Case& c : cases) {
    SetLines(*edit, c.lines);
    edit->SetCaretXY(c.caret);
    EXPECT_EQ(edit->SearchReplace(c.search, "", c.options), c.hits) << c.what;
    EXPECT_EQ(edit->BlockBegin(), c.begin) << c.what;
    EXPECT_EQ(edit->BlockEnd(), c.end) << c.what;
    EXPECT_EQ(edit->CaretXY(), c.caretAfter) << c.what;
  }
}

TEST_F(Search, NothingFoundLeavesTheCaretAndSelection) {
  const struct {
    const char* what;
    Lines lines;
    TqzSearchOptions options;
    std::string search;
  } cases[] = {
      {"inside a longer word", {"foobar barfoo"}, {qzsoWholeWord, qzsoEntireScope}, "foo"},
      {"case rule", {"\xCC\xC8\xD0"}, {qzsoMatchCase, qzsoEntireScope}, "\xEC\xE8\xF0"},
      {"before the caret", {"abc xyz"}, {}, "abc"},
      {"after the caret backwards", {"abc xyz"}, {qzsoBackwards}, "xyz"},
      {"empty pattern", {"abc"}, {qzsoEntireScope}, ""},
  };
  for (const auto& c : cases) {
    SetLines(*edit, c.lines);
    edit->SetCaretXY(TPoint{5, 1});
    EXPECT_EQ(edit->SearchReplace(c.search, "x", c.options), 0) << c.what;
    EXPECT_FALSE(edit->SelectionAvailable()) << c.what;
    EXPECT_EQ(edit->CaretXY(), (TPoint{5, 1})) << c.what;
    EXPECT_EQ(LinesOf(*edit), c.lines) << c.what;
  }
}

TEST_F(Search, ReplaceAll) {
  struct Case {
    const char* what;
    Lines lines;
    TSelectionMode mode;
    TPoint begin, end;  // the selection, used with qzsoSelectedOnly
    TqzSearchOptions options;
    std::string search, replace;
    Lines after;
    int hits;
  };
  const TqzSearchOptions all{qzsoReplaceAll, qzsoEntireScope};
  const TqzSearchOptions selected{qzsoReplaceAll, qzsoSelectedOnly};
  const Case cases[] = {
      {"one letter by two", {"aaa"}, smNormal, {}, {}, all, "a", "bb", {"bbbbbb"}, 3},
      {"a replacement holding the pattern", {"foo foo", "foo"}, smNormal, {}, {}, all, "foo", "foofoo",
       {"foofoo foofoo", "foofoo"}, 3},
      {"backwards", {"a-a-a", "a"}, smNormal, {}, {}, {qzsoReplaceAll, qzsoEntireScope, qzsoBackwards}, "a", "xy",
       {"xy-xy-xy", "xy"}, 4},
      {"case folded", {"Abc abc ABC"}, smNormal, {}, {}, all, "abc", "d", {"d d d"}, 3},
      {"case kept", {"Abc abc ABC"}, smNormal, {}, {}, {qzsoReplaceAll, qzsoEntireScope, qzsoMatchCase}, "abc", "d",
       {"Abc d ABC"}, 1},
      {"whole words", {"it its (it) it_"}, smNormal, {}, {}, {qzsoReplaceAll, qzsoEntireScope, qzsoWholeWord}, "it",
       "IT", {"IT its (IT) IT_"}, 3},
      {"to nothing", {"a.b.c"}, smNormal, {}, {}, all, ".", "", {"abc"}, 2},
      {"inside a stream selection", {"x x", "x x", "x x"}, smNormal, {3, 1}, {2, 3}, selected, "x", "yy",
       {"x yy", "yy yy", "yy x"}, 4},
      // A hit shifted into the block by a replacement before it stays outside.
      {"inside a column selection", {"aXXbXX", "XXcXX", "XX"}, smColumn, {1, 1}, {6, 2}, selected, "XX", "",
       {"abXX", "c", "XX"}, 3},
      {"inside a column selection, growing", {"aXbX", "XX"}, smColumn, {2, 1}, {3, 2}, selected, "X", "YYY",
       {"aYYYbX", "XYYY"}, 2},
      {"inside a line selection", {"ab", "ab", "ab"}, smLine, {2, 1}, {1, 2}, selected, "b", "c", {"ac", "ac", "ab"}, 2},
      {"from the caret on", {"ab ab", "ab"}, smNormal, {}, {}, {qzsoReplaceAll}, "ab", "c", {"ab c", "c"}, 2},
  };
  for (const Case& c : cases) {
    SetLines(*edit, c.lines);
    edit->SetCaretXY(TPoint{3, 1});
    edit->SetSelectionMode(c.mode);
    if (c.options.Contains(qzsoSelectedOnly)) edit->SetBlock(c.begin, c.end);
    EXPECT_EQ(edit->SearchReplace(c.search, c.replace, c.options), c.hits) << c.what;
    EXPECT_EQ(LinesOf(*edit), c.after) << c.what;
    edit->SetSelectionMode(smNormal);
  }
}

TEST_F(Search, ReplaceAllLeavesTheCaretAfterTheLastReplacement) {
  SetLines(*edit, {"a a", "b a"});
  EXPECT_EQ(edit->SearchReplace("a", "xyz", {qzsoReplaceAll, qzsoEntireScope}), 3);
  EXPECT_EQ(edit->CaretXY(), (TPoint{6, 2}));
  EXPECT_FALSE(edit->SelectionAvailable());
  EXPECT_TRUE(edit->Modified());
}

// A single replacement replaces the hit's characters even while lines are selected whole.
TEST_F(Search, ASingleReplacementInLineModeReplacesOnlyTheHit) {
  SetLines(*edit, {"a foo b", "foo"});
  edit->SetSelectionMode(smLine);
  EXPECT_EQ(edit->SearchReplace("foo", "x", {qzsoReplace, qzsoEntireScope}), 1);
  EXPECT_EQ(LinesOf(*edit), (Lines{"a x b", "foo"}));
  EXPECT_EQ(edit->SelectionMode(), smLine);
  edit->Undo();
  EXPECT_EQ(LinesOf(*edit), (Lines{"a foo b", "foo"}));
}

TEST_F(Search, ThePromptDecidesEachHit) {
  struct Case {
    const char* what;
    TqzSearchOptions options;
    std::vector<TqzReplaceAction> answers;
    std::string after;
    int hits;
    std::vector<int> columns;  // where the hits stood when they were asked about
  };
  const TqzSearchOptions one{qzsoReplace, qzsoPrompt, qzsoEntireScope};
  const TqzSearchOptions all{qzsoReplaceAll, qzsoPrompt, qzsoEntireScope};
  const Case cases[] = {
      {"cancel", one, {raCancel}, "a a a", 1, {1}},
      {"skip", one, {raSkip}, "a a a", 1, {1}},
      {"replace", one, {raReplace}, "bb a a", 1, {1}},
      {"replace all from the first", one, {raReplaceAll}, "bb bb bb", 3, {1}},
      {"replace all from the second", all, {raSkip, raReplaceAll}, "a bb bb", 3, {1, 3}},
      {"each way in turn", all, {raReplace, raSkip, raReplace}, "bb a bb", 3, {1, 4, 6}},
      {"cancel after a replacement", all, {raReplace, raCancel}, "bb a a", 2, {1, 4}},
  };
  for (const Case& c : cases) {
    SetLines(*edit, {"a a a"});
    std::deque<TqzReplaceAction> answers(c.answers.begin(), c.answers.end());
    std::vector<int> columns;
    edit->OnReplaceText = [&](TObject*, const std::string& search, const std::string& replace, int line, int column,
                              TqzReplaceAction& action) {
      EXPECT_EQ(action, raCancel);
      EXPECT_EQ(search + ">" + replace, "a>bb");
      EXPECT_EQ(line, 1);
      // The hit is selected while the host is asked.
      EXPECT_EQ(edit->SelText(), "a") << c.what;
      columns.push_back(column);
      ASSERT_FALSE(answers.empty()) << c.what;
      action = answers.front();
      answers.pop_front();
    };
    EXPECT_EQ(edit->SearchReplace("a", "bb", c.options), c.hits) << c.what;
    EXPECT_EQ(edit->Lines()->Get(0), c.after) << c.what;
    EXPECT_EQ(columns, c.columns) << c.what;
    EXPECT_TRUE(answers.empty()) << c.what;
  }
}

TEST_F(Search, AHostThatRaisesEndsTheSearchAndReleasesTheLock) {
  SetLines(*edit, {"a a"});
  edit->OnReplaceText = [](TObject*, const std::string&, const std::string&, int, int, TqzReplaceAction&) {
    throw std::runtime_error("host failed");
  };
  EXPECT_THROW(edit->SearchReplace("a", "b", {qzsoReplaceAll, qzsoPrompt, qzsoEntireScope}), std::runtime_error);
  EXPECT_EQ(edit->UpdateLock(), 0);
  EXPECT_EQ(edit->Lines()->Get(0), "a a");
}

// One Undo takes a whole replace all back exactly, blanks and all, however many hits it made; Redo
// makes it again.
TEST_F(Search, OneUndoRestoresAReplaceAllExactly) {
  Lines before{"  foo\tbar  ", "", "x foofoo", " trailing foo   "};
  for (int i = 0; i < 400; ++i) before.push_back("foo " + std::to_string(i));
  SetLines(*edit, before);
  edit->SetCaretXY(TPoint{2, 3});
  EXPECT_EQ(edit->SearchReplace("foo", "quux foo", {qzsoReplaceAll, qzsoEntireScope}), 404);
  const Lines after = LinesOf(*edit);
  EXPECT_EQ(after[0], "  quux foo\tbar  ");
  EXPECT_EQ(after[2], "x quux fooquux foo");
  EXPECT_EQ(edit->UndoList()->ItemCount(), 1);

  edit->Undo();
  EXPECT_EQ(LinesOf(*edit), before);
  EXPECT_FALSE(edit->CanUndo());
  EXPECT_EQ(edit->CaretXY(), (TPoint{3, 1})) << "where the first replacement was";
  edit->Redo();
  EXPECT_EQ(LinesOf(*edit), after);
  edit->Undo();
  EXPECT_EQ(LinesOf(*edit), before);
}

// A replacement with a line break moves the rest of its line down: the search goes on there, and each
// replacement is its own change.
TEST_F(Search, AReplacementWithALineBreak) {
  const struct {
    const char* what;
    Lines lines;
    TqzSearchOptions options;
    std::string search, replace;
    Lines after;
    int hits;
  } cases[] = {
      {"forward", {"a;b;c", "d;e"}, {qzsoReplaceAll, qzsoEntireScope}, ";", "\r\n", {"a", "b", "c", "d", "e"}, 3},
      {"backwards", {"a;b;c", "d;e"}, {qzsoReplaceAll, qzsoEntireScope, qzsoBackwards}, ";", "\r\n",
       {"a", "b", "c", "d", "e"}, 3},
      {"holding the pattern", {"foo foo", "x"}, {qzsoReplaceAll, qzsoEntireScope}, "foo", "foo\r\nfoo",
       {"foo", "foo foo", "foo", "x"}, 2},
      {"two breaks", {"a;b"}, {qzsoReplaceAll, qzsoEntireScope}, ";", "1\r\n2\r\n3", {"a1", "2", "3b"}, 1},
  };
  for (const auto& c : cases) {
    SetLines(*edit, c.lines);
    EXPECT_EQ(edit->SearchReplace(c.search, c.replace, c.options), c.hits) << c.what;
    EXPECT_EQ(LinesOf(*edit), c.after) << c.what;
    for (int i = 0; i < c.hits; ++i) edit->Undo();
    EXPECT_EQ(LinesOf(*edit), c.lines) << c.what;
  }
}

// In a stream selection the hits of the end line that a line break moved down are still judged by
// where they stood.
TEST_F(Search, ALineBreakReplacementKeepsToTheSelection) {
  SetLines(*edit, {"x;y;z;w"});
  edit->SetBlock(TPoint{1, 1}, TPoint{5, 1});  // "x;y;"
  EXPECT_EQ(edit->SearchReplace(";", "\r\n", {qzsoReplaceAll, qzsoSelectedOnly}), 2);
  EXPECT_EQ(LinesOf(*edit), (Lines{"x", "y", "z;w"}));
}

}  // namespace
