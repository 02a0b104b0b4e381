#include "win/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/TestApp.h"
#include "vcl/Canvas.h"

namespace {

class Gdi : public testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }

  static TFontHandle MakeFont(const char* face, LONG weight = FW_NORMAL) {
    LOGFONTA lf;
    lf.lfHeight = -13;
    lf.lfWeight = weight;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return TFontHandle(CreateFontIndirectA(&lf));
  }
};

TEST_F(Gdi, RestoreDCReturnsToTheSavedState) {
  TRecordingDC dc;
  HDC h = dc.Handle();
  SetTextColor(h, 1);
  const int first = SaveDC(h);
  SetTextColor(h, 2);
  SaveDC(h);
  SetTextColor(h, 3);
  EXPECT_TRUE(RestoreDC(h, -1));
  EXPECT_EQ(dc.State().TextColor, 2u);
  SetTextColor(h, 4);
  SaveDC(h);
  EXPECT_TRUE(RestoreDC(h, first)) << "restoring an older level drops the newer ones";
  EXPECT_EQ(dc.State().TextColor, 1u);
  EXPECT_FALSE(RestoreDC(h, -1)) << "nothing is saved any more";
  EXPECT_FALSE(RestoreDC(h, 7));
}

TEST_F(Gdi, FixedAndProportionalFontsDifferInTheirMetrics) {
  struct {
    const char* face;
    bool fixed;
  } const cases[] = {{"DejaVu Sans Mono", true}, {"DejaVu Sans", false}};
  HDC dc = GetDC(nullptr);
  for (const auto& c : cases) {
    TFontHandle font = MakeFont(c.face);
    HFONT old = SelectObject(dc, font.get());
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    EXPECT_EQ(tm.tmAveCharWidth == tm.tmMaxCharWidth, c.fixed) << c.face;
    EXPECT_EQ((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0, c.fixed) << c.face;
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    ABC abc;
    ASSERT_TRUE(GetCharABCWidthsA(dc, 'M', 'M', &abc));
    EXPECT_EQ(abc.abcA + static_cast<int>(abc.abcB) + abc.abcC, TDeviceContext::FromHandle(dc)->CharAdvance('M'));
    EXPECT_FALSE(GetCharABCWidthsA(dc, 0x8201, 0x8201, &abc)) << "no double-byte characters in this code page";
    SelectObject(dc, old);
  }
  ReleaseDC(nullptr, dc);
}

TEST_F(Gdi, AFontHandleIsDeletedOnce) {
  const LOGFONTA empty;
  HFONT font = CreateFontIndirectA(&empty);
  LOGFONTA lf;
  EXPECT_EQ(GetObjectA(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_FALSE(DeleteObject(font));
  EXPECT_EQ(GetObjectA(font, sizeof lf, &lf), 0);
}

TEST_F(Gdi, ExtTextOutFillsAndClipsToItsRectangle) {
  TImageDC image(60, 20, 0x00FF00);
  HDC dc = image.Handle();
  TFontHandle font = MakeFont("DejaVu Sans Mono", FW_BOLD);
  SelectObject(dc, font.get());
  SetBkColor(dc, 0xFF0000);
  SetTextColor(dc, 0x000000);
  const int dx[] = {10, 10, 10, 10};
  const TRect rect{0, 0, 20, 20};
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &rect, "MMMM", 4, dx);
  EXPECT_EQ(image.Pixel(0, 0), 0xFF0000u) << "the rectangle is filled";
  bool inked = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) inked = inked || image.Pixel(x, y) == 0x000000u;
  EXPECT_TRUE(inked) << "the glyphs inside the rectangle are drawn";
  for (int y = 0; y < 20; ++y)
    for (int x = 20; x < 60; ++x) ASSERT_EQ(image.Pixel(x, y), 0x00FF00u) << "drawn outside the clip at " << x << "," << y;
}

TEST_F(Gdi, RecordingKeepsEveryCallWithItsState) {
  TRecordingDC dc;
  HDC h = dc.Handle();
  TFontHandle font = MakeFont("DejaVu Sans Mono", FW_BOLD);
  SelectObject(h, font.get());
  SetTextColor(h, 0x112233);
  SetBkColor(h, 0x445566);
  const TRect rect{1, 2, 3, 4};
  ExtTextOutA(h, 5, 6, ETO_OPAQUE, &rect, "ab", 2, nullptr);
  SetPen(h, 0x778899, 1);
  MoveToEx(h, 1, 1, nullptr);
  LineTo(h, 1, 9);
  FillSolidRect(h, TRect{0, 0, 2, 2}, 0xABCDEF);
  ASSERT_EQ(dc.Records().size(), 3u);
  const TDCRecord& text = dc.Records()[0];
  EXPECT_EQ(text.Kind, TDCRecord::rkText);
  EXPECT_EQ(text.Text, "ab");
  EXPECT_EQ(text.X, 5);
  EXPECT_EQ(text.Rect, rect);
  EXPECT_EQ(text.TextColor, 0x112233u);
  EXPECT_EQ(text.BkColor, 0x445566u);
  EXPECT_EQ(text.FaceName, "DejaVu Sans Mono");
  EXPECT_TRUE(text.Bold);
  EXPECT_EQ(text.Advances.size(), 2u);
  EXPECT_EQ(dc.Records()[1].Kind, TDCRecord::rkLine);
  EXPECT_EQ(dc.Records()[1].Rect, (TRect{1, 1, 1, 9}));
  EXPECT_EQ(dc.Records()[1].BkColor, 0x778899u);
  EXPECT_EQ(dc.Records()[2].Kind, TDCRecord::rkFill);
  EXPECT_EQ(dc.Records()[2].BkColor, 0xABCDEFu);
}

TEST_F(Gdi, CanvasDrawsWithItsPenBrushAndFont) {
  TImageDC image(40, 40, 0xFFFFFF);
  TCanvas canvas;
  canvas.SetHandle(image.Handle());
  canvas.Brush()->SetColor(clRed);
  canvas.FillRect(TRect{0, 0, 10, 10});
  EXPECT_EQ(image.Pixel(9, 9), static_cast<COLORREF>(clRed));
  EXPECT_EQ(image.Pixel(10, 10), 0xFFFFFFu);

  canvas.Pen()->SetColor(clBlue);
  canvas.MoveTo(20, 0);
  canvas.LineTo(20, 5);
  EXPECT_EQ(image.Pixel(20, 4), static_cast<COLORREF>(clBlue));
  EXPECT_EQ(image.Pixel(20, 5), 0xFFFFFFu) << "the end point is not drawn";
  EXPECT_EQ(canvas.PenPos(), (TPoint{20, 5}));

  TImageDC strip(10, 10, static_cast<COLORREF>(clLime));
  canvas.CopyRect(TRect{30, 30, 35, 35}, strip, TRect{0, 0, 5, 5});
  EXPECT_EQ(image.Pixel(32, 32), static_cast<COLORREF>(clLime));
  EXPECT_EQ(image.Pixel(36, 36), 0xFFFFFFu);

  canvas.Font()->SetName("DejaVu Sans Mono");
  EXPECT_GT(canvas.TextWidth("MM"), canvas.TextWidth("M"));
  EXPECT_GT(canvas.TextHeight("M"), 0);
  EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 40, 40}));
  canvas.SetHandle(nullptr);
  canvas.FillRect(TRect{0, 0, 40, 40});  // unbound: draws nothing
  EXPECT_EQ(image.Pixel(39, 0), 0xFFFFFFu);
}

}  // namespace
