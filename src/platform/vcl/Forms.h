#pragma once
// Forms (top-level windows) and the screen object of the class library.
#include <map>
#include <string>
#include <vector>

#include "vcl/Controls.h"
#include "win/WinUser.h"

class QWidget;
class QEventLoop;
class TFormWindowFilter;

// Bounded names bsNone and bsSingle are TBorderStyle's; a form's style says TFormBorderStyle::bsNone.
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
inline constexpr TFormBorderStyle bsSizeable = TFormBorderStyle::bsSizeable;
inline constexpr TFormBorderStyle bsDialog = TFormBorderStyle::bsDialog;
inline constexpr TFormBorderStyle bsToolWindow = TFormBorderStyle::bsToolWindow;
inline constexpr TFormBorderStyle bsSizeToolWin = TFormBorderStyle::bsSizeToolWin;

enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
inline constexpr TBorderIcon biSystemMenu = TBorderIcon::biSystemMenu;
inline constexpr TBorderIcon biMinimize = TBorderIcon::biMinimize;
inline constexpr TBorderIcon biMaximize = TBorderIcon::biMaximize;
inline constexpr TBorderIcon biHelp = TBorderIcon::biHelp;

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
// Sees a message of a form after the form's own window procedure has handled it.
using TWindowMessageHook = TEvent<void(TMessage& Message)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;

// Limits of the window's outer size; 0 means none.
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
  friend bool operator==(const TSizeConstraints&, const TSizeConstraints&) = default;
};

// The width a window needs for its whole title on the desktop's title bar, buttons included.
int TitleBarWidth(const std::string& Caption);

// A form is a top-level window. It starts hidden; Show or Visible shows it, firing OnShow
// before the window appears (so a handler may still move it). Its bounds are the outer frame
// in screen coordinates.
class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  std::string ClassName() const override { return "TCustomForm"; }

  // Call once after the constructor has built the form: runs Loaded on the form and every
  // component it owns, then OnCreate. Until then the form is loading (IsLoading).
  void AfterConstruction();
  // Fires OnDestroy once. The destructor calls it when nobody did; a derived form whose
  // handler uses its own members calls it at the start of its destructor.
  void BeforeDestruction();

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition Value);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle Value);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);
  // Records the state without applying it to the window; it applies when the form is shown.
  void StoreWindowState(TWindowState Value) { windowState_ = Value; }
  const TSizeConstraints& Constraints() const { return constraints_; }
  void SetConstraints(const TSizeConstraints& Value);
  // Asks the window procedure for the size limits (WM_GETMINMAXINFO) and applies them.
  void UpdateSizeLimits();
  // Hooks see every message after the form's window procedure, last hooked first.
  void HookWindow(const TWindowMessageHook& Hook);
  void UnhookWindow(const TWindowMessageHook& Hook);

  TWinControl* ActiveControl() const;
  void SetActiveControl(TWinControl* Control);
  // A client size set before the window has its frame is kept when the frame comes: the frame grows the window.
  void SetClientSize(int AWidth, int AHeight) override;
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value);
  bool Modal() const { return modalLoop_ != nullptr; }
  bool Active() const;

  void Show();
  void Hide();
  // Asks OnCloseQuery, then OnClose decides: hide (the default), free, minimize or nothing.
  // Closing the main form ends the program.
  void Close();
  bool CloseQuery();
  // Shows the form and runs the event loop until ModalResult is set; returns it.
  TModalResult ShowModal();
  // Frees the form from the event loop, after the current message.
  void Release();
  void BringToFront();
  void SetFocus() override;

  int ClientWidth() const override;
  int ClientHeight() const override;

  // The program's main form: its closing ends the program. The application sets it.
  static TCustomForm* MainForm();
  static void SetMainForm(TCustomForm* Form);
  // What ending the program means; the application puts its own in (default: quit the loop).
  static void SetTerminateHandler(void (*Handler)());

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void BoundsChanged() override;
  void VisibleChanged() override;
  void FontChanged() override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);

 private:
  friend class TFormWindowFilter;
  void FormWndProc(TMessage& Message);
  void ApplyWindowFlags();
  void ApplyWindowState();
  void PlaceOnShow();
  // A window of fixed size is made wide enough for its title; its controls stay in the middle.
  void FitToTitle();
  void CloseModal();
  void WindowMovedOrResized();
  void KeepClientSize(const TRect& margins);
  // Puts the window's frame where the form's bounds say (after the window manager framed it).
  void SyncFrame();
  void RememberNormalBounds();
  void WindowStateChangedByUser();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  TWindowState windowState_ = wsNormal;
  TSizeConstraints constraints_;
  TWinControl* activeControl_ = nullptr;
  TModalResult modalResult_ = mrNone;
  QEventLoop* modalLoop_ = nullptr;
  std::unique_ptr<TFormWindowFilter> filter_;
  std::vector<TWindowMessageHook> hooks_;
  bool destroyFired_ = false;
  bool showing_ = false;
  std::uint64_t serial_ = 0;
  TRect frameMargins_;  // the frame's extent the window's size was last set with
  TPoint clientSize_;    // the client size asked for before the frame was known, or zero
  TRect normalBounds_;  // the bounds of the normal (not minimized or maximized) window
  bool restoringNormal_ = false;
  TWindowState shownState_ = wsNormal;  // the state the window last reported
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
  std::string ClassName() const override { return "TForm"; }
};

// Builds a form of class F and finishes it (AfterConstruction).
template <class F, class... Args>
F* CreateForm(Args&&... args) {
  F* form = new F(std::forward<Args>(args)...);
  form->AfterConstruction();
  return form;
}

// Cursor numbers: the standard ones are negative; programs register their own under positive
// numbers.
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// The desktop as the programs see it: its size, its resolution, the open forms and the
// cursor table.
class TScreen {
 public:
  int Width() const;
  int Height() const;
  int PixelsPerInch() const;
  // Forms in creation order.
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int Index) const { return forms_.at(static_cast<size_t>(Index)); }
  TCustomForm* ActiveForm() const;

  // A registered cursor, or the standard one of that number; unknown numbers give the arrow.
  HCURSOR Cursors(TCursor Index) const;
  void SetCursors(TCursor Index, HCURSOR Cursor);
  // The cursor shown over every window of the program; crDefault gives each control its own.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);

  // Slots for whoever wants to hear of focus moving to another control or form.
  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

 private:
  friend class TCustomForm;
  std::vector<TCustomForm*> forms_;
  std::map<TCursor, HCURSOR> cursors_;
  TCursor cursor_ = crDefault;
};

// The screen object, as `Screen->Width()`. It lives to the end of the process, so forms that go
// while the process ends still find it.
TScreen& TheScreen();
struct TScreenAccess {
  TScreen* operator->() const { return &TheScreen(); }
};
inline constexpr TScreenAccess Screen{};

