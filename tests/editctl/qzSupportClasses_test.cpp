#include "editctl/qzSupportClasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "vcl/Canvas.h"
#include "win/Gdi.h"

namespace {

// Listeners that log their calls and may fail.
struct Listener {
  std::vector<std::string>* Log;
  std::string Tag;
  bool Fails = false;
  void Notify(TObject*) {
    Log->push_back(Tag);
    if (Fails) throw Exception(Tag + " failed");
  }
};

TEST(qzNotifyEventChain, FiresInOrderWithItsSender) {
  TObject sender;
  TqzNotifyEventChain chain(&sender);
  std::vector<TObject*> senders;
  std::vector<int> order;
  chain.Add(TNotifyEvent([&](TObject* s) { senders.push_back(s), order.push_back(1); }));
  chain.Add(TNotifyEvent([&](TObject* s) { senders.push_back(s), order.push_back(2); }));
  chain.Fire();
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(senders, (std::vector<TObject*>{&sender, &sender}));
}

TEST(qzNotifyEventChain, AddedTwiceFiresTwiceAndOneRemoveTakesBoth) {
  std::vector<std::string> log;
  Listener a{&log, "a"};
  Listener b{&log, "b"};
  TqzNotifyEventChain chain(nullptr);
  chain.Add(TNotifyEvent(&a, &Listener::Notify));
  chain.Add(TNotifyEvent(&b, &Listener::Notify));
  chain.Add(TNotifyEvent(&a, &Listener::Notify));
  chain.Fire();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "a"}));

  log.clear();
  chain.Remove(TNotifyEvent(&a, &Listener::Notify));
  chain.Fire();
  EXPECT_EQ(log, std::vector<std::string>{"b"});
  EXPECT_EQ(chain.Count(), 1);
}

TEST(qzNotifyEventChain, RemovingAnAbsentEventDoesNothing) {
  std::vector<std::string> log;
  Listener a{&log, "a"};
  Listener other{&log, "other"};
  TqzNotifyEventChain chain(nullptr);
  chain.Add(TNotifyEvent(&a, &Listener::Notify));
  chain.Remove(TNotifyEvent(&other, &Listener::Notify));  // same code, other data
  chain.Remove(TNotifyEvent([](TObject*) {}));
  chain.Fire();
  EXPECT_EQ(log, std::vector<std::string>{"a"});
}

TEST(qzNotifyEventChain, UnassignedEventsAreRefused) {
  TqzNotifyEventChain chain(nullptr);
  try {
    chain.Add(TNotifyEvent());
    FAIL() << "no exception";
  } catch (const EqzMethodChain& e) {
    EXPECT_EQ(e.Message, "TqzNotifyEventChain.Entry : the parameter `AEvent' must be specified.");
  }
  try {
    chain.Remove(TNotifyEvent());
    FAIL() << "no exception";
  } catch (const EqzMethodChain& e) {
    EXPECT_EQ(e.Message, "TqzNotifyEventChain.Remove: the parameter `AEvent' must be specified.");
  }
}

TEST(qzNotifyEventChain, AFailingEntryWithoutHandlerStopsTheWalkAndReachesTheCaller) {
  std::vector<std::string> log;
  Listener a{&log, "a"};
  Listener b{&log, "b", true};
  Listener c{&log, "c"};
  TqzNotifyEventChain chain(nullptr);
  for (Listener* l : {&a, &b, &c}) chain.Add(TNotifyEvent(l, &Listener::Notify));
  try {
    chain.Fire();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "b failed");
  }
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
}

TEST(qzNotifyEventChain, TheHandlerDecidesWhetherTheWalkGoesOn) {
  for (bool goOn : {false, true}) {
    SCOPED_TRACE(goOn);
    std::vector<std::string> log;
    Listener a{&log, "a", true};
    Listener b{&log, "b"};
    TqzNotifyEventChain chain(nullptr);
    chain.Add(TNotifyEvent(&a, &Listener::Notify));
    chain.Add(TNotifyEvent(&b, &Listener::Notify));
    std::vector<std::string> handled;
    chain.ExceptionHandler = TqzExceptionEvent([&](TObject* sender, Exception& e, bool& doContinue) {
      EXPECT_EQ(sender, &chain);
      EXPECT_TRUE(doContinue);
      handled.push_back(e.Message);
      doContinue = goOn;
    });
    EXPECT_NO_THROW(chain.Fire());
    EXPECT_EQ(handled, std::vector<std::string>{"a failed"});
    EXPECT_EQ(log, goOn ? (std::vector<std::string>{"a", "b"}) : (std::vector<std::string>{"a"}));
  }
}

TEST(qzNotifyEventChain, AFailingHandlerAndForeignExceptions) {
  TqzNotifyEventChain chain(nullptr);
  chain.Add(TNotifyEvent([](TObject*) { throw Exception("entry"); }));
  chain.ExceptionHandler = TqzExceptionEvent([](TObject*, Exception&, bool&) { throw 42; });
  try {
    chain.Fire();
    FAIL() << "no exception";
  } catch (const EqzMethodChain& e) {
    EXPECT_EQ(e.Message,
              "TqzNotifyEventChain.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler");
  }

  // What is not an exception of the class library passes the handler by.
  TqzNotifyEventChain foreign(nullptr);
  foreign.Add(TNotifyEvent([](TObject*) { throw std::runtime_error("foreign"); }));
  bool handled = false;
  foreign.ExceptionHandler = TqzExceptionEvent([&](TObject*, Exception&, bool&) { handled = true; });
  EXPECT_THROW(foreign.Fire(), std::runtime_error);
  EXPECT_FALSE(handled);
}

TEST(qzNotifyEventChain, EntriesMayUnhookWhileTheChainFires) {
  // Entries a..d; the removing entry unhooks the named ones during the first walk.
  struct UnhookCase {
    std::string Remover;
    std::vector<std::string> Removed;
    std::vector<std::string> FirstWalk;
    std::vector<std::string> SecondWalk;
  };
  const std::vector<UnhookCase> cases = {
      {"a", {"a"}, {"a", "b", "c", "d"}, {"b", "c", "d"}},  // itself
      {"c", {"a"}, {"a", "b", "c", "d"}, {"b", "c", "d"}},  // an earlier one
      {"b", {"c"}, {"a", "b", "d"}, {"a", "b", "d"}},       // a later one is not called any more
      {"b", {"a", "b", "d"}, {"a", "b", "c"}, {"c"}},
  };
  for (const UnhookCase& c : cases) {
    SCOPED_TRACE(c.Remover);
    std::vector<std::string> log;
    std::vector<Listener> listeners = {{&log, "a"}, {&log, "b"}, {&log, "c"}, {&log, "d"}};
    TqzNotifyEventChain chain(nullptr);
    bool first = true;
    for (Listener& l : listeners) {
      chain.Add(TNotifyEvent(&l, &Listener::Notify));
      if (l.Tag == c.Remover)
        chain.Add(TNotifyEvent([&](TObject*) {
          if (!first) return;
          for (Listener& r : listeners)
            if (std::find(c.Removed.begin(), c.Removed.end(), r.Tag) != c.Removed.end())
              chain.Remove(TNotifyEvent(&r, &Listener::Notify));
        }));
    }
    chain.Fire();
    EXPECT_EQ(log, c.FirstWalk);
    first = false;
    log.clear();
    chain.Fire();
    EXPECT_EQ(log, c.SecondWalk);
  }
}

// ---------------------------------------------------------------------------------------------------

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
