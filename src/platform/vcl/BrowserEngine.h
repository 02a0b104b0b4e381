#pragma once
// The browser engine lives in a module of its own, loaded the first time a page view is needed: linked
// into the program, its libraries and the GL context it asks for at start-up would come before the
// program's first paint.
#include <functional>

class QUrl;
class QWidget;

class TBrowserEngine {
 public:
  virtual ~TBrowserEngine() = default;
  // A page view made a child of Parent, which frees it; LoadFinished is told the end of each page.
  virtual QWidget* CreateView(QWidget* Parent, std::function<void(bool Ok)> LoadFinished) = 0;
  virtual void Load(QWidget* View, const QUrl& Url) = 0;
};

// The engine, its module loaded on first use; raises Exception when the module cannot be loaded.
TBrowserEngine& BrowserEngine();
