// A Perl line painted by the editor through each colour scheme: every character's colours and style
// from the drawing calls, and a picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "editctl/TestEdit.h"
#include "highlight/ZuzUderUze.h"
#include "win/Gdi.h"

namespace {

const std::string Line = "my $s = \"hi\"; # note";

COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

// How one character cell was drawn.
struct Cell {
  char Char = 0;
  COLORREF Foreground = 0;
  COLORREF Background = 0;
  bool Bold = false;
  bool Italic = false;
  friend bool operator==(const Cell&, const Cell&) = default;
};

void PrintTo(const Cell& c, std::ostream* os) {
  *os << "{'" << c.Char << "' fg " << std::hex << c.Foreground << " bg " << c.Background << std::dec
      << (c.Bold ? " bold" : "") << (c.Italic ? " italic" : "") << "}";
}

// The cells of the first text line as the recorded text calls drew them.
std::vector<Cell> DrawnCells(const TqzCustomEdit& edit, const std::vector<TDCRecord>& records) {
  std::vector<Cell> cells(Line.size());
  for (const TDCRecord& r : records) {
    if (r.Kind != TDCRecord::rkText || r.Y != 0 || r.X < edit.TextOffsetX()) continue;
    const int first = (r.X - edit.TextOffsetX()) / edit.CharWidth();
    for (size_t i = 0; i < r.Text.size(); ++i) {
      const size_t column = static_cast<size_t>(first) + i;
      if (column < cells.size()) cells[column] = {r.Text[i], r.TextColor, r.BkColor, r.Bold, r.Italic};
    }
  }
  return cells;
}

// The cells the scheme's attributes ask for (blanks take the colours of the run they join).
std::vector<Cell> ExpectedCells(TZuzUderUze& h) {
  std::vector<Cell> cells;
  h.ResetRange();
  h.SetLine(Line, 0);
  Cell previous;
  for (; !h.GetEol(); h.Next()) {
    const TqzHighLightAttributes* a = h.GetTokenAttribute();
    Cell style{0, Rgb(a->Foreground()), Rgb(a->Background()), a->Style().Contains(fsBold),
               a->Style().Contains(fsItalic)};
    const bool blanks = h.GetToken().find_first_not_of(' ') == std::string::npos;
    if (blanks && !cells.empty()) style = previous;
    for (char c : h.GetToken()) {
      style.Char = c;
      cells.push_back(style);
    }
    previous = style;
  }
  return cells;
}

struct SchemeCase {
  TPerlColorScheme Scheme;
  const char* Name;
};
const SchemeCase Schemes[] = {{TPerlColorScheme::StandardSyntax, "StandardSyntax"},
                              {TPerlColorScheme::VizuviZozaze, "VizuviZozaze"},
                              {TPerlColorScheme::MonochromeSyntax, "MonochromeSyntax"}};

class PerlPainting : public ::testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }
};

TEST_F(PerlPainting, EachSchemeColoursTheTokensOfALine) {
  TComponent owner(nullptr);
  for (const SchemeCase& s : Schemes) {
    SCOPED_TRACE(s.Name);
    TZuzUderUze* h = CreatePerlColorScheme(&owner, s.Scheme);
    TTestEdit edit;
    edit.SetText(Line);
    edit.SetHighLighter(h);
    TRecordingDC dc(TRect{0, 0, 400, 600});
    edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.Handle()));
    EXPECT_EQ(DrawnCells(edit, dc.Records()), ExpectedCells(*h));
    edit.SetHighLighter(nullptr);
  }
}

TEST_F(PerlPainting, StringsArePurpleOnlyInTheirScheme) {
  TComponent owner(nullptr);
  for (const SchemeCase& s : Schemes) {
    SCOPED_TRACE(s.Name);
    TZuzUderUze* h = CreatePerlColorScheme(&owner, s.Scheme);
    TTestEdit edit;
    edit.SetText(Line + "\nprint \"purple\" if $x eq 'y';");
    edit.SetHighLighter(h);
    TImageDC picture(400, 60, 0x00FF00);
    edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture.Handle()));
    if (const char* dir = std::getenv("CORVANE_BINARY_DIR"))
      picture.SaveToFile(std::string(dir) + "/PerlPainting-" + s.Name + ".png");

    // Somewhere in the cells of "hi" a glyph pixel leans to purple, and only there.
    bool purple = false;
    const int left = edit.TextOffsetX() + 8 * edit.CharWidth();
    for (int y = 0; y < edit.LineHeight(); ++y)
      for (int x = left; x < left + 4 * edit.CharWidth(); ++x) {
        const COLORREF p = picture.Pixel(x, y);
        const int r = static_cast<int>(p & 0xFF), g = static_cast<int>((p >> 8) & 0xFF),
                  b = static_cast<int>((p >> 16) & 0xFF);
        if (r > g + 40 && b > g + 40) purple = true;
      }
    EXPECT_EQ(purple, s.Scheme == TPerlColorScheme::VizuviZozaze);
    EXPECT_EQ(picture.Pixel(edit.TextOffsetX() + 30 * edit.CharWidth(), 1), Rgb(clWindow));  // the line's end
    edit.SetHighLighter(nullptr);
  }
}

}  // namespace
