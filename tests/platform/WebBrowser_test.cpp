#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QImage>
#include <QWebEnginePage>
#include <QWidget>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "common/TestApp.h"
#include "common/UserInput.h"
#include "qt/QtSide.h"
#include "vcl/WebBrowser.h"

// The browser engine's own code frees one of its objects with the wrong size when a page goes, which
// the address sanitizer reports; that is none of ours (only sanitizer builds read this).
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }

namespace {

TEST(WebBrowserTest, EngineStartsOnlyForARealPageAndShowsIt) {
  corvane::test::EnsureApplication();
  const std::string dir = corvane::test::MakeTempDir("webbrowser");
  const std::string page = dir + "/page.htm";
  std::ofstream(page) << "<html><body style=\"background:#ff0000\"></body></html>";

  TWebBrowser browser(nullptr);
  browser.SetBounds(0, 0, 200, 120);
  browser.Navigate("about:blank");
  EXPECT_FALSE(browser.EngineCreated());
  EXPECT_EQ(browser.LocationURL(), "about:blank");

  bool loaded = false;
  bool ok = false;
  browser.OnDocumentComplete = [&](TObject*, const std::string&, bool success) {
    loaded = true;
    ok = success;
  };
  browser.Navigate("file://" + page);
  EXPECT_TRUE(browser.EngineCreated());
  WidgetOf(&browser)->show();
  QDeadlineTimer deadline(20000);
  while (!loaded && !deadline.hasExpired()) corvane::test::PumpEvents(20);
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(ok);
  EXPECT_FALSE(browser.Busy());
  // A page grabbed at once is still blank: the engine paints it a little later.
  const std::string shot = dir + "/shot.png";
  QImage image;
  corvane::test::PumpUntil([&] {
    image = browser.SaveToImage(shot) ? QImage(QString::fromStdString(shot)) : QImage();
    return !image.isNull() && image.pixelColor(image.width() / 2, image.height() / 2) == QColor(255, 0, 0);
  });
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(255, 0, 0));
}

// The program asks for the engine to start in the background: it must come by itself after the
// window's first paint, without the control being shown, and a page asked for while the engine's
// first blank page is still loading must still arrive.
TEST(WebBrowserTest, TheEngineStartsUnseenAfterTheWindowsFirstPaintAndThenShowsAPage) {
  corvane::test::EnsureApplication();
  const std::string dir = corvane::test::MakeTempDir("webbrowser");
  const std::string page = dir + "/page.htm";
  std::ofstream(page) << "<html><body>page</body></html>";

  QWidget window;
  window.resize(300, 200);
  TWebBrowser browser(nullptr);
  browser.SetBounds(0, 0, 200, 120);
  WidgetOf(&browser)->setParent(&window);
  WidgetOf(&browser)->hide();
  browser.StartEngineAfterFirstPaint();
  EXPECT_FALSE(browser.EngineCreated());
  corvane::test::EventCounter paints(&window, QEvent::Paint);
  window.show();
  ASSERT_TRUE(paints.WaitFor(1));
  ASSERT_TRUE(corvane::test::PumpUntil([&] { return browser.EngineCreated(); }));
  EXPECT_FALSE(WidgetOf(&browser)->isVisible());
  // The page goes out while the engine's own blank page loads, which the engine alone would drop.
  QWebEnginePage* engine = WidgetOf(&browser)->findChild<QWebEnginePage*>();
  ASSERT_TRUE(corvane::test::PumpUntil([&] { return engine->isLoading(); }));

  std::vector<std::pair<std::string, bool>> completed;
  browser.OnDocumentComplete = [&](TObject*, const std::string& URL, bool Ok) { completed.emplace_back(URL, Ok); };
  browser.Navigate("file://" + page);
  ASSERT_TRUE(corvane::test::PumpUntil([&] { return !completed.empty(); }));
  EXPECT_EQ(completed, (std::vector<std::pair<std::string, bool>>{{"file://" + page, true}}));
  EXPECT_FALSE(browser.Busy());
}

}  // namespace
