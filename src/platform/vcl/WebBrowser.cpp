#include "vcl/WebBrowser.h"

#include <QPixmap>
#include <QResizeEvent>
#include <QShowEvent>
#include <QUrl>
#include <QWidget>

#include <cstdlib>
#include <unistd.h>

#include "qt/QtConvert.h"
#include "vcl/BrowserEngine.h"
#include "vcl/Application.h"

// The control's own widget: it makes the engine when it is first shown and keeps it filling itself.
class TBrowserHost : public QWidget {
 public:
  TBrowserHost(TWebBrowser* browser, QWidget* parent) : QWidget(parent), browser_(browser) {}

 protected:
  void showEvent(QShowEvent*) override {
    CallHandler(browser_, [this] { browser_->EnsureEngine(); });
  }
  void resizeEvent(QResizeEvent* e) override {
    if (browser_->view_) browser_->view_->setGeometry(0, 0, e->size().width(), e->size().height());
  }

 private:
  TWebBrowser* browser_;
};

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 300, 150);
  TabStop = true;
}

TWebBrowser::~TWebBrowser() = default;

std::unique_ptr<QWidget> TWebBrowser::CreateWidget(QWidget* ParentWidget) {
  return std::make_unique<TBrowserHost>(this, ParentWidget);
}

void TWebBrowser::DestroyWnd() { view_ = nullptr; }  // Qt frees it with its parent

void TWebBrowser::EnsureEngine() {
  if (view_) return;
  // The engine's sandbox refuses to run for the superuser.
  if (geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
  QWidget* host = Widget();
  view_ = BrowserEngine().CreateView(host, [this](bool ok) { LoadFinished(ok); });
  view_->setGeometry(0, 0, host->width(), host->height());
  view_->show();
  if (location_ != "about:blank") {
    busy_ = true;
    BrowserEngine().Load(view_, QUrl(ToQString(location_)));
  }
}

void TWebBrowser::Navigate(const std::string& URL) {
  location_ = URL;
  if (!view_) {
    if (URL != "about:blank") EnsureEngine();  // an empty pane is that page already
    return;
  }
  busy_ = true;
  BrowserEngine().Load(view_, QUrl(ToQString(URL)));
}

void TWebBrowser::LoadFinished(bool ok) {
  busy_ = false;
  CallHandler(this, [&] { Fire(OnDocumentComplete, this, location_, ok); });
}

bool TWebBrowser::SaveToImage(const std::string& FileName) {
  if (!view_) return false;
  return view_->grab().save(QString::fromStdString(FileName));
}
