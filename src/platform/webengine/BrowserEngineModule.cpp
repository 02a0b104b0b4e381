// The module that holds the browser engine (Qt WebEngine); the layer loads it on first use.
#include <QGuiApplication>
#include <QUrl>
#include <QWebEngineView>

#include "vcl/BrowserEngine.h"

// Made by the engine's library at the program's start when it is linked in: the GL context the engine
// shares with the windows. Loaded later, the module makes it itself before the first view.
namespace QtWebEngineCore {
void initialize();
}

namespace {

class TWebEngine : public TBrowserEngine {
 public:
  TWebEngine() { QtWebEngineCore::initialize(); }

  QWidget* CreateView(QWidget* Parent, std::function<void(bool Ok)> LoadFinished) override {
    auto* view = new QWebEngineView(Parent);
    QObject::connect(view, &QWebEngineView::loadFinished, std::move(LoadFinished));
    return view;
  }

  void Load(QWidget* View, const QUrl& Url) override { static_cast<QWebEngineView*>(View)->load(Url); }
};

}  // namespace

extern "C" Q_DECL_EXPORT TBrowserEngine* CorvaneBrowserEngine() {
  static TWebEngine engine;
  return &engine;
}
