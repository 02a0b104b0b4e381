#include "editctl/qzSupportClasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "vcl/Canvas.h"
#include "win/Gdi.h"

namespace {

TEST(qzBookMarkOpt, DefaultsAndChanges) {
  corvane::test::EnsureApplication();
  TComponent editor(nullptr);
  TqzBookMarkOpt options(&editor);
  EXPECT_EQ(options.BookmarkImages(), nullptr);
  EXPECT_TRUE(options.EnableKeys());
  EXPECT_TRUE(options.GlyphsVisible());
  EXPECT_EQ(options.LeftMargin(), 2);
  EXPECT_EQ(options.Xoffset(), 12);

  int changes = 0;
  options.OnChange = TNotifyEvent([&](TObject* sender) {
    EXPECT_EQ(sender, &options);
    ++changes;
  });
  options.SetEnableKeys(true);
  options.SetGlyphsVisible(true);
  options.SetLeftMargin(2);
  options.SetXoffset(12);
  EXPECT_EQ(changes, 0);
  options.SetEnableKeys(false);
  options.SetGlyphsVisible(false);
  options.SetLeftMargin(4);
  options.SetXoffset(20);
  EXPECT_EQ(changes, 4);

  // The editor hears of the image list's end through free notification.
  struct Editor : TComponent {
    using TComponent::TComponent;
    TComponent* Removed = nullptr;
    void Notification(TComponent* AComponent, TOperation Operation) override {
      TComponent::Notification(AComponent, Operation);
      if (Operation == opRemove) Removed = AComponent;
    }
  } owner(nullptr);
  TqzBookMarkOpt ownOptions(&owner);
  auto* images = new TImageList(nullptr);
  ownOptions.SetBookmarkImages(images);
  EXPECT_EQ(ownOptions.BookmarkImages(), images);
  delete images;
  EXPECT_EQ(owner.Removed, images);
}

// ---------------------------------------------------------------------------------------------------

class qzInternalImage : public ::testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }
  // The source and destination rectangles of the one image drawn, or none.
  std::vector<TDCRecord> Draw(const TqzInternalImage& strip, int number, int lineHeight, int y, int x) {
    TRecordingDC dc;
    TCanvas canvas;
    canvas.SetHandle(dc.Handle());
    strip.DrawInternalImage(&canvas, number, lineHeight, y, x);
    canvas.SetHandle(nullptr);
    return dc.Records();
  }
};

TEST_F(qzInternalImage, SharesOneStripOfTenBookmarkImages) {
  TqzInternalImage strip("qzeInternalImages", 10);
  EXPECT_EQ(strip.ImageCount(), 10);
  EXPECT_EQ(strip.ImageWidth(), 12);
  EXPECT_EQ(strip.ImageHeight(), 11);
  {
    TqzInternalImage second("anything else", 3);  // later handles only count
    EXPECT_EQ(second.ImageCount(), 10);
  }
  EXPECT_EQ(strip.ImageWidth(), 12);  // still loaded while one handle lives
}

TEST_F(qzInternalImage, PlacesTheImageInTheLineBand) {
  TqzInternalImage strip("qzeInternalImages", 10);
  struct DrawCase {
    int Number, LineHeight, Y, X;
    TRect Dest;
    int SourceX, SourceY;
  };
  const std::vector<DrawCase> cases = {
      {0, 16, 32, 5, TRect{5, 34, 17, 45}, 0, 0},     // centred: 2 pixels below the line top
      {3, 11, 0, 0, TRect{0, 0, 12, 11}, 36, 0},      // exactly fits
      {9, 7, 14, 2, TRect{2, 14, 14, 21}, 108, 2},    // the middle band of a taller image
  };
  for (const DrawCase& c : cases) {
    SCOPED_TRACE(c.Number);
    const std::vector<TDCRecord> records = Draw(strip, c.Number, c.LineHeight, c.Y, c.X);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Kind, TDCRecord::rkImage);
    EXPECT_EQ(records[0].Rect, c.Dest);
    EXPECT_EQ(records[0].X, c.SourceX);
    EXPECT_EQ(records[0].Y, c.SourceY);
  }
  for (int outside : {-1, 10}) EXPECT_TRUE(Draw(strip, outside, 16, 0, 0).empty()) << outside;
}

TEST_F(qzInternalImage, ShowsADifferentDigitOnEachImage) {
  TqzInternalImage strip("qzeInternalImages", 10);
  std::vector<std::vector<COLORREF>> images;
  for (int n = 0; n < 10; ++n) {
    TImageDC picture(12, 11, 0xFFFFFF);
    TCanvas canvas;
    canvas.SetHandle(picture.Handle());
    strip.DrawInternalImage(&canvas, n, 11, 0, 0);
    canvas.SetHandle(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 12; ++x) pixels.push_back(picture.Pixel(x, y));
    EXPECT_NE(picture.Pixel(1, 0), 0xFFFFFFu) << "image " << n << " is blank";
    for (const std::vector<COLORREF>& earlier : images) EXPECT_NE(pixels, earlier) << "image " << n;
    images.push_back(pixels);
  }
}

}  // namespace
