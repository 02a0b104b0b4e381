#include "vcl/Application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <functional>

#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "vcl/Dialogs.h"
#include "vcl/Forms.h"
#include "win/CodePage.h"
#include "win/RegistryStore.h"

namespace {
TApplication& TheApplication() {
  static TApplication application(nullptr);
  return application;
}
}  // namespace

TApplication* Application = &TheApplication();

// Connects the Qt application's signals to the application object once a Qt application exists.
class TApplicationLoop : public QObject {
 public:
  explicit TApplicationLoop(TApplication* app) : app_(app) {
    qApp->installEventFilter(this);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
      QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [app] { app->ProcessIdle(); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this, [app](Qt::ApplicationState state) {
      CallHandler(app, [&] {
        if (state == Qt::ApplicationActive)
          Fire(app->OnActivate, app);
        else if (state == Qt::ApplicationInactive)
          Fire(app->OnDeactivate, app);
      });
    });
    // The screen object is no object of the class library here, so its events name no sender.
    QObject::connect(qApp, &QApplication::focusChanged, this, [](QWidget* old, QWidget* now) {
      CallHandler(nullptr, [&] {
        Fire(Screen->OnActiveControlChange, nullptr);
        if (!old || !now || old->window() != now->window()) Fire(Screen->OnActiveFormChange, nullptr);
      });
    });
  }

 protected:
  // A change of the desktop's colours or fonts reaches the application window's hooks as the
  // system's settings-changed message.
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (watched == qApp && (type == QEvent::ApplicationPaletteChange || type == QEvent::ApplicationFontChange)) {
      CallHandler(app_, [this] {
        TMessage message{WM_WININICHANGE, 0, 0, 0};
        app_->DispatchToHooks(message);
      });
    }
    return false;
  }

 private:
  TApplication* app_;
};

namespace {

// A request to end the session (SIGTERM) closes the main form the way the user would, so a modified
// text is offered for saving; the signal only writes a byte that the loop picks up.
int gTerminatePipe[2] = {-1, -1};

void OnTerminateSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(gTerminatePipe[1], &byte, 1);
}

class TTerminateWatch : public QObject {
 public:
  TTerminateWatch() {
    if (gTerminatePipe[0] < 0 && pipe2(gTerminatePipe, O_CLOEXEC) != 0) return;
    notifier_ = new QSocketNotifier(gTerminatePipe[0], QSocketNotifier::Read, this);
    QObject::connect(notifier_, &QSocketNotifier::activated, this, [] {
      char byte = 0;
      [[maybe_unused]] const ssize_t n = read(gTerminatePipe[0], &byte, 1);
      CallHandler(Application, [] {
        if (TCustomForm* form = Application->MainForm())
          form->Close();
        else
          Application->Terminate();
      });
    });
    std::signal(SIGTERM, &OnTerminateSignal);
  }
  ~TTerminateWatch() override { std::signal(SIGTERM, SIG_DFL); }

 private:
  QSocketNotifier* notifier_ = nullptr;
};

std::function<void()>& MainFormPaintedHandler() {
  static std::function<void()> handler;
  return handler;
}

// Calls the handler once the main form has painted for the first time, after that paint is done.
class TFirstPaintWatch : public QObject {
 public:
  TFirstPaintWatch(QWidget* window, std::function<void()> handler) : window_(window), handler_(std::move(handler)) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Paint) {
      window_->removeEventFilter(this);
      QTimer::singleShot(0, this, handler_);
    }
    return false;
  }

 private:
  QWidget* window_;
  std::function<void()> handler_;
};

}  // namespace

void SetMainFormPaintedHandler(std::function<void()> Handler) { MainFormPaintedHandler() = std::move(Handler); }

std::string GetShortHint(const std::string& Hint) {
  const auto bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string GetLongHint(const std::string& Hint) {
  const auto bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() { Finalize(); }

void TApplication::Initialize(int argc, char** argv) {
  args_.assign(argv, argv + argc);
  // A write beyond the file-size limit then fails with "File too large", which a save reports and
  // recovers from, instead of ending the program with the user's unsaved text.
  std::signal(SIGXFSZ, SIG_IGN);
  if (!QCoreApplication::instance()) {
    static int qtArgc;
    qtArgc = argc;
    ownQtApp_ = std::make_unique<QApplication>(qtArgc, argv);
  }
  if (!loop_) loop_ = std::make_unique<TApplicationLoop>(this);
  // What the settings store has to say reaches the user in a box once the loop runs, whichever
  // thread and operation found it.
  RegistryStore::Instance().SetNoticeHandler([](const std::string& text) {
    QMetaObject::invokeMethod(
        qApp, [text] { Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONEXCLAMATION); },
        Qt::QueuedConnection);
  });
}

void TApplication::Finalize() {
  RegistryStore::Instance().SetNoticeHandler(nullptr);
  loop_.reset();
  DestroyComponents();
  mainForm_ = nullptr;
  ownQtApp_.reset();
}

void TApplication::SetMainForm(TCustomForm* Form) {
  if (mainForm_ == Form) return;
  if (mainForm_) mainForm_->RemoveFreeNotification(this);
  mainForm_ = Form;
  if (mainForm_) mainForm_->FreeNotification(this);
  TCustomForm::SetMainForm(Form);
  TCustomForm::SetTerminateHandler([] { Application->Terminate(); });
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == mainForm_) mainForm_ = nullptr;
}

void TApplication::Run() {
  if (!loop_ && QCoreApplication::instance()) loop_ = std::make_unique<TApplicationLoop>(this);
  terminated_ = false;
  TTerminateWatch terminateWatch;
  std::unique_ptr<TFirstPaintWatch> paintWatch;
  if (mainForm_ && MainFormPaintedHandler())
    paintWatch = std::make_unique<TFirstPaintWatch>(WidgetOf(mainForm_), MainFormPaintedHandler());
  if (mainForm_ && ShowMainForm) CallHandler(this, [this] { mainForm_->Show(); });
  if (!terminated_) QApplication::exec();
  terminated_ = true;
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::HandleMessage() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

void TApplication::Terminate() {
  terminated_ = true;
  QCoreApplication::quit();
}

void TApplication::ProcessIdle() {
  if (!OnIdle) return;
  CallHandler(this, [this] {
    bool done = true;
    OnIdle(this, done);
  });
}

void TApplication::HandleException(TObject* Sender) {
  try {
    throw;
  } catch (EAbort&) {
  } catch (Exception& e) {
    if (OnException)
      OnException(Sender, &e);
    else
      ShowException(&e);
  } catch (std::exception& e) {
    Exception wrapped(e.what());
    if (OnException)
      OnException(Sender, &wrapped);
    else
      ShowException(&wrapped);
  } catch (...) {
    Exception unknown("Unknown error");
    ShowException(&unknown);
  }
}

void TApplication::ShowException(Exception* E) {
  std::string message = E->Message;
  if (!message.empty() && message.back() > '.') message += '.';
  MessageBox(message, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  return ShowMessageBox(Text, Caption, Flags);
}

void TApplication::SetTitle(const std::string& Value) {
  if (title_ == Value) return;
  // Kept to the program: Qt's display name would be appended to every window's title on this desktop.
  title_ = Value;
}

std::string TApplication::ExeName() const {
  if (QCoreApplication::instance()) return FileNameFromQString(QCoreApplication::applicationFilePath());
  return args_.empty() ? std::string() : ExpandFileName(args_.front());
}

int TApplication::ParamCount() const { return args_.empty() ? 0 : static_cast<int>(args_.size()) - 1; }

std::string TApplication::ParamStr(int Index) const {
  if (Index == 0) return ExeName();
  if (Index < 0 || Index >= static_cast<int>(args_.size())) return std::string();
  return args_[static_cast<size_t>(Index)];
}

void TApplication::SetHint(const std::string& Value) {
  if (hint_ == Value) return;
  hint_ = Value;
  CallHandler(this, [this] { Fire(OnHint, this); });
}

void TApplication::HookMainWindow(const TWindowHook& Hook) {
  if (std::find(hooks_.begin(), hooks_.end(), Hook) == hooks_.end()) hooks_.push_back(Hook);
}

void TApplication::UnhookMainWindow(const TWindowHook& Hook) {
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), Hook), hooks_.end());
}

bool TApplication::DispatchToHooks(TMessage& Message) {
  const std::vector<TWindowHook> hooks = hooks_;  // a hook may unhook itself
  for (const TWindowHook& hook : hooks)
    if (hook(Message)) return true;
  return false;
}
