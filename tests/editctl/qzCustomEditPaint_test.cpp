// Painting, checked from the drawing calls (a recording device context) and from pictures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestEdit.h"
#include "TestHighlighters.h"
#include "editctl/qzCustomEdit.h"
#include "editctl/qzSupportClasses.h"
#include "editctl/uTextDrawer.h"
#include "vcl/ImgList.h"
#include "win/Gdi.h"

namespace {

COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

// A drawn piece of a text line as the tests compare it.
struct Piece {
  std::string text;
  int column;  // 1-based column of the first character
  bool selected;
  friend bool operator==(const Piece&, const Piece&) = default;
};

void PrintTo(const Piece& r, std::ostream* os) { *os << "{\"" << r.text << "\", " << r.column << ", " << r.selected << "}"; }

class Painting : public testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }

  static std::vector<TDCRecord> Paint(TqzCustomEdit& edit, TRect clip = TRect{0, 0, 400, 600}) {
    TRecordingDC dc(clip);
    edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.Handle()));
    return dc.Records();
  }

  // The text calls that drew characters of text line `line` (1-based), in order.
  static std::vector<TDCRecord> TextRuns(const TqzCustomEdit& edit, const std::vector<TDCRecord>& records, int line) {
    std::vector<TDCRecord> runs;
    for (const TDCRecord& r : records)
      if (r.Kind == TDCRecord::rkText && r.X >= edit.GutterWidth() && r.Y == (line - 1) * edit.LineHeight() &&
          !r.Text.empty())
        runs.push_back(r);
    return runs;
  }

  static std::vector<Piece> Describe(const TqzCustomEdit& edit, const std::vector<TDCRecord>& runs) {
    std::vector<Piece> out;
    for (const TDCRecord& r : runs)
      out.push_back(Piece{r.Text, (r.X - edit.TextOffsetX()) / edit.CharWidth() + 1, r.BkColor == Rgb(clHighlight)});
    return out;
  }

  static std::unique_ptr<TImageDC> Picture(TqzCustomEdit& edit) {
    auto image = std::make_unique<TImageDC>(400, 600, 0x00FF00);  // a colour nothing paints, so gaps show
    edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(image->Handle()));
    return image;
  }

  // The pixel at the top-left corner of a text cell: inside the cell's background, above any glyph.
  static COLORREF CellPixel(const TImageDC& image, const TqzCustomEdit& edit, int column, int line) {
    return image.Pixel(edit.TextOffsetX() + (column - 1) * edit.CharWidth(), (line - 1) * edit.LineHeight());
  }
};


// ---------------------------------------------------------------------------------------------------
// Text runs

TEST_F(Painting, APartlySelectedLineIsDrawnInThreeParts) {
  struct Case {
    const char* name;
    bool highlighter;
    TPoint begin, end;
    std::vector<Piece> runs;
  };
  const Case cases[] = {
      {"plain, middle selected", false, {3, 1}, {8, 1}, {{"he", 1, false}, {"orld", 8, false}, {"llo w", 3, true}}},
      {"plain, selection from the line start", false, {1, 1}, {6, 1}, {{" world", 6, false}, {"hello", 1, true}}},
      {"plain, selection to the end", false, {7, 1}, {20, 1}, {{"hello ", 1, false}, {"world", 7, true}}},
      {"tokens, middle selected", true, {3, 1}, {8, 1}, {{"he", 1, false}, {"llo w", 3, true}, {"orld", 8, false}}},
      {"tokens, whole line", true, {1, 1}, {1, 2}, {{"hello world", 1, true}}},
      {"tokens, selection inside one token", true, {2, 1}, {4, 1}, {{"h", 1, false}, {"el", 2, true}, {"lo world", 4, false}}},
  };
  for (const Case& c : cases) {
    TTestHighlighter h(nullptr);
    h.Word->SetForeground(clNavy);
    h.Space->SetForeground(clGray);
    TTestEdit edit;
    edit.SetText("hello world\r\nsecond");
    if (c.highlighter) edit.SetHighLighter(&h);
    edit.SetBlock(c.begin, c.end);
    EXPECT_EQ(Describe(edit, TextRuns(edit, Paint(edit), 1)), c.runs) << c.name;
  }
}

TEST_F(Painting, TokensOfOneLookAreDrawnAsOneRun) {
  TTestHighlighter h(nullptr);
  h.Word->SetForeground(clNavy);
  h.Symbol->SetForeground(clRed);
  h.Symbol->SetStyle(TFontStyles{fsBold});
  TTestEdit edit;
  edit.SetHighLighter(&h);
  edit.SetText("my   $x = 10;\r\n");
  const std::vector<TDCRecord> runs = TextRuns(edit, Paint(edit), 1);
  // Blanks join the run before them whatever their own colour and style; a change of style or colour
  // starts a new run.
  std::vector<std::string> texts;
  for (const TDCRecord& r : runs) texts.push_back(r.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"my   ", "$", "x ", "= ", "10", ";"}));
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[0].TextColor, Rgb(clNavy));
  EXPECT_FALSE(runs[0].Bold);
  EXPECT_EQ(runs[1].TextColor, Rgb(clRed));
  EXPECT_TRUE(runs[1].Bold);
  for (const TDCRecord& r : runs) {
    EXPECT_EQ(r.Options, ETO_OPAQUE | ETO_CLIPPED);
    EXPECT_EQ(r.BkColor, Rgb(clWindow));
    for (int advance : r.Advances) EXPECT_EQ(advance, edit.CharWidth());
  }
  // Each run's rectangle starts where the one before ended.
  for (size_t i = 1; i < runs.size(); ++i) EXPECT_EQ(runs[i].Rect.Left, runs[i - 1].Rect.Right);
}

TEST_F(Painting, ALineLongerThanTheWindowIsDrawnLeftToRight) {
  TTestHighlighter h(nullptr);
  h.Word->SetForeground(clNavy);
  h.Symbol->SetForeground(clRed);
  TTestEdit edit;
  edit.SetHighLighter(&h);
  std::string line;
  while (line.size() < 3000) line += "word, ";
  edit.SetText(line);
  int left = edit.GutterWidth() + 2;
  for (const TDCRecord& r : Paint(edit)) {
    if (r.Rect.Top != 0 || r.Rect.Left < edit.GutterWidth() + 2) continue;
    EXPECT_EQ(r.Rect.Left, left) << "parts follow each other";
    EXPECT_GT(r.Rect.Right, r.Rect.Left) << "nothing is sent for the columns right of the window";
    left = r.Rect.Right;
  }
  EXPECT_EQ(left, 400) << "the line is filled to the window's right side";
}

TEST_F(Painting, TabsAreExpandedBeforeDrawing) {
  TTestEdit edit;
  edit.SetTabWidth(4);
  edit.SetText("a\tb\r\n");
  const std::vector<TDCRecord> runs = TextRuns(edit, Paint(edit), 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Text, "a   b");
}

TEST_F(Painting, ASpecialLineInvertsTheSelectionColours) {
  TTestEdit edit;
  edit.SetText("first\r\nspecial\r\nthird");
  edit.OnSpecialLineColors = [](TObject*, int line, bool& special, TColor& fg, TColor& bg) {
    if (line != 2) return;
    special = true;
    fg = clYellow;
    bg = clNavy;
  };
  edit.SetBlock(TPoint{3, 1}, TPoint{4, 3});
  const std::vector<TDCRecord> records = Paint(edit);
  const std::vector<TDCRecord> special = TextRuns(edit, records, 2);
  ASSERT_EQ(special.size(), 1u);
  EXPECT_EQ(special[0].TextColor, Rgb(clNavy));
  EXPECT_EQ(special[0].BkColor, Rgb(clYellow));
  const std::vector<TDCRecord> first = TextRuns(edit, records, 1);
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[1].Text, "rst");
  EXPECT_EQ(first[1].TextColor, Rgb(clHighlightText));
  EXPECT_EQ(first[1].BkColor, Rgb(clHighlight));
}

TEST_F(Painting, EachSelectionModePaintsItsOwnShape) {
  struct Case {
    const char* name;
    TSelectionMode mode;
    bool highlighter;
    TPoint begin, end;  // stored ends
    std::vector<std::vector<Piece>> lines;
  };
  const std::vector<Piece> columnPlain{{"a", 1, false}, {"def", 4, false}, {"bc", 2, true}};
  const std::vector<Piece> columnTokens{{"a", 1, false}, {"bc", 2, true}, {"def", 4, false}};
  const std::vector<Piece> whole{{"abcdef", 1, true}};
  const Case cases[] = {
      {"stream", smNormal, false, {2, 1}, {4, 3}, {{{"a", 1, false}, {"bcdef", 2, true}}, whole, {{"def", 4, false}, {"abc", 1, true}}}},
      {"column, right end first", smColumn, false, {4, 1}, {2, 3}, {columnPlain, columnPlain, columnPlain}},
      {"column with tokens", smColumn, true, {2, 1}, {4, 3}, {columnTokens, columnTokens, columnTokens}},
      {"whole lines", smLine, false, {4, 1}, {2, 3}, {whole, whole, whole}},
  };
  for (const Case& c : cases) {
    TTestHighlighter h(nullptr);
    TTestEdit edit;
    edit.SetText("abcdef\r\nabcdef\r\nabcdef\r\nabcdef");
    if (c.highlighter) edit.SetHighLighter(&h);
    edit.SetSelectionMode(c.mode);
    edit.SetBlock(c.begin, c.end);
    const std::vector<TDCRecord> records = Paint(edit);
    for (int line = 1; line <= 3; ++line)
      EXPECT_EQ(Describe(edit, TextRuns(edit, records, line)), c.lines[static_cast<size_t>(line - 1)]) << c.name << " line " << line;
    EXPECT_EQ(Describe(edit, TextRuns(edit, records, 4)), (std::vector<Piece>{{"abcdef", 1, false}})) << c.name;
  }
}

TEST_F(Painting, AScrolledLineStartsAtTheFirstVisibleColumn) {
  for (bool highlighter : {false, true}) {
    TTestHighlighter h(nullptr);
    TTestEdit edit;
    edit.SetText("abcdefgh");
    if (highlighter) edit.SetHighLighter(&h);
    edit.SetLeftColumn(3);
    const std::vector<TDCRecord> runs = TextRuns(edit, Paint(edit), 1);
    ASSERT_FALSE(runs.empty()) << highlighter;
    EXPECT_EQ(runs[0].X, edit.GutterWidth() + 2) << highlighter;
    EXPECT_EQ(Describe(edit, runs), (std::vector<Piece>{{"cdefgh", 3, false}})) << highlighter;
  }
}

TEST_F(Painting, AnEmptyLineInsideASelectionIsSelectedToTheRight) {
  for (bool highlighter : {false, true}) {
    TTestHighlighter h(nullptr);
    TTestEdit edit;
    if (highlighter) edit.SetHighLighter(&h);
    edit.SetText("abc\r\n\r\nxyz");
    edit.SetBlock(TPoint{2, 1}, TPoint{2, 3});
    TRect filled;
    for (const TDCRecord& r : Paint(edit))
      if (r.Rect.Top == edit.LineHeight() && r.Rect.Bottom == 2 * edit.LineHeight() && r.BkColor == Rgb(clHighlight))
        filled = UnionRect(filled, r.Rect);
    EXPECT_EQ(filled, (TRect{edit.TextOffsetX(), edit.LineHeight(), 400, 2 * edit.LineHeight()})) << highlighter;
  }
}

TEST_F(Painting, HiddenSelectionShowsNoColoursWithoutFocus) {
  for (bool hide : {false, true}) {
    TTestEdit edit;
    edit.SetText("hello world");
    edit.SetBlock(TPoint{1, 1}, TPoint{6, 1});
    edit.SetHideSelection(hide);
    ASSERT_FALSE(edit.Focused());
    bool selected = false;
    for (const TDCRecord& r : Paint(edit)) selected = selected || r.BkColor == Rgb(clHighlight);
    EXPECT_EQ(selected, !hide) << "HideSelection " << hide;
  }
}

TEST_F(Painting, TheRightEdgeIsDrawnOnlyWhenSet) {
  struct {
    int edge;
    int lines;  // edge pieces: one per painted line band and one below the text
  } const cases[] = {{0, 0}, {10, 3}, {80, 0}};  // 80 lies right of the painted area
  for (const auto& c : cases) {
    TTestEdit edit;
    edit.SetText("a\r\nb");
    edit.SetRightEdge(c.edge);
    int pieces = 0;
    for (const TDCRecord& r : Paint(edit))
      if (r.Kind == TDCRecord::rkLine && r.BkColor == Rgb(clSilver)) {
        ++pieces;
        EXPECT_EQ(r.Rect.Left, edit.TextOffsetX() + c.edge * edit.CharWidth());
      }
    EXPECT_EQ(pieces, c.lines) << "RightEdge " << c.edge;
  }
}

TEST_F(Painting, ARegionPaintsOnlyWhatItCovers) {
  TTestEdit edit;
  edit.SetText("line one\r\nline two");
  edit.Gutter()->SetShowLineNumbers(true);
  const int gutter = edit.GutterWidth();
  bool text = false;
  for (const TDCRecord& r : Paint(edit, TRect{0, 0, gutter - 4, 600})) text = text || r.Rect.Right > gutter;
  EXPECT_FALSE(text) << "a region in the gutter painted text";
  bool gutterPainted = false;
  for (const TDCRecord& r : Paint(edit, TRect{gutter + 10, 0, 400, 600}))
    gutterPainted = gutterPainted || r.Rect.Left < gutter;
  EXPECT_FALSE(gutterPainted) << "a region in the text painted the gutter";
}

// ---------------------------------------------------------------------------------------------------
// Gutter

TEST_F(Painting, LineNumbersInTheGutter) {
  struct {
    bool leadingZeros;
    bool zeroStart;
    int line;
    const char* shown;
  } const cases[] = {{false, false, 7, "   7"}, {true, false, 7, "0007"}, {true, true, 7, "0006"},
                     {false, true, 1, "   0"},  {true, true, 1, "0000"},  {true, false, 10, "0010"}};
  for (const auto& c : cases) {
    TTestEdit edit;
    std::string text;
    for (int i = 0; i < 12; ++i) text += "x\r\n";
    edit.SetText(text);
    edit.Gutter()->SetShowLineNumbers(true);
    edit.Gutter()->SetLeadingZeros(c.leadingZeros);
    edit.Gutter()->SetZeroStart(c.zeroStart);
    std::string shown;
    for (const TDCRecord& r : Paint(edit))
      if (r.Kind == TDCRecord::rkText && r.Y == (c.line - 1) * edit.LineHeight() && r.X == edit.Gutter()->LeftOffset())
        shown = r.Text;
    EXPECT_EQ(shown, c.shown) << c.line << " zeros " << c.leadingZeros << " zero start " << c.zeroStart;
  }
}

TEST_F(Painting, GutterPictureShowsTheNumberOnItsBackground) {
  for (bool zeroStart : {false, true}) {
    TTestEdit edit;
    edit.SetText("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh");
    edit.Gutter()->SetShowLineNumbers(true);
    edit.Gutter()->SetLeadingZeros(true);
    edit.Gutter()->SetZeroStart(zeroStart);
    const std::unique_ptr<TImageDC> shot = Picture(edit);
    const TImageDC& picture = *shot;

    // The same number drawn alone, the way the gutter draws it.
    const int top = 6 * edit.LineHeight();
    TImageDC expected(400, 600, 0x00FF00);
    TheTextDrawer drawer(TFontStyles{}, edit.Font());
    drawer.BeginDrawing(expected.Handle());
    drawer.SetBackColor(clBtnFace);
    drawer.SetForeColor(edit.Font()->Color());
    drawer.ExtTextOut(edit.Gutter()->LeftOffset(), top, ETO_OPAQUE, TRect{0, top, edit.GutterWidth(), top + edit.LineHeight()},
                      zeroStart ? "0006" : "0007", 4);
    drawer.EndDrawing();
    int differing = 0;
    for (int y = top; y < top + edit.LineHeight(); ++y)
      for (int x = 0; x < edit.GutterWidth() - 2; ++x) differing += picture.Pixel(x, y) != expected.Pixel(x, y);
    EXPECT_EQ(differing, 0) << "line 7, zero start " << zeroStart;
    EXPECT_EQ(picture.Pixel(edit.GutterWidth() - 2, top), Rgb(clBtnHighlight));
    EXPECT_EQ(picture.Pixel(edit.GutterWidth() - 1, top), Rgb(clBtnShadow));
    EXPECT_EQ(picture.Pixel(1, 590), Rgb(clBtnFace)) << "below the last line";
  }
}

TEST_F(Painting, MarksAreDrawnSideBySideWithBookmarksLast) {
  TTestEdit edit;
  edit.SetText("one\r\ntwo\r\nthree");
  auto add = [&](int line, int image, int bookmark, bool visible = true) {
    auto mark = std::make_unique<TMark>(&edit);
    mark->SetLine(line);
    mark->SetImage(image);
    mark->SetBookmarkNumber(bookmark);
    mark->SetVisible(visible);
    mark->SetInternalImage(true);
    edit.Marks()->Add(std::move(mark));
  };
  add(2, 1, 1);       // a bookmark, listed first but drawn after the other marks
  add(2, 3, -1);
  add(2, 4, -1, false);  // invisible
  add(2, 10, -1);     // no such image: nothing drawn, no room taken
  add(2, 5, -1);
  add(3, 7, 7);

  std::vector<TDCRecord> images;
  for (const TDCRecord& r : Paint(edit))
    if (r.Kind == TDCRecord::rkImage) images.push_back(r);
  TqzInternalImage strip("qzeInternalImages", 10);
  const int w = strip.ImageWidth();
  ASSERT_GT(w, 0) << "the built-in images are missing";
  struct {
    int x, line, image;
  } const expected[] = {{2, 2, 3}, {14, 2, 5}, {26, 2, 1}, {2, 3, 7}};
  ASSERT_EQ(images.size(), std::size(expected));
  for (size_t i = 0; i < images.size(); ++i) {
    EXPECT_EQ(images[i].Rect.Left, expected[i].x) << i;
    EXPECT_GE(images[i].Rect.Top, (expected[i].line - 1) * edit.LineHeight()) << i;
    EXPECT_LE(images[i].Rect.Bottom, expected[i].line * edit.LineHeight()) << i;
    EXPECT_EQ(images[i].X, expected[i].image * w) << "image " << expected[i].image;
  }

  edit.BookMarkOptions()->SetGlyphsVisible(false);
  for (const TDCRecord& r : Paint(edit)) EXPECT_NE(r.Kind, TDCRecord::rkImage);
}

TEST_F(Painting, MarksTakeTheirImageFromTheBookmarkImageList) {
  const std::string dir = corvane::test::MakeTempDir("h1-marks");
  TImageDC red(16, 16, static_cast<COLORREF>(clRed));
  ASSERT_TRUE(red.SaveToFile(dir + "/red.png"));
  TImageList images(nullptr);
  ASSERT_EQ(images.AddFromFile(dir + "/red.png"), 0);

  TTestEdit edit;
  edit.SetText("one\r\ntwo");
  edit.BookMarkOptions()->SetBookmarkImages(&images);
  for (int image : {0, 1}) {  // 1 is past the list's end
    auto mark = std::make_unique<TMark>(&edit);
    mark->SetLine(image + 1);
    mark->SetImage(image);
    mark->SetVisible(true);
    edit.Marks()->Add(std::move(mark));
  }
  const std::unique_ptr<TImageDC> shot = Picture(edit);
  EXPECT_EQ(shot->Pixel(2 + 8, 8), static_cast<COLORREF>(clRed)) << "the list's image on line 1";
  EXPECT_EQ(shot->Pixel(2 + 8, edit.LineHeight() + 8), Rgb(clBtnFace)) << "nothing on line 2";
  edit.BookMarkOptions()->SetBookmarkImages(nullptr);
}

// ---------------------------------------------------------------------------------------------------
// Pictures

TEST_F(Painting, SelectionColoursInAPicture) {
  TTestEdit edit;
  edit.SetText("hello world\r\nsecond line\r\nthird");
  edit.SetBlock(TPoint{3, 1}, TPoint{8, 1});
  const std::unique_ptr<TImageDC> shot = Picture(edit);
    const TImageDC& picture = *shot;
  for (int column = 1; column <= 12; ++column) {
    const bool selected = column >= 3 && column < 8;
    EXPECT_EQ(CellPixel(picture, edit, column, 1), Rgb(selected ? clHighlight : clWindow)) << "column " << column;
  }
  EXPECT_EQ(CellPixel(picture, edit, 4, 2), Rgb(clWindow));
  EXPECT_EQ(picture.Pixel(399, 599), Rgb(clWindow)) << "below the text";
  EXPECT_EQ(picture.Pixel(edit.GutterWidth(), 5), Rgb(clWindow)) << "the strip between gutter and text";
}

TEST_F(Painting, SpecialLinePicture) {
  TTestEdit edit;
  edit.SetText("first\r\nspecial\r\nthird");
  edit.OnSpecialLineColors = [](TObject*, int line, bool& special, TColor& fg, TColor& bg) {
    special = line == 2;
    if (special) {
      fg = clYellow;
      bg = clNavy;
    }
  };
  edit.SetBlock(TPoint{3, 2}, TPoint{5, 2});
  const std::unique_ptr<TImageDC> shot = Picture(edit);
    const TImageDC& picture = *shot;
  EXPECT_EQ(CellPixel(picture, edit, 1, 2), Rgb(clNavy));
  EXPECT_EQ(CellPixel(picture, edit, 3, 2), Rgb(clYellow));
  EXPECT_EQ(CellPixel(picture, edit, 5, 2), Rgb(clNavy));
  EXPECT_EQ(CellPixel(picture, edit, 30, 2), Rgb(clNavy)) << "the special background fills the line";
}

TEST_F(Painting, RightEdgeAndHiddenSelectionPictures) {
  struct {
    int edge;
    bool hide;
  } const cases[] = {{0, false}, {20, false}, {20, true}};
  for (const auto& c : cases) {
    TTestEdit edit;
    edit.SetText("hello world");
    edit.SetRightEdge(c.edge);
    edit.SetHideSelection(c.hide);
    edit.SetBlock(TPoint{1, 1}, TPoint{4, 1});
    const std::unique_ptr<TImageDC> shot = Picture(edit);
    const TImageDC& picture = *shot;
    const int x = edit.TextOffsetX() + 20 * edit.CharWidth();
    for (int y : {0, 300, 599}) EXPECT_EQ(picture.Pixel(x, y), Rgb(c.edge ? clSilver : clWindow)) << c.edge << " at " << y;
    EXPECT_EQ(CellPixel(picture, edit, 2, 1), Rgb(c.hide ? clWindow : clHighlight)) << "hide " << c.hide;
  }
}

TEST_F(Painting, TheWindowPaintsWhatAContextGets) {
  TTestEdit edit;
  edit.SetText("hello world\r\nsecond line");
  edit.Gutter()->SetShowLineNumbers(true);
  edit.SetRightEdge(30);
  edit.SetBlock(TPoint{3, 1}, TPoint{4, 2});
  const std::unique_ptr<TImageDC> shot = Picture(edit);
  const TImageDC window(edit);  // through the widget's own paint event
  ASSERT_GT(window.Width(), 0);
  int differing = 0;  // over the client area: the scroll bars are the window's own
  for (int y = 0; y < edit.ClientHeight(); ++y)
    for (int x = 0; x < edit.ClientWidth(); ++x) differing += window.Pixel(x, y) != shot->Pixel(x, y);
  EXPECT_EQ(differing, 0);
}

}  // namespace
