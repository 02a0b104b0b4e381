#pragma once
// The browser engine lives in a module of its own, loaded the first time a page view is needed: linked
// into the program, its libraries and the GL context it asks for at start-up would come before the
// program's first paint.
#include <functional>

class QObject;
class QString;
class QUrl;
class QWidget;

class TBrowserEngine {
 public:
  virtual ~TBrowserEngine() = default;
  // Makes the engine's profile, most of its start, on its own.
  virtual void StartProfile() = 0;
  // A page without a view, a child of Parent; LoadFinished is told the end of each page it loads.
  virtual QObject* CreatePage(QObject* Parent, std::function<void(bool Ok)> LoadFinished) = 0;
  // A view made a child of Parent, showing Page, which becomes the view's child.
  virtual QWidget* CreateView(QWidget* Parent, QObject* Page) = 0;
  // Has the page load Url, or a fresh page in its place (in its view) when the page is stuck in a
  // script that does not end; returns the page that loads.
  virtual QObject* Load(QObject* Page, const QUrl& Url) = 0;
  // Done gets the text the page shows.
  virtual void PageText(QObject* Page, std::function<void(const QString& Text)> Done) = 0;
};

// The engine, its module loaded on first use; raises Exception when the module cannot be loaded.
TBrowserEngine& BrowserEngine();
