// The module that holds the browser engine (Qt WebEngine); the layer loads it on first use.
#include <QGuiApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
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

  void StartProfile() override { QWebEngineProfile::defaultProfile(); }

  QObject* CreatePage(QObject* Parent, std::function<void(bool Ok)> LoadFinished) override {
    auto* page = new QWebEnginePage(Parent);
    QObject::connect(page, &QWebEnginePage::loadFinished, std::move(LoadFinished));
    return page;
  }

  QWidget* CreateView(QWidget* Parent, QObject* Page) override {
    auto* view = new QWebEngineView(Parent);
    auto* page = static_cast<QWebEnginePage*>(Page);
    page->setParent(view);
    view->setPage(page);
    return view;
  }

  void Load(QObject* Page, const QUrl& Url) override { static_cast<QWebEnginePage*>(Page)->load(Url); }

  void PageText(QObject* Page, std::function<void(const QString& Text)> Done) override {
    static_cast<QWebEnginePage*>(Page)->toPlainText(std::move(Done));
  }
};

}  // namespace

extern "C" Q_DECL_EXPORT TBrowserEngine* CorvaneBrowserEngine() {
  static TWebEngine engine;
  return &engine;
}
