#include "vcl/WebBrowser.h"

#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstdlib>
#include <unistd.h>

#include "qt/QtConvert.h"
#include "qt/BrowserEngine.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"

namespace {

// Before the engine's first use: its sandbox refuses to run for the superuser.
void AllowEngine() {
  if (geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
}

}  // namespace

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

// Waits for the first paint of the window, then for keyboard and mouse to rest, and starts the engine.
class TEngineStarter : public QObject {
 public:
  TEngineStarter(TWebBrowser* browser, QWidget* window) : browser_(browser), window_(window) {
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMilliseconds);
    QObject::connect(&rest_, &QTimer::timeout, this, [this] { Start(); });
    window->installEventFilter(this);
  }
  ~TEngineStarter() override {
    if (window_) window_->removeEventFilter(this);
    if (qApp) qApp->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!painted_ && watched == window_ && event->type() == QEvent::Paint) {
      painted_ = true;
      window_->removeEventFilter(this);
      qApp->installEventFilter(this);
      rest_.start();
    } else if (painted_ && IsInput(event->type())) {
      rest_.start();
    }
    return false;
  }

 private:
  static constexpr int kRestMilliseconds = 300;

  static bool IsInput(QEvent::Type type) {
    switch (type) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::InputMethod:
        return true;
      default:
        return false;
    }
  }

  // Not under a dialog or menu the user is in: they would freeze while the engine starts.
  bool UserBusy() {
    if (!QApplication::activeModalWidget() && !QApplication::activePopupWidget()) return false;
    rest_.start();
    return true;
  }

  void Start() {
    if (UserBusy()) return;
    qApp->removeEventFilter(this);
    // The profile is most of the engine's start; made on its own, it lets input that came meanwhile in
    // before the page is made.
    CallHandler(browser_, [] {
      AllowEngine();
      BrowserEngine().StartProfile();
    });
    QTimer::singleShot(0, this, [this] {
      if (!UserBusy()) CallHandler(browser_, [this] { browser_->StartEngine(); });
    });
  }

  TWebBrowser* browser_;
  QPointer<QWidget> window_;
  QTimer rest_;
  bool painted_ = false;
};

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 300, 150);
  TabStop = true;
}

TWebBrowser::~TWebBrowser() = default;

std::unique_ptr<QWidget> TWebBrowser::CreateWidget(QWidget* ParentWidget) {
  return std::make_unique<TBrowserHost>(this, ParentWidget);
}

void TWebBrowser::DestroyWnd() {
  view_ = nullptr;  // Qt frees both with the control's widget
  page_ = nullptr;
  starting_ = false;
}

void TWebBrowser::StartEngineAfterFirstPaint() {
  if (!page_ && !starter_) starter_ = std::make_unique<TEngineStarter>(this, WidgetOf(this)->window());
}

// The page without its view: a view added to a window on the screen has the window system make the
// window anew, which the user would see; the view comes when the control is first shown.
void TWebBrowser::StartEngine() {
  if (page_) return;  // made already for a page
  MakePage();
  // A render process is started by the first page only.
  starting_ = true;
  page_ = BrowserEngine().Load(page_, QUrl("about:blank"));
}

void TWebBrowser::MakePage() {
  if (page_) return;
  AllowEngine();
  page_ = BrowserEngine().CreatePage(WidgetOf(this), [this](bool ok) { LoadFinished(ok); });
}

void TWebBrowser::EnsureEngine() {
  if (view_) return;
  MakePage();
  QWidget* host = WidgetOf(this);
  view_ = BrowserEngine().CreateView(host, page_);
  view_->setGeometry(0, 0, host->width(), host->height());
  view_->show();
  if (location_ != "about:blank") Load();
}

void TWebBrowser::Navigate(const std::string& URL) {
  location_ = URL;
  if (!view_) {
    if (URL != "about:blank") EnsureEngine();  // an empty pane is that page already
    return;
  }
  Load();
}

void TWebBrowser::Load() {
  busy_ = true;
  // The engine drops a page asked for while its first blank page loads: it follows that page.
  if (!starting_) page_ = BrowserEngine().Load(page_, QUrl(ToQString(location_)));
}

void TWebBrowser::ReadPageText(std::function<void(const std::string& Utf8Text)> Done) {
  if (!page_) return;
  BrowserEngine().PageText(page_, [this, Done = std::move(Done)](const QString& text) {
    CallHandler(this, [&] { Done(text.toStdString()); });
  });
}

void TWebBrowser::LoadFinished(bool ok) {
  if (starting_) {
    starting_ = false;
    if (busy_) page_ = BrowserEngine().Load(page_, QUrl(ToQString(location_)));
    return;
  }
  busy_ = false;
  CallHandler(this, [&] { Fire(OnDocumentComplete, this, location_, ok); });
}

bool TWebBrowser::SaveToImage(const std::string& FileName) {
  if (!view_) return false;
  return view_->grab().save(FileNameToQString(FileName));
}
