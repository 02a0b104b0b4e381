#pragma once
// The application object: the program's title, its command line, its main form and the message loop,
// the application-wide events, and the road every exception of an event handler takes to the user.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"
#include "vcl/Messages.h"

class QApplication;
class TApplicationLoop;
class TCustomForm;

struct TMsg {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

using TExceptionEvent = TEvent<void(TObject* Sender, Exception* E)>;
using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;
using TMessageEvent = TEvent<void(TMsg& Msg, bool& Handled)>;
using THelpEvent = TEvent<bool(WORD Command, int Data, bool& CallHelp)>;
using TShortCutEvent = TEvent<void(WORD Key, TShiftState Shift, bool& Handled)>;
using TActionEvent = TEvent<void(TObject* Action, bool& Handled)>;
struct THintInfo {
  TObject* HintControl = nullptr;
  TPoint CursorPos;
  int HideTimeout = 0;
  std::string HintStr;
};
using TShowHintEvent = TEvent<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
// A hook on the application window's messages; true marks the message handled.
using TWindowHook = TEvent<bool(TMessage& Message)>;

// The part of a hint before "|" (all of it without one) is the tooltip, the part after it the status
// line text.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

// Called once, after the main form's first paint in Run is done; for whole-program test runs, which
// time a start by it. An empty handler watches nothing.
void SetMainFormPaintedHandler(std::function<void()> Handler);

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  // Keeps the real command line and makes the Qt application when the process has none yet.
  void Initialize(int argc, char** argv);
  // Frees the forms the application owns, then the Qt application it made.
  void Finalize();

  // The forms the application owns; the first one made becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = new T(this);
    Reference->AfterConstruction();
    if (!mainForm_) SetMainForm(Reference);
  }
  TCustomForm* MainForm() const { return mainForm_; }
  void SetMainForm(TCustomForm* Form);

  // Shows the main form (with ShowMainForm) and runs the message loop until Terminate. A SIGTERM
  // meanwhile closes the main form as the user would.
  void Run();
  // Handles every waiting message, then returns.
  void ProcessMessages();
  // Waits for one message and handles it.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }
  int ExitCode = 0;
  // The loop has nothing left to do: OnIdle runs.
  void ProcessIdle();

  // Call inside a catch block: the current exception goes to OnException, else to ShowException.
  // EAbort is silent.
  void HandleException(TObject* Sender);
  void ShowException(Exception* E);

  // A box over the active window; Flags and the result are the MB_ and ID values.
  int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags);

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& Value);
  std::string ExeName() const;
  // Arguments after the program's name; ParamStr(0) is the program itself.
  int ParamCount() const;
  std::string ParamStr(int Index) const;

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& Value);
  // Ends the current hint (the status line goes back to its panels).
  void CancelHint() { SetHint(std::string()); }

  TColor HintColor = clInfoBk;
  int HintPause = 500;
  int HintShortPause = 50;
  int HintHidePause = 2500;
  bool ShowHint = true;
  bool HintShortCuts = true;
  bool ShowMainForm = true;
  bool UpdateFormatSettings = true;
  bool UpdateMetricSettings = true;
  TBiDiMode BiDiMode = bdLeftToRight;
  std::string BiDiKeyboard;
  std::string NonBiDiKeyboard;

  // The application window's hook list.
  void HookMainWindow(const TWindowHook& Hook);
  void UnhookMainWindow(const TWindowHook& Hook);
  // Sends a message of the application window through the hooks; true when one handled it.
  bool DispatchToHooks(TMessage& Message);

  TActionEvent OnActionExecute;
  TActionEvent OnActionUpdate;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  THelpEvent OnHelp;
  TNotifyEvent OnHint;
  TMessageEvent OnMessage;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TShortCutEvent OnShortCut;
  TShowHintEvent OnShowHint;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::vector<std::string> args_;
  std::unique_ptr<QApplication> ownQtApp_;
  std::unique_ptr<TApplicationLoop> loop_;
  TCustomForm* mainForm_ = nullptr;
  std::string title_;
  std::string hint_;
  bool terminated_ = false;
  std::vector<TWindowHook> hooks_;
};

extern TApplication* Application;

// Runs an event handler of the layer; what it throws goes to the application's exception handling,
// as the message loop does with every handler.
template <class F>
void CallHandler(TObject* Sender, F&& Handler) {
  try {
    Handler();
  } catch (...) {
    Application->HandleException(Sender);
  }
}

// Initialises the application for main() and finalises it when main() returns.
class TApplicationSession {
 public:
  TApplicationSession(int argc, char** argv) { Application->Initialize(argc, argv); }
  ~TApplicationSession() { Application->Finalize(); }
  TApplicationSession(const TApplicationSession&) = delete;
  TApplicationSession& operator=(const TApplicationSession&) = delete;
};
