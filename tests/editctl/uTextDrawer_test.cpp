#include "editctl/uTextDrawer.h"

#include <gtest/gtest.h>

#include <string>

#include "common/TestApp.h"

namespace {

class TextDrawer : public testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }

  // Each test takes sizes no other test uses, so it starts from records of its own.
  static std::unique_ptr<TFont> MakeFont(const std::string& name, int size, TFontStyles style = {}) {
    auto font = std::make_unique<TFont>();
    font->SetName(name);
    font->SetSize(size);
    font->SetStyle(style);
    return font;
  }
};

TEST_F(TextDrawer, DrawersOnOneFontShareTheRecordAndItsHandles) {
  auto font = MakeFont("DejaVu Sans Mono", 21);
  const int before = GetFontsInfoManager()->Count();
  auto first = std::make_unique<TheTextDrawer>(TFontStyles{}, font.get());
  TheTextDrawer second(TFontStyles{}, font.get());
  EXPECT_EQ(GetFontsInfoManager()->Count(), before + 1);
  const TheSharedFontsInfo* info = second.FontStock().FontsInfo();
  ASSERT_EQ(info, first->FontStock().FontsInfo());
  EXPECT_EQ(info->RefCount, 2);
  EXPECT_EQ(info->LockCount, 2);
  HFONT shared = second.FontStock().FontHandle();
  EXPECT_EQ(first->FontStock().FontHandle(), shared);

  first.reset();
  EXPECT_EQ(info->RefCount, 1);
  EXPECT_EQ(second.FontStock().FontHandle(), shared);
  LOGFONTA lf;
  EXPECT_EQ(GetObjectA(shared, sizeof lf, &lf), static_cast<int>(sizeof lf)) << "the remaining drawer's handle was freed";
}

TEST_F(TextDrawer, TheWeightIsPartOfTheKeyButTheOtherStylesAreNot) {
  auto normal = MakeFont("DejaVu Sans Mono", 22);
  auto italic = MakeFont("DejaVu Sans Mono", 22, {fsItalic, fsUnderline});
  auto bold = MakeFont("DejaVu Sans Mono", 22, {fsBold});
  TheTextDrawer a(TFontStyles{}, normal.get());
  TheTextDrawer b(TFontStyles{}, italic.get());
  TheTextDrawer c(TFontStyles{}, bold.get());
  EXPECT_EQ(a.FontStock().FontsInfo(), b.FontStock().FontsInfo());
  EXPECT_NE(a.FontStock().FontsInfo(), c.FontStock().FontsInfo());
}

TEST_F(TextDrawer, BoldGlyphsAreDrawnInTheBaseCellWidth) {
  // A proportional face, where a bold M is wider than a normal one.
  auto font = MakeFont("DejaVu Sans", 23);
  TheTextDrawer normal(TFontStyles{}, font.get());
  TheTextDrawer boldBase(TFontStyles{fsBold}, font.get());
  const int width = normal.GetCharWidth();
  ASSERT_GT(boldBase.GetCharWidth(), width);
  normal.SetStyle(TFontStyles{fsBold});
  EXPECT_EQ(normal.GetCharWidth(), width);

  TRecordingDC dc;
  normal.BeginDrawing(dc.Handle());
  normal.ExtTextOut(0, 0, ETO_OPAQUE, TRect{0, 0, 100, 20}, "MM", 2);
  normal.EndDrawing();
  ASSERT_EQ(dc.Records().size(), 1u);
  EXPECT_TRUE(dc.Records()[0].Bold);
  EXPECT_EQ(dc.Records()[0].Advances, (std::vector<int>{width, width}));
}

TEST_F(TextDrawer, CellWidthArrayGrowsInStepsOf64) {
  auto font = MakeFont("DejaVu Sans Mono", 24);
  struct {
    int length;
    int entries;
  } const cases[] = {{1, 64}, {63, 64}, {64, 128}, {65, 128}, {129, 192}};
  const std::string text(200, 'x');
  for (const auto& c : cases) {
    TheTextDrawer drawer(TFontStyles{}, font.get());
    TRecordingDC dc;
    drawer.BeginDrawing(dc.Handle());
    drawer.ExtTextOut(0, 0, 0, TRect{}, text.data(), c.length);
    drawer.EndDrawing();
    EXPECT_EQ(drawer.CharWidthsLength(), c.entries) << c.length << " characters";
  }
}

TEST_F(TextDrawer, CharExtraWidensTheCell) {
  auto font = MakeFont("DejaVu Sans Mono", 25);
  TheTextDrawer drawer(TFontStyles{}, font.get());
  const int width = drawer.GetCharWidth();
  drawer.SetCharExtra(3);
  EXPECT_EQ(drawer.GetCharWidth(), width + 3);
}

TEST_F(TextDrawer, ColoursReachTheContextAndDrawingRestoresIt) {
  auto font = MakeFont("DejaVu Sans Mono", 26);
  TheTextDrawer drawer(TFontStyles{}, font.get());
  TRecordingDC dc;
  SetTextColor(dc.Handle(), 0x123456);
  drawer.SetBackColor(clYellow);
  drawer.BeginDrawing(dc.Handle());
  drawer.BeginDrawing(dc.Handle());  // nested on the same context
  drawer.SetForeColor(clRed);
  drawer.ExtTextOut(0, 0, ETO_OPAQUE, TRect{0, 0, 10, 10}, "a", 1);
  drawer.SetForeColor(clWindowText);
  drawer.ExtTextOut(0, 0, ETO_OPAQUE, TRect{0, 0, 10, 10}, "b", 1);
  drawer.EndDrawing();
  drawer.EndDrawing();
  ASSERT_EQ(dc.Records().size(), 2u);
  EXPECT_EQ(dc.Records()[0].TextColor, static_cast<COLORREF>(clRed));
  EXPECT_EQ(dc.Records()[0].BkColor, static_cast<COLORREF>(clYellow));
  EXPECT_EQ(dc.Records()[1].TextColor, static_cast<COLORREF>(ColorToRGB(clWindowText)));
  EXPECT_EQ(dc.State().TextColor, 0x123456u);
}

TEST_F(TextDrawer, DrawsAgainAfterReleasingItsHandles) {
  auto font = MakeFont("DejaVu Sans Mono", 27);
  TheTextDrawer drawer(TFontStyles{}, font.get());
  drawer.ReleaseTemporaryResources();
  EXPECT_EQ(drawer.FontStock().FontsInfo()->LockCount, 0);
  TRecordingDC dc;
  drawer.BeginDrawing(dc.Handle());
  drawer.ExtTextOut(0, 0, 0, TRect{}, "a", 1);
  drawer.EndDrawing();
  ASSERT_EQ(dc.Records().size(), 1u);
  EXPECT_EQ(dc.Records()[0].FaceName, "DejaVu Sans Mono");
  EXPECT_EQ(dc.Records()[0].Height, font->Height());
}

TEST_F(TextDrawer, MissingFontIsRefused) {
  auto font = MakeFont("DejaVu Sans Mono", 28);
  TheTextDrawer drawer(TFontStyles{}, font.get());
  try {
    drawer.SetBaseFont(nullptr);
    FAIL() << "no exception";
  } catch (const EheTextDrawerException& e) {
    EXPECT_EQ(e.Message, "SetBaseFont: 'Value' must be specified.");
  }
  EXPECT_THROW(TheFontStock(nullptr), EheFontStockException);
}

// A context on which no character can be measured.
class TUnmeasurableDC : public TScreenDC {
 public:
  bool CharABCWidths(UINT, UINT, ABC*) const override { return false; }
};

class TUnmeasurableStock : public TheFontStock {
 public:
  using TheFontStock::TheFontStock;

 protected:
  HDC GetScreenDC() override { return dc_.Handle(); }
  void ReleaseScreenDC(HDC) override {}

 private:
  TUnmeasurableDC dc_;
};

TEST_F(TextDrawer, AFontWithoutTheLetterMGetsItsAverageWidth) {
  auto other = MakeFont("DejaVu Sans Mono", 29);
  auto font = MakeFont("DejaVu Sans", 29);
  TUnmeasurableStock stock(other.get());
  stock.SetBaseFont(font.get());  // a fresh record, measured on the context above
  HDC dc = GetDC(nullptr);
  SelectObject(dc, stock.FontHandle());
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(stock.GetCharWidth(), tm.tmAveCharWidth);
  EXPECT_EQ(stock.GetCharHeight(), tm.tmHeight);
}

}  // namespace
