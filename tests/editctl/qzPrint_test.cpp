// Printing the editor's text to PDF files through the layer's printer, read back with poppler's tools.
#include <gtest/gtest.h>

#include <QImage>
#include <QPageLayout>
#include <QPrinter>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/CommandOutput.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "editctl/TestEdit.h"
#include "editctl/qzPrint.h"
#include "highlight/ZuzUderUze.h"
#include "qt/QtSide.h"
#include "vcl/Printers.h"
#include "vcl/SysUtils.h"

namespace {

using corvane::test::CommandOutput;

std::string PdfText(const std::string& file, int page = 0) {
  const std::string pages = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  return CommandOutput("pdftotext -layout" + pages + " '" + file + "' -");
}

int PdfPages(const std::string& file) {
  const std::string info = CommandOutput("pdfinfo '" + file + "'");
  const size_t at = info.find("Pages:");
  return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  return lines;
}

// The PDF's printed lines, trimmed, without the blank ones and the page-number footer.
std::vector<std::string> TextLines(const std::string& file) {
  std::vector<std::string> lines;
  for (const std::string& line : SplitLines(PdfText(file)))
    if (!Trim(line).empty() && line.find("Page") == std::string::npos) lines.push_back(Trim(line));
  return lines;
}

struct TStatusRecord {
  TqzPrintStatus Status;
  int Page;
  bool operator==(const TStatusRecord&) const = default;
};

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = corvane::test::MakeTempDir("print");
    pdf_ = dir_ + "/out.pdf";
    Printer()->SetOutputFileName(pdf_);
    QtPrinterOf(*Printer())->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    edit_.Font()->SetName("Courier New");
    edit_.Font()->SetSize(10);
    edit_.OnPrintStatus = TPrintStatusEvent([this](TObject*, TqzPrintStatus status, int page, bool& abort) {
      events_.push_back({status, page});
      abort = abortAt_ == TStatusRecord{status, page};
    });
    header_.AddObject("File: $title$", PrintAlignmentObject(taLeftJustify));
    footer_.AddObject("Page $pagenum$", PrintAlignmentObject(taRightJustify));
    options_.Title = "t.pl";
    options_.Header = &header_;
    options_.Footer = &footer_;
    options_.MarginUnits = muMillimeters;
    options_.Margins = TRect{15, 8, 5, 5};
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void SetLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(1000 + i).substr(1) + "\n";
    edit_.SetText(text);
  }

  struct TApplicationFirst {
    TApplicationFirst() { corvane::test::EnsureApplication(); }
  } application_;
  std::string dir_;
  std::string pdf_;
  TTestEdit edit_;
  TStringList header_;
  TStringList footer_;
  TqzPrintOptions options_;
  std::vector<TStatusRecord> events_;
  TStatusRecord abortAt_{prsEnd, -1};
};

TEST(PrintPlaceholders, ExpandsNamesLeftToRight) {
  const TqzPrintPlaceholders values{7, "Script.pl", "10.12.2026", "14:05"};
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"Page $pagenum$ of $title$", "Page 7 of Script.pl"},
      {"$ date $", "10.12.2026"},
      {"$DATETIME$|$TimeDate$", "10.12.2026 14:05|14:05 10.12.2026"},
      {"$time$", "14:05"},
      {"cost: $$5", "cost: $5"},
      {"$unknown name$!", "UNKNOWN NAME!"},
      {"left $ open to the end", "left OPEN TO THE END"},
      {"no placeholders", "no placeholders"},
      {"$", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandPrintPlaceholders(c.line, values), c.expected) << c.line;
}

TEST_F(PrintTest, HeaderAndFooterOnEveryPageWithTheirNumbers) {
  SetLines(200);
  edit_.PrintText(nullptr, options_);
  const int pages = PdfPages(pdf_);
  ASSERT_GE(pages, 3);
  for (int page = 1; page <= pages; ++page) {
    const std::string text = PdfText(pdf_, page);
    EXPECT_NE(text.find("File: t.pl"), std::string::npos) << page;
    EXPECT_NE(text.find("Page " + std::to_string(page)), std::string::npos) << page;
  }
  std::vector<TStatusRecord> expected{{prsBegin, 0}};
  for (int page = 1; page <= pages; ++page) expected.push_back({prsNewPage, page});
  expected.push_back({prsEnd, 0});
  EXPECT_EQ(events_, expected);
}

// The rule: after a line printed at y, a new page starts when y + 2 line heights + the footer's lines
// pass the bottom margin.
TEST_F(PrintTest, PageBreaksWhereTheLinesNoLongerFitAboveTheFooter) {
  SetLines(200);
  int dpi = 0, offsetY = 0;
  edit_.OnPrintStatus = TPrintStatusEvent([&](TObject*, TqzPrintStatus status, int, bool&) {
    if (status != prsBegin) return;
    dpi = GetDeviceCaps(Printer()->Canvas()->Handle(), LOGPIXELSY);
    offsetY = GetDeviceCaps(Printer()->Canvas()->Handle(), PHYSICALOFFSETY);
  });
  edit_.PrintText(nullptr, options_);
  ASSERT_GT(dpi, 0);

  TFont font;
  font.PixelsPerInch = dpi;
  font.Assign(edit_.Font());
  const LOGFONTA lf = LogFontOf(font);
  TFontHandle handle(CreateFontIndirectA(&lf));
  HDC dc = GetDC(nullptr);
  SelectObject(dc, handle.get());
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  const int lh = tm.tmHeight + tm.tmExternalLeading + edit_.ExtraLineSpacing();
  const int top = std::max(0, MulDiv(MulDiv(8, dpi, 1000), 10000, 254) - offsetY);
  const int bottom = Printer()->PageHeight() - std::max(0, MulDiv(MulDiv(5, dpi, 1000), 10000, 254) - offsetY);
  int perPage = 0;
  for (int y = top + lh; y + 3 * lh <= bottom; y += lh) ++perPage;  // one header line, one footer line
  ++perPage;  // the line whose test fails is printed before the break

  const int pages = (200 + perPage - 1) / perPage;
  ASSERT_EQ(PdfPages(pdf_), pages);
  for (int page = 1; page <= pages; ++page) {
    const std::string text = PdfText(pdf_, page);
    const int first = (page - 1) * perPage + 1;
    const int last = std::min(200, page * perPage);
    EXPECT_NE(text.find("line " + std::to_string(1000 + first).substr(1)), std::string::npos) << page;
    EXPECT_NE(text.find("line " + std::to_string(1000 + last).substr(1)), std::string::npos) << page;
    if (last < 200) {
      EXPECT_EQ(text.find("line " + std::to_string(1001 + last).substr(1)), std::string::npos) << page;
    }
  }
}

TEST_F(PrintTest, ColumnSelectionPrintsEachLinesColumnsAtTheLeftMargin) {
  edit_.SetText("abcdefgh\nijklmnop\nqrstuvwx\n");
  edit_.SetSelectionMode(smColumn);
  edit_.SetBlock(TPoint{3, 1}, TPoint{6, 3});
  options_.SelectedOnly = true;
  header_.Clear();
  header_.AddObject("HEAD", PrintAlignmentObject(taLeftJustify));
  edit_.PrintText(nullptr, options_);
  std::vector<std::string> lines;
  for (const std::string& line : SplitLines(PdfText(pdf_)))
    if (!Trim(line).empty() && line.find("Page") == std::string::npos) lines.push_back(line);
  ASSERT_EQ(lines.size(), 4u);
  const size_t left = lines[0].find("HEAD");
  EXPECT_EQ(lines[1].find("cde"), left);
  EXPECT_EQ(lines[2].find("klm"), left);
  EXPECT_EQ(lines[3].find("stu"), left);
  EXPECT_EQ(Trim(lines[1]), "cde");
}

// Each mode's selection prints exactly its characters: a line the selection does not reach stays off
// the page, also when the selection ends at the start of it.
TEST_F(PrintTest, SelectionPrintsOnlyTheSelectedCharactersInEachMode) {
  const struct {
    const char* name;
    TSelectionMode mode;
    TPoint begin, end;
    std::vector<std::string> expected;
  } cases[] = {
      {"stream ending at the start of a line", smNormal, {1, 2}, {1, 3}, {"bravo"}},
      {"stream over lines ending at the start of one", smNormal, {3, 1}, {1, 4}, {"pha", "bravo", "charlie"}},
      {"stream inside a line", smNormal, {2, 2}, {5, 2}, {"rav"}},
      {"stream over lines", smNormal, {3, 1}, {3, 3}, {"pha", "bravo", "ch"}},
      {"lines", smLine, {3, 2}, {2, 3}, {"bravo", "charlie"}},
      {"column block", smColumn, {2, 1}, {4, 3}, {"lp", "ra", "ha"}},
      {"column block drawn leftwards", smColumn, {4, 1}, {2, 3}, {"lp", "ra", "ha"}},
      {"column block drawn leftwards to column 1", smColumn, {3, 1}, {1, 2}, {"al", "br"}},
  };
  edit_.SetText("alpha\nbravo\ncharlie\ndelta\n");
  header_.Clear();
  options_.SelectedOnly = true;
  for (const auto& c : cases) {
    edit_.SetSelectionMode(c.mode);
    edit_.SetBlock(c.begin, c.end);
    edit_.PrintText(nullptr, options_);
    EXPECT_EQ(TextLines(pdf_), c.expected) << c.name;
  }
}

// A print range starts at its first column on its first line and ends at its last column on its last.
TEST_F(PrintTest, PrintRangePrintsItsLinesFromItsFirstToItsLastColumn) {
  edit_.SetText("alpha\nbravo\ncharlie\ndelta\necho\n");
  header_.Clear();
  options_.PrintRange = TRect{2, 2, 3, 4};
  edit_.PrintText(nullptr, options_);
  EXPECT_EQ(TextLines(pdf_), (std::vector<std::string>{"ravo", "charlie", "del"}));
}

TEST_F(PrintTest, SelectedOnlyWithoutSelectionPrintsNothingAndFiresNoEvent) {
  SetLines(3);
  options_.SelectedOnly = true;
  edit_.PrintText(nullptr, options_);
  EXPECT_TRUE(events_.empty());
  EXPECT_FALSE(std::filesystem::exists(pdf_));
  EXPECT_FALSE(Printer()->Printing());
}

TEST_F(PrintTest, AbortAtBeginGivesNoPageAndOneEnd) {
  SetLines(3);
  corvane::test::WriteFile(pdf_, "an earlier file");
  abortAt_ = {prsBegin, 0};
  edit_.PrintText(nullptr, options_);
  EXPECT_EQ(events_, (std::vector<TStatusRecord>{{prsBegin, 0}, {prsEnd, 0}}));
  EXPECT_EQ(corvane::test::ReadFile(pdf_), "an earlier file");  // an aborted job writes no file
  EXPECT_FALSE(Printer()->Printing());
}

TEST_F(PrintTest, AbortAtPageTwoStartsNoFurtherPage) {
  SetLines(200);
  abortAt_ = {prsNewPage, 2};
  edit_.PrintText(nullptr, options_);
  EXPECT_EQ(events_, (std::vector<TStatusRecord>{{prsBegin, 0}, {prsNewPage, 1}, {prsNewPage, 2}, {prsEnd, 0}}));
  EXPECT_EQ(Printer()->PageNumber(), 2);
  EXPECT_FALSE(std::filesystem::exists(pdf_));
  EXPECT_TRUE(Printer()->Aborted());
}

// On a printer whose printable area starts 10 mm into the paper, margins of 0 print at that edge, and
// margins in millimetres count from the paper's edge.
TEST_F(PrintTest, MarginsCountFromThePaperEdgeAndStayAtLeastZero) {
  QtPrinterOf(*Printer())->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  edit_.SetText("body\n");
  header_.Clear();
  header_.AddObject("HEAD", PrintAlignmentObject(taLeftJustify));
  footer_.Clear();
  const struct {
    TqzMarginUnits units;
    int left;
    double expectedPoints;
  } cases[] = {{muPixels, 0, 10 / 25.4 * 72}, {muMillimeters, 5, 10 / 25.4 * 72}, {muMillimeters, 30, 30 / 25.4 * 72},
               {muThousandthsOfInches, 1000, 72}};
  for (const auto& c : cases) {
    options_.MarginUnits = c.units;
    options_.Margins = TRect{c.left, 0, 0, 0};
    edit_.PrintText(nullptr, options_);
    const std::string boxes = CommandOutput("pdftotext -bbox '" + pdf_ + "' -");
    const size_t word = boxes.find(">HEAD<");
    ASSERT_NE(word, std::string::npos) << boxes;
    const size_t at = boxes.rfind("xMin=\"", word);
    EXPECT_NEAR(std::stod(boxes.substr(at + 6)), c.expectedPoints, 2.0) << c.units << " " << c.left;
  }
}

class PrintHighlightTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    perl_.KeyAttri()->SetStyle(TFontStyles{fsBold});
    perl_.KeyAttri()->SetForeground(clRed);
    edit_.SetHighLighter(&perl_);
    edit_.SetText(std::string(20, '\n') + "print $x;\n");
    header_.Clear();
    footer_.Clear();
    options_.Highlight = true;
  }
  // Pixels of the first page, in the printer's colours, at 50 dots per inch.
  QImage Picture() {
    CommandOutput("pdftoppm -r 50 -png -f 1 -l 1 '" + pdf_ + "' '" + dir_ + "/page'");
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
      if (entry.path().extension() == ".png") return QImage(QString::fromStdString(entry.path().string()));
    return QImage();
  }
  static int RedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        count += c.red() > 150 && c.green() < 100 && c.blue() < 100;
      }
    return count;
  }
  TZuzUderUze perl_{nullptr};
};

TEST_F(PrintHighlightTest, KeywordsPrintBoldAndInTheirColour) {
  edit_.PrintText(nullptr, options_);
  const std::string fonts = CommandOutput("pdffonts '" + pdf_ + "'");
  EXPECT_NE(fonts.find("Bold"), std::string::npos) << fonts;
  EXPECT_GT(RedPixels(Picture()), 0);
  EXPECT_NE(PdfText(pdf_).find("print $x;"), std::string::npos);
}

TEST_F(PrintHighlightTest, MonochromeKeepsStylesWithoutColour) {
  options_.Monochrome = true;
  edit_.PrintText(nullptr, options_);
  EXPECT_NE(CommandOutput("pdffonts '" + pdf_ + "'").find("Bold"), std::string::npos);
  EXPECT_EQ(RedPixels(Picture()), 0);
}

TEST_F(PrintHighlightTest, WithoutHighlightingNoBoldFont) {
  options_.Highlight = false;
  edit_.PrintText(nullptr, options_);
  EXPECT_EQ(CommandOutput("pdffonts '" + pdf_ + "'").find("Bold"), std::string::npos);
}

}  // namespace
