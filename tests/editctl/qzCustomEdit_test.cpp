#include "editctl/qzCustomEdit.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestEdit.h"
#include "TestHighlighters.h"
#include "common/UserInput.h"
#include "editctl/qzSupportClasses.h"
#include "editctl/uTextDrawer.h"
#include "qt/QtSide.h"
#include "vcl/Canvas.h"
#include "vcl/Forms.h"
#include "vcl/ImgList.h"
#include "win/DropFiles.h"

namespace {

class Editor : public testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }

  static std::vector<std::string> LinesOf(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Get(i));
    return lines;
  }

  static void SetLines(TqzCustomEdit& edit, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    edit.SetText(text);
  }

  // The start state of every line as a fresh scan from the top computes it.
  static std::vector<TqzRangeState> ReferenceRanges(const TStrings& list, char toggle, char reset) {
    TTestHighlighter h(nullptr, toggle, reset);
    std::vector<TqzRangeState> ranges;
    h.ResetRange();
    for (int i = 0; i < list.Count(); ++i) {
      ranges.push_back(h.GetRange());
      const std::string line = list.Get(i);
      h.SetLine(line, i);
      h.NextToEol();
    }
    return ranges;
  }

  static std::vector<TqzRangeState> StoredRanges(const TStrings& list) {
    std::vector<TqzRangeState> ranges;
    for (int i = 0; i < list.Count(); ++i) ranges.push_back(reinterpret_cast<TqzRangeState>(list.GetObject(i)));
    return ranges;
  }
};

// ---------------------------------------------------------------------------------------------------
// The list is never empty

TEST_F(Editor, EveryRoadLeavesOneEmptyLineAtLeast) {
  struct {
    const char* road;
    std::function<void(TqzCustomEdit&)> act;
    std::vector<std::string> expected;
  } const cases[] = {
      {"new editor", [](TqzCustomEdit&) {}, {""}},
      {"Lines.Clear", [](TqzCustomEdit& e) { e.Lines()->Clear(); }, {""}},
      {"delete the only line",
       [](TqzCustomEdit& e) {
         e.Lines()->Put(0, "only");
         e.Lines()->Delete(0);
       },
       {""}},
      {"Text := ''", [](TqzCustomEdit& e) { e.SetText(""); }, {""}},
      {"Lines.Text := ''", [](TqzCustomEdit& e) { e.Lines()->SetText(""); }, {""}},
      {"empty stream",
       [](TqzCustomEdit& e) {
         TStringStream stream("");
         e.Lines()->LoadFromStream(&stream);
       },
       {""}},
      {"assign an empty list",
       [](TqzCustomEdit& e) {
         TStringList empty;
         e.Lines()->Assign(&empty);
       },
       {""}},
      {"delete every line",
       [](TqzCustomEdit& e) {
         e.SetText("a\r\nb\r\n");
         e.Lines()->Delete(1);
         e.Lines()->Delete(0);
       },
       {""}},
      // The text replaces the list whole, without an empty line left in front of it.
      {"Lines.Text := two lines", [](TqzCustomEdit& e) { e.Lines()->SetText("a\r\nb"); }, {"a", "b"}},
      {"Text := one line", [](TqzCustomEdit& e) { e.SetText("a\r\n"); }, {"a"}},
  };
  for (const auto& c : cases) {
    TqzCustomEdit edit(nullptr);
    c.act(edit);
    EXPECT_EQ(LinesOf(*edit.Lines()), c.expected) << c.road;
  }
}

TEST_F(Editor, LoadLockDefersTheEmptyLine) {
  TqzCustomEdit edit(nullptr);
  edit.Lines()->BeginLoad();
  edit.Lines()->BeginLoad();
  edit.Lines()->Clear();
  EXPECT_EQ(edit.LineCount(), 0);
  edit.Lines()->EndLoad();
  EXPECT_EQ(edit.LineCount(), 0);
  edit.Lines()->EndLoad();
  EXPECT_EQ(edit.LineCount(), 1);
  edit.Lines()->EndLoad();  // unbalanced: nothing happens
  EXPECT_EQ(edit.Lines()->LoadLock(), 0);
}

// A stream whose every read fails.
class TFailingStream : public TStream {
 public:
  std::int64_t Read(void*, std::int64_t) override { throw EReadError("Stream read error"); }
  std::int64_t Write(const void*, std::int64_t) override { return 0; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
};

TEST_F(Editor, AFailedLoadLosesNothingAndReleasesItsLocks) {
  TTestHighlighter h(nullptr, '"');
  TTestEdit edit;
  edit.SetHighLighter(&h);
  SetLines(edit, {"a \"", "b"});
  TFailingStream failing;
  EXPECT_THROW(edit.Lines()->LoadFromStream(&failing), EReadError);
  EXPECT_EQ(edit.Lines()->LoadLock(), 0);
  EXPECT_EQ(edit.Lines()->UpdateCount(), 0);
  EXPECT_EQ(LinesOf(*edit.Lines()), (std::vector<std::string>{"a \"", "b"})) << "nothing is lost";
  edit.Lines()->Add("\" closed");
  edit.Lines()->Add("after");
  EXPECT_EQ(StoredRanges(*edit.Lines()), ReferenceRanges(*edit.Lines(), '"', '\0')) << "Add updates ranges again";
}

// ---------------------------------------------------------------------------------------------------
// Bad input

TEST_F(Editor, OddBytesAndLineEndsLoadAndReadBackWhole) {
  const std::string longLine(3000, 'x');
  std::string high;
  for (int b = 128; b < 256; ++b) high += static_cast<char>(b);
  const std::string nul("a\0b", 3);
  const std::string file = nul + "\r" + "cr only\r" + "lf\n" + "crlf\r\n" + longLine + "\n" + high + "\r\n\r\nlast";
  const std::vector<std::string> expected = {nul, "cr only", "lf", "crlf", longLine, high, "", "last"};

  for (bool withHighlighter : {false, true}) {
    TTestHighlighter h(nullptr, '"');
    TTestEdit edit;
    if (withHighlighter) edit.SetHighLighter(&h);
    TStringStream in(file);
    edit.Lines()->LoadFromStream(&in);
    EXPECT_EQ(LinesOf(*edit.Lines()), expected);

    std::string joined;
    for (const std::string& line : expected) joined += line + "\r\n";
    EXPECT_EQ(edit.Text(), joined);
    // Written back with the text's first line end (a lone CR here), the last line unended as it came.
    std::string written;
    for (const std::string& line : expected) written += (written.empty() ? "" : "\r") + line;
    TStringStream out;
    edit.Lines()->SaveToStream(&out);
    EXPECT_EQ(out.DataString(), written);

    edit.SetBlock(TPoint{2, 1}, TPoint{1500, 5});
    TRecordingDC recorded(TRect{0, 0, 400, 600});
    edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(recorded.Handle()));
    TImageDC picture(400, 600);
    edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture.Handle()));
    EXPECT_FALSE(recorded.Records().empty());
  }
}

// ---------------------------------------------------------------------------------------------------
// Range rule

TEST_F(Editor, RescanStopsAtTheFirstLineWhoseStateMatches) {
  struct Case {
    const char* name;
    char toggle;
    char reset;
    int put;
    std::string text;
    std::vector<int> scanned;  // 0-based lines the rescan tokenized
    int firstRepainted, lastRepainted;  // 1-based
  };
  std::vector<int> tenToTwenty;
  for (int i = 10; i <= 20; ++i) tenToTwenty.push_back(i);
  const Case cases[] = {
      {"state never changes", '\0', '\0', 15, "edited \" text", {15}, 16, 16},
      {"toggle without effect on the state", '"', '!', 10, "plain edit", {10}, 11, 11},
      {"opened string runs to the reset line", '"', '!', 10, "open \"", tenToTwenty, 11, 21},
      {"opened string runs to the end", '"', '\0', 25, "open \"", {25, 26, 27, 28, 29}, 26, 30},
  };
  for (const Case& c : cases) {
    TTestHighlighter h(nullptr, c.toggle, c.reset);
    TTestEdit edit;
    std::vector<std::string> lines(30, "some text");
    lines[20] = "reset!";
    SetLines(edit, lines);
    edit.SetHighLighter(&h);
    h.ScannedLines.clear();
    edit.Invalidated.clear();

    edit.Lines()->Put(c.put, c.text);
    EXPECT_EQ(h.ScannedLines, c.scanned) << c.name;
    ASSERT_EQ(edit.Invalidated.size(), 1u) << c.name;
    EXPECT_EQ(edit.Invalidated[0], edit.LineBand(c.firstRepainted, c.lastRepainted)) << c.name;
    EXPECT_EQ(StoredRanges(*edit.Lines()), ReferenceRanges(*edit.Lines(), c.toggle, c.reset)) << c.name;
  }
}

TEST_F(Editor, AListChangeRepaintsOnceWhatItMoved) {
  struct {
    const char* change;
    std::function<void(TqzEditList&)> act;
    int firstLine;  // 1-based; text and gutter repaint from here to the window's bottom line
  } const cases[] = {
      {"Insert", [](TqzEditList& l) { l.Insert(2, "new"); }, 3},
      {"Delete", [](TqzEditList& l) { l.Delete(2); }, 3},
  };
  for (const auto& c : cases) {
    TTestEdit edit;
    SetLines(edit, {"a", "b", "c", "d", "e"});
    edit.Invalidated.clear();
    c.act(*edit.Lines());
    ASSERT_EQ(edit.Invalidated.size(), 1u) << c.change;
    TRect expected = edit.LineBand(c.firstLine, edit.TopLine() + edit.LinesInWindow());
    expected.Left = 0;
    EXPECT_EQ(edit.Invalidated[0], expected) << c.change;
  }
  TTestEdit edit;
  SetLines(edit, {"a", "b"});
  edit.Invalidated.clear();
  edit.Lines()->Add("c");
  ASSERT_EQ(edit.Invalidated.size(), 1u);
  EXPECT_EQ(edit.Invalidated[0], edit.LineBand(3, 3)) << "Add repaints the new line";
}

TEST_F(Editor, RescanFromTheLastLineScansNothing) {
  TTestHighlighter h(nullptr, '"');
  TTestEdit edit;
  SetLines(edit, {"a", "b", "c"});
  edit.SetHighLighter(&h);
  h.ScannedLines.clear();
  EXPECT_EQ(edit.Rescan(2), 2);
  EXPECT_EQ(edit.Rescan(5), 5);
  EXPECT_TRUE(h.ScannedLines.empty());
}

TEST_F(Editor, StoredStatesFollowEveryKindOfListChange) {
  struct {
    const char* change;
    std::function<void(TqzEditList&)> act;
  } const cases[] = {
      {"Add", [](TqzEditList& l) { l.Add("tail \" open"); }},
      {"Insert at the top", [](TqzEditList& l) { l.Insert(0, "\""); }},
      {"Insert in the middle", [](TqzEditList& l) { l.Insert(3, "x\"y"); }},
      {"InsertLines opening a string", [](TqzEditList& l) { l.InsertLines(1, "a\"\r\nb\nc\rd"); }},
      {"InsertLines closing one", [](TqzEditList& l) { l.InsertLines(2, "x\"\r\ny\r\n"); }},
      {"InsertLines at the top", [](TqzEditList& l) { l.InsertLines(0, "\"\n\n"); }},
      {"InsertLines at the end", [](TqzEditList& l) { l.InsertLines(l.Count(), "\"\nz"); }},
      {"DeleteLines across a quote", [](TqzEditList& l) { l.DeleteLines(1, 2); }},
      {"DeleteLines, all of them", [](TqzEditList& l) { l.DeleteLines(0, l.Count()); }},
      {"Delete the first line", [](TqzEditList& l) { l.Delete(0); }},
      {"Delete a quote line", [](TqzEditList& l) { l.Delete(2); }},
      {"Delete the last line", [](TqzEditList& l) { l.Delete(l.Count() - 1); }},
      {"Put", [](TqzEditList& l) { l.Put(1, "\"\"\""); }},
      {"SetText", [](TqzEditList& l) { l.SetText("\"\r\na\r\n\"\r\nb"); }},
      {"LoadFromStream",
       [](TqzEditList& l) {
         TStringStream s("q\"\nr\ns\"\nt");
         l.LoadFromStream(&s);
       }},
      {"Assign",
       [](TqzEditList& l) {
         TStringList other;
         other.Add("\"");
         other.Add("in string");
         l.Assign(&other);
       }},
      {"AddStrings",
       [](TqzEditList& l) {
         TStringList other;
         other.Add("\"");
         other.Add("more");
         l.AddStrings(&other);
       }},
      {"Clear", [](TqzEditList& l) { l.Clear(); }},
  };
  for (const auto& c : cases) {
    TTestHighlighter h(nullptr, '"');
    TTestEdit edit;
    edit.SetHighLighter(&h);
    SetLines(edit, {"one", "two \"", "three", "four\"", "five", "six"});
    ASSERT_EQ(StoredRanges(*edit.Lines()), ReferenceRanges(*edit.Lines(), '"', '\0')) << "after loading";
    c.act(*edit.Lines());
    EXPECT_EQ(StoredRanges(*edit.Lines()), ReferenceRanges(*edit.Lines(), '"', '\0')) << c.change;
  }
}

// A big text gets its first lines' states at once and the rest while the program is idle. Reading a
// far line's state, and edits made before the idle scan has come by, must leave every state as a scan
// from the top computes it; the scan itself changes nothing the user sees, such as the selection.
TEST_F(Editor, StatesOfABigTextAreRightBeforeAndAfterTheIdleScan) {
  struct {
    const char* change;
    std::function<void(TqzCustomEdit&)> act;
  } const cases[] = {
      {"nothing", [](TqzCustomEdit&) {}},
      {"read the last line's state", [](TqzCustomEdit& e) { e.LineStartRange(e.LineCount() - 1); }},
      {"open a string near the top", [](TqzCustomEdit& e) { e.Lines()->Put(5, "\""); }},
      {"open a string far down", [](TqzCustomEdit& e) { e.Lines()->Put(60000, "x \""); }},
      {"insert and delete near the top",
       [](TqzCustomEdit& e) {
         e.Lines()->Insert(3, "\"");
         e.Lines()->Delete(7);
       }},
      {"insert where the known states end",
       [](TqzCustomEdit& e) {
         e.LineStartRange(30000);
         e.Lines()->Insert(30001, "\" new");
         e.Lines()->Delete(30000);
       }},
      {"add at the end", [](TqzCustomEdit& e) { e.Lines()->Add("tail \""); }},
  };
  std::string text;
  for (int i = 0; i < 80000; ++i) text += i % 97 == 0 ? "say \"\r\n" : "line " + std::to_string(i) + "\r\n";
  for (const auto& c : cases) {
    TTestHighlighter h(nullptr, '"');
    TTestEdit edit;
    edit.SetHighLighter(&h);
    TStringStream stream(text);
    edit.Lines()->LoadFromStream(&stream);
    c.act(edit);
    edit.SetBlock(TPoint{2, 3}, TPoint{4, 9});
    const std::vector<TqzRangeState> reference = ReferenceRanges(*edit.Lines(), '"', '\0');
    const int last = edit.LineCount() - 1;
    EXPECT_EQ(edit.LineStartRange(last / 2), reference[static_cast<size_t>(last / 2)]) << c.change;
    EXPECT_TRUE(corvane::test::PumpUntil([&] { return StoredRanges(*edit.Lines()) == reference; }))
        << c.change;
    EXPECT_EQ(edit.BlockBegin(), (TPoint{2, 3})) << "the idle scan keeps the selection; " << c.change;
    EXPECT_EQ(edit.BlockEnd(), (TPoint{4, 9})) << c.change;
  }
}

TEST_F(Editor, AFreedHighlighterIsLetGo) {
  TTestEdit edit;
  auto h = std::make_unique<TTestHighlighter>(nullptr, '"');
  edit.SetHighLighter(h.get());
  h.reset();
  EXPECT_EQ(edit.HighLighter(), nullptr);
  edit.Lines()->Add("still \" works");
  TRecordingDC dc;
  edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.Handle()));
}

TEST_F(Editor, AFreedBookmarkImageListIsLetGo) {
  TTestEdit edit;
  auto images = std::make_unique<TImageList>(nullptr);
  edit.BookMarkOptions()->SetBookmarkImages(images.get());
  edit.Invalidated.clear();
  images.reset();
  EXPECT_EQ(edit.BookMarkOptions()->BookmarkImages(), nullptr);
  ASSERT_FALSE(edit.Invalidated.empty());
  EXPECT_EQ(edit.Invalidated.back(), (TRect{0, 0, edit.GutterWidth(), edit.ClientHeight()})) << "the gutter repaints";
}

// ---------------------------------------------------------------------------------------------------
// Update lock and status notification

TEST_F(Editor, NestedLocksSendOneNotificationWithTheUnion) {
  TTestEdit edit;
  std::vector<TqzStatusChanges> sent;
  edit.OnStatusChange = [&](TObject*, TqzStatusChanges changes) { sent.push_back(changes); };
  edit.BeginUpdate();
  edit.BeginUpdate();
  edit.StatusChanged(TqzStatusChanges{qzscCaretX});
  edit.StatusChanged(TqzStatusChanges{qzscCaretY});
  edit.EndUpdate();
  EXPECT_TRUE(sent.empty());
  edit.EndUpdate();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0], (TqzStatusChanges{qzscCaretX, qzscCaretY}));

  edit.StatusChanged(TqzStatusChanges{qzscTopLine});  // no lock: sent at once
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1], TqzStatusChanges{qzscTopLine});
}

TEST_F(Editor, BitsWithoutAHandlerWaitForTheNextOne) {
  TTestEdit edit;
  edit.SetModified(true);
  std::vector<TqzStatusChanges> sent;
  edit.OnStatusChange = [&](TObject*, TqzStatusChanges changes) { sent.push_back(changes); };
  edit.SetInsertMode(false);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0], (TqzStatusChanges{qzscModified, qzscInsertMode}));
  edit.SetModified(true);  // unchanged: nothing raised
  EXPECT_EQ(sent.size(), 1u);
}

// ---------------------------------------------------------------------------------------------------
// Options and properties

TEST_F(Editor, OptionsSetToTheSameValueDoNothing) {
  TTestEdit edit;
  edit.Lines()->Put(0, "abc");
  EXPECT_EQ(edit.Options(), QZ_DEFAULT_OPTIONS);
  EXPECT_EQ(edit.Options().Bits(), 963u);
  edit.PlaceCaret(10, 1);
  int raised = 0;
  edit.OnStatusChange = [&](TObject*, TqzStatusChanges) { ++raised; };

  edit.SetOptions(edit.Options());
  edit.SetOption(qzeoScrollPastEol, true);
  EXPECT_EQ(edit.CaretColumn(), 10);
  EXPECT_EQ(raised, 0);

  edit.SetOptions(edit.Options() - TqzEditorOptions{qzeoScrollPastEol});
  EXPECT_EQ(edit.CaretColumn(), 4) << "the caret moves to the end of its line";
  EXPECT_EQ(raised, 1);

  edit.PlaceCaret(10, 1);
  edit.SetOption(qzeoScrollPastEol, false);  // already off
  EXPECT_EQ(edit.CaretColumn(), 10);
  edit.SetOption(qzeoScrollPastEol, true);
  edit.SetOption(qzeoScrollPastEol, false);
  EXPECT_EQ(edit.CaretColumn(), 4);
}

// The mouse shows the I-beam over the text, the gutter's own cursor over the gutter and the arrow over
// a selection that can be dragged away.
TEST_F(Editor, TheMousePointerFollowsWhatLiesUnderIt) {
  TTestEdit edit;
  SetLines(edit, {"some text on the first line", "and a second line"});
  edit.Gutter()->SetCursor(crHandPoint);
  WidgetOf(&edit)->show();
  const int textX = edit.GutterWidth() + 2;
  const struct {
    const char* where;
    QPoint at;
    Qt::CursorShape shape;
  } cases[] = {
      {"text", {textX + 3 * edit.CharWidth(), edit.LineHeight() + 2}, Qt::IBeamCursor},
      {"gutter", {edit.GutterWidth() / 2, 2}, Qt::PointingHandCursor},
      {"selection", {textX + edit.CharWidth() + 1, 2}, Qt::ArrowCursor},
      {"beside the selection", {textX + 10 * edit.CharWidth() + 1, 2}, Qt::IBeamCursor},
  };
  edit.SetBlockBegin(TPoint{1, 1});
  edit.SetBlockEnd(TPoint{5, 1});
  for (const auto& c : cases) {
    corvane::test::MoveMouse(edit, c.at);
    EXPECT_EQ(WidgetOf(&edit)->cursor().shape(), c.shape) << c.where;
  }
}

TEST_F(Editor, DroppedFilesAreAcceptedWhileTheOptionIsOn) {
  TqzCustomEdit edit(nullptr);
  edit.SetOptions(edit.Options() + TqzEditorOptions{qzeoDropFiles});  // no window yet
  edit.HandleNeeded();
  EXPECT_TRUE(DragAcceptsFiles(edit.Handle())) << "the new window takes dropped files";
  edit.SetOption(qzeoDropFiles, false);
  EXPECT_FALSE(DragAcceptsFiles(edit.Handle()));
  edit.SetOptions(edit.Options() + TqzEditorOptions{qzeoDropFiles});
  EXPECT_TRUE(DragAcceptsFiles(edit.Handle()));
  edit.SetOptions(QZ_DEFAULT_OPTIONS);
  EXPECT_FALSE(DragAcceptsFiles(edit.Handle()));
}

TEST_F(Editor, ANewWindowForScrollBarsOrBorderKeepsTheText) {
  TTestEdit edit;
  edit.SetText("kept\r\ntext");
  const int lines = edit.LinesInWindow();
  edit.SetScrollBars(ssNone);
  edit.SetBorderStyle(bsNone);
  EXPECT_TRUE(edit.HandleAllocated());
  EXPECT_EQ(edit.Text(), "kept\r\ntext\r\n");
  EXPECT_EQ(edit.LinesInWindow(), edit.ClientHeight() / edit.LineHeight()) << "was " << lines;
  EXPECT_EQ(edit.CharsInWindow(), (edit.ClientWidth() - edit.GutterWidth() - 2) / edit.CharWidth());
  TImageDC picture(400, 600);
  edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture.Handle()));
}

TEST_F(Editor, TabWidthIsClampedAndTheDefaultsHold) {
  TTestEdit edit;
  EXPECT_EQ(edit.TabWidth(), 8);
  edit.SetTabWidth(300);
  EXPECT_EQ(edit.TabWidth(), 256);
  edit.SetTabWidth(-4);
  EXPECT_EQ(edit.TabWidth(), 0);
  EXPECT_EQ(edit.RightEdge(), 80);
  EXPECT_EQ(edit.RightEdgeColor(), clSilver);
  EXPECT_EQ(edit.Font()->Name(), "Courier New");
  EXPECT_EQ(edit.Font()->Size(), 10);
  EXPECT_EQ(edit.Color(), clWindow);
  EXPECT_EQ(edit.MaxColumn(), 1024);
}

TEST_F(Editor, AProportionalFontKeepsTheFixedPitchFace) {
  TTestEdit edit;
  TFont proportional;
  proportional.SetName("DejaVu Sans");
  proportional.SetSize(14);
  proportional.SetStyle(TFontStyles{fsBold, fsItalic});
  proportional.SetColor(clRed);
  edit.SetFont(&proportional);
  EXPECT_EQ(edit.Font()->Name(), "Courier New");
  EXPECT_EQ(edit.Font()->Size(), 14);
  EXPECT_EQ(edit.Font()->Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(edit.Font()->Color(), clRed);
  EXPECT_EQ(edit.Font()->Pitch(), fpFixed);

  TFont fixed;
  fixed.SetName("DejaVu Sans Mono");
  fixed.SetSize(12);
  edit.SetFont(&fixed);
  EXPECT_EQ(edit.Font()->Name(), "DejaVu Sans Mono");
  EXPECT_EQ(edit.Font()->Size(), 12);
}

TEST_F(Editor, ABoldAttributeWidensEveryCell) {
  TTestEdit edit;
  edit.Font()->SetName("DejaVu Sans");  // a face whose bold M is wider
  const int normalWidth = TheTextDrawer(TFontStyles{}, edit.Font()).GetCharWidth();
  const int boldWidth = TheTextDrawer(TFontStyles{fsBold}, edit.Font()).GetCharWidth();
  ASSERT_GT(boldWidth, normalWidth);

  TTestHighlighter h(nullptr);
  edit.SetHighLighter(&h);
  EXPECT_EQ(edit.CharWidth(), normalWidth);
  h.Word->SetStyle(TFontStyles{fsBold});
  EXPECT_EQ(edit.CharWidth(), boldWidth) << "an attribute change reaches the editor";

  edit.SetHighLighter(nullptr);
  EXPECT_EQ(edit.CharWidth(), normalWidth);
  edit.Font()->SetStyle(TFontStyles{fsBold});
  EXPECT_EQ(edit.CharWidth(), boldWidth) << "without a highlighter the font's own style counts";
}

TEST_F(Editor, ExtraLineSpacingAddsToTheLineHeight) {
  TTestEdit edit;
  const int height = edit.LineHeight();
  edit.SetExtraLineSpacing(4);
  EXPECT_EQ(edit.LineHeight(), height + 4);
  EXPECT_EQ(edit.LinesInWindow(), edit.ClientHeight() / (height + 4));
}

TEST_F(Editor, TheGutterWidthFollowsItsDigits) {
  TTestEdit edit;
  EXPECT_EQ(edit.GutterWidth(), 30);
  EXPECT_EQ(edit.TextOffsetX(), 32);
  edit.Gutter()->SetShowLineNumbers(true);
  const int fourDigits = 16 + 2 + 4 * edit.CharWidth() + 2;
  EXPECT_EQ(edit.GutterWidth(), fourDigits);
  edit.Gutter()->SetAutoSize(true);
  std::string text;
  for (int i = 0; i < 12345; ++i) text += "x\r\n";
  edit.SetText(text);
  EXPECT_EQ(edit.Gutter()->EffectiveDigitCount(), 5);
  EXPECT_EQ(edit.GutterWidth(), fourDigits + edit.CharWidth());
  edit.Gutter()->SetVisible(false);
  EXPECT_EQ(edit.GutterWidth(), 0);
}

}  // namespace
