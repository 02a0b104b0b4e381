// The module that holds the browser engine (Qt WebEngine); the layer loads it on first use.
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "qt/BrowserEngine.h"

// Made by the engine's library at the program's start when it is linked in: the GL context the engine
// shares with the windows. Loaded later, the module makes it itself before the first view.
namespace QtWebEngineCore {
void initialize();
}

namespace {

// A page whose script dialogs (alert, confirm, prompt) never hold the window: the engine's own are modal
// and come back as fast as a script asks for them, so a page that asks in a loop would lock the window
// for good. The first dialog of each page shows beside the window, without taking the keyboard from
// it, and the page gets its answer at once (a question counts as cancelled); the page's later dialogs
// are not shown, as a browser offers to do.
class TPage : public QWebEnginePage {
 public:
  TPage(QObject* parent, std::function<void(bool Ok)> loadFinished)
      : QWebEnginePage(parent), loadFinished_(std::move(loadFinished)) {
    QObject::connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
      loading_ = false;
      loadFinished_(ok);
    });
  }

  // A page that never finished loading, or that asked for dialogs past the first, most likely runs a
  // script that does not stop, and its render process would not take the next page.
  bool Stuck() const { return loading_ || dialogsRefused_; }
  const std::function<void(bool Ok)>& LoadFinished() const { return loadFinished_; }

  void Load(const QUrl& url) {
    loading_ = true;
    dialogShown_ = false;
    dialogsRefused_ = false;
    if (note_) note_->close();  // the last page's
    load(url);
  }

 protected:
  void javaScriptAlert(const QUrl&, const QString& message) override { ShowOnce(message); }
  bool javaScriptConfirm(const QUrl&, const QString& message) override {
    ShowOnce(message);
    return false;
  }
  bool javaScriptPrompt(const QUrl&, const QString& message, const QString&, QString*) override {
    ShowOnce(message);
    return false;
  }

 private:
  void ShowOnce(const QString& message) {
    if (dialogShown_) {
      dialogsRefused_ = true;
      return;
    }
    dialogShown_ = true;
    auto* view = qobject_cast<QWidget*>(parent());
    note_ = new QMessageBox(QMessageBox::Information, QStringLiteral("The page says"), message, QMessageBox::Ok,
                            view ? view->window() : nullptr);
    note_->setWindowModality(Qt::NonModal);
    note_->setAttribute(Qt::WA_DeleteOnClose);
    note_->setAttribute(Qt::WA_ShowWithoutActivating);
    note_->show();
  }

  std::function<void(bool Ok)> loadFinished_;
  bool loading_ = false;
  bool dialogShown_ = false;
  bool dialogsRefused_ = false;
  QPointer<QMessageBox> note_;
};

class TWebEngine : public TBrowserEngine {
 public:
  TWebEngine() { QtWebEngineCore::initialize(); }

  void StartProfile() override { QWebEngineProfile::defaultProfile(); }

  QObject* CreatePage(QObject* Parent, std::function<void(bool Ok)> LoadFinished) override {
    return new TPage(Parent, std::move(LoadFinished));
  }

  QWidget* CreateView(QWidget* Parent, QObject* Page) override {
    auto* view = new QWebEngineView(Parent);
    auto* page = static_cast<QWebEnginePage*>(Page);
    page->setParent(view);
    view->setPage(page);
    return view;
  }

  QObject* Load(QObject* Page, const QUrl& Url) override {
    auto* page = static_cast<TPage*>(Page);
    if (page->Stuck()) page = Replace(page);
    page->Load(Url);
    return page;
  }

  void PageText(QObject* Page, std::function<void(const QString& Text)> Done) override {
    static_cast<QWebEnginePage*>(Page)->toPlainText(std::move(Done));
  }

 private:
  // A fresh page, in a render process of its own, takes the stuck one's place (and its view's).
  static TPage* Replace(TPage* stuck) {
    auto* fresh = new TPage(stuck->parent(), stuck->LoadFinished());
    if (auto* view = qobject_cast<QWebEngineView*>(stuck->parent())) view->setPage(fresh);
    stuck->deleteLater();  // it may be the sender of the signal that got here
    return fresh;
  }
};

}  // namespace

extern "C" Q_DECL_EXPORT TBrowserEngine* CorvaneBrowserEngine() {
  static TWebEngine engine;
  return &engine;
}
