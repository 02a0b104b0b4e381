#include "vcl/Forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <deque>
#include <utility>

#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/StdCtrls.h"
#include "win/CodePage.h"

namespace {

TCustomForm* gMainForm = nullptr;
void (*gTerminate)() = nullptr;
std::uint64_t gNextSerial = 1;

// The enabled, visible default button (Enter) or cancel button (Esc) placed on the control or inside
// it, or nullptr: the key goes to every control of the window, as the dialog key does.
TButton* PlacedDialogButton(const TWinControl* parent, WORD key) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (!control->Visible() || !control->Enabled()) continue;
    if (auto* button = dynamic_cast<TButton*>(control))
      if ((key == VK_RETURN && button->Default()) || (key == VK_ESCAPE && button->Cancel)) return button;
    if (auto* inner = dynamic_cast<TWinControl*>(control))
      if (TButton* button = PlacedDialogButton(inner, key)) return button;
  }
  return nullptr;
}

// Enter presses a focused button itself, as Space does, and the default button from anywhere else.
// The window's own focus counts, so the key acts alike before the window is active.
TButton* DialogButton(const TWinControl* form, WORD key) {
  const QWidget* window = WidgetIfAllocated(form);
  QWidget* focus = window ? window->focusWidget() : nullptr;
  auto* button = dynamic_cast<TButton*>(ControlOfWidget(focus));
  if (key == VK_RETURN && button && button->Enabled()) return button;
  return PlacedDialogButton(form, key);
}

bool IsSizeable(TFormBorderStyle style) { return style == bsSizeable || style == bsSizeToolWin; }

QMargins FrameMargins(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                  frame.bottom() - client.bottom());
}

}  // namespace

// The window manager's title font is often wider than the application's, so the measure is generous: a
// quarter more than the bold text, and room for the window's icon and three buttons.
int TitleBarWidth(const std::string& Caption) {
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics metrics(font);
  const int iconAndButtons = 4 * (metrics.height() + 8);
  return metrics.horizontalAdvance(ToQString(Caption)) * 5 / 4 + iconAndButtons + 16;
}

TScreen& TheScreen() {
  static TScreen* const screen = new TScreen;
  return *screen;
}

// Qt's window events become the form's messages and bounds.
class TFormWindowFilter : public QObject {
 public:
  explicit TFormWindowFilter(TCustomForm* form) : form_(form) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != WidgetIfAllocated(form_)) return false;
    switch (event->type()) {
      case QEvent::Close:
        // The form decides (OnCloseQuery, OnClose); the window only hides when it says so.
        event->ignore();
        CallHandler(form_, [this] { form_->Perform(WM_CLOSE); });
        return true;
      case QEvent::Move:
      case QEvent::Resize:
        CallHandler(form_, [this] { form_->WindowMovedOrResized(); });
        break;
      case QEvent::WindowStateChange:
        CallHandler(form_, [this] { form_->WindowStateChangedByUser(); });
        break;
      case QEvent::WindowActivate:
        CallHandler(form_, [this] { form_->Perform(WM_ACTIVATE, WA_ACTIVE); });
        break;
      case QEvent::WindowDeactivate:
        CallHandler(form_, [this] { form_->Perform(WM_ACTIVATE, WA_INACTIVE); });
        break;
      default:
        break;
    }
    return false;
  }

 private:
  TCustomForm* form_;
};

// ---------------------------------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), serial_(gNextSerial++) {
  // Being built until AfterConstruction, as a form read from its description is.
  BeginLoading();
  SetVisible(false);
  Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  // Owned components learn now, while the form is still whole, that it goes.
  Destroying();
  BeforeDestruction();
  if (modalLoop_) modalLoop_->quit();
  if (gMainForm == this) gMainForm = nullptr;
  auto& forms = Screen->forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  filter_.reset();
}

void TCustomForm::AfterConstruction() {
  BeginLoading();
  EndLoading();
  Fire(OnCreate, this);
}

void TCustomForm::BeforeDestruction() {
  if (destroyFired_) return;
  destroyFired_ = true;
  Fire(OnDestroy, this);
}

TCustomForm* TCustomForm::MainForm() { return gMainForm; }
void TCustomForm::SetMainForm(TCustomForm* Form) { gMainForm = Form; }
void TCustomForm::SetTerminateHandler(void (*Handler)()) { gTerminate = Handler; }

std::unique_ptr<QWidget> TCustomForm::CreateWidget(QWidget*) {
  // A form is always a top-level window, whatever its owner.
  return MakeBridgeWidget(this, nullptr);
}

void TCustomForm::CreateWnd() {
  QWidget* w = WidgetIfAllocated(this);
  filter_ = std::make_unique<TFormWindowFilter>(this);
  w->installEventFilter(filter_.get());
  w->setWindowTitle(QString::fromStdString(AnsiToUtf8(Caption())));
  // A form has no parent to take a font from: its own is what its controls show.
  w->setFont(ToQFont(*Font()));
  ApplyWindowFlags();
  w->move(Left(), Top());
  RememberNormalBounds();
  UpdateSizeLimits();
}

void TCustomForm::FontChanged() {
  TWinControl::FontChanged();
  if (QWidget* w = WidgetIfAllocated(this)) w->setFont(ToQFont(*Font()));
}

void TCustomForm::DestroyWnd() {
  if (QWidget* w = WidgetIfAllocated(this); w && filter_) w->removeEventFilter(filter_.get());
  filter_.reset();
}

void TCustomForm::ApplyWindowFlags() {
  QWidget* w = WidgetIfAllocated(this);
  if (!w) return;
  Qt::WindowFlags flags = Qt::Window;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      flags |= Qt::FramelessWindowHint;
      break;
    case TFormBorderStyle::bsDialog:
      flags = Qt::Dialog;
      break;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin:
      flags = Qt::Tool;
      break;
    default:
      break;
  }
  if (borderStyle_ != TFormBorderStyle::bsNone) {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (borderIcons_.Contains(biSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    const bool plain = borderStyle_ == TFormBorderStyle::bsSingle || borderStyle_ == bsSizeable;
    if (plain && borderIcons_.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
    if (plain && borderIcons_.Contains(biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
    if (borderIcons_.Contains(biHelp)) flags |= Qt::WindowContextHelpButtonHint;
  }
  if (formStyle_ == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  if (flags == w->windowFlags()) return;
  // New flags hide a shown window; it comes back as it was.
  const bool shown = w->isVisible();
  w->setWindowFlags(flags);
  if (shown) ApplyWindowState();
}

void TCustomForm::UpdateSizeLimits() {
  QWidget* w = WidgetIfAllocated(this);
  if (!w) return;
  MINMAXINFO info;
  info.ptMaxSize = TPoint{Screen->Width(), Screen->Height()};
  info.ptMaxTrackSize = TPoint{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
  if (constraints_.MinWidth > 0) info.ptMinTrackSize.x = constraints_.MinWidth;
  if (constraints_.MinHeight > 0) info.ptMinTrackSize.y = constraints_.MinHeight;
  if (constraints_.MaxWidth > 0) info.ptMaxTrackSize.x = constraints_.MaxWidth;
  if (constraints_.MaxHeight > 0) info.ptMaxTrackSize.y = constraints_.MaxHeight;
  Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  if (!IsSizeable(borderStyle_)) {
    info.ptMinTrackSize = TPoint{Width(), Height()};
    info.ptMaxTrackSize = info.ptMinTrackSize;
  }
  const QMargins m = FrameMargins(w);
  const int extraX = m.left() + m.right();
  const int extraY = m.top() + m.bottom();
  w->setMinimumSize(std::max(info.ptMinTrackSize.x - extraX, 0), std::max(info.ptMinTrackSize.y - extraY, 0));
  w->setMaximumSize(std::clamp(info.ptMaxTrackSize.x - extraX, 1, QWIDGETSIZE_MAX),
                    std::clamp(info.ptMaxTrackSize.y - extraY, 1, QWIDGETSIZE_MAX));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  ApplyWindowFlags();
  UpdateSizeLimits();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (borderIcons_ == Value) return;
  borderIcons_ = Value;
  ApplyWindowFlags();
}

void TCustomForm::SetPosition(TPosition Value) { position_ = Value; }

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (formStyle_ == Value) return;
  formStyle_ = Value;
  ApplyWindowFlags();
}

void TCustomForm::SetConstraints(const TSizeConstraints& Value) {
  if (constraints_ == Value) return;
  constraints_ = Value;
  UpdateSizeLimits();
}

TWindowState TCustomForm::WindowState() const { return windowState_; }

void TCustomForm::SetWindowState(TWindowState Value) {
  if (windowState_ == Value) return;
  windowState_ = Value;
  if (QWidget* w = WidgetIfAllocated(this); w && w->isVisible()) ApplyWindowState();
}

void TCustomForm::ApplyWindowState() {
  QWidget* w = WidgetIfAllocated(this);
  if (!w) return;
  switch (windowState_) {
    case wsMinimized:
      w->showMinimized();
      break;
    case wsMaximized:
      w->showMaximized();
      break;
    default:
      w->showNormal();
      break;
  }
}

void TCustomForm::WindowStateChangedByUser() {
  QWidget* w = WidgetIfAllocated(this);
  const Qt::WindowStates state = w->windowState();
  const TWindowState previous = shownState_;
  if (state & Qt::WindowMinimized)
    shownState_ = wsMinimized;
  else if (state & Qt::WindowMaximized)
    shownState_ = wsMaximized;
  else
    shownState_ = wsNormal;
  windowState_ = shownState_;
  if (Application->MainForm() == this && (previous == wsMinimized) != (shownState_ == wsMinimized))
    Fire(shownState_ == wsMinimized ? Application->OnMinimize : Application->OnRestore, Application);
  if (previous == wsNormal || shownState_ != wsNormal) return;
  // Back to normal: the window returns to the normal bounds the form kept, once the window
  // system is done with its own restoring.
  restoringNormal_ = true;
  UpdateBoundsFromWindow(normalBounds_.Left, normalBounds_.Top, normalBounds_.Width(), normalBounds_.Height());
  QPointer<QWidget> alive(w);
  QTimer::singleShot(0, w, [this, alive] {
    if (!alive) return;
    restoringNormal_ = false;
    SyncFrame();
    Realign();
  });
}

void TCustomForm::RememberNormalBounds() {
  normalBounds_ = BoundsRect();
  if (QWidget* w = WidgetIfAllocated(this))
    w->setProperty("corvane.placement.normal",
                   QRect(normalBounds_.Left, normalBounds_.Top, normalBounds_.Width(), normalBounds_.Height()));
}

namespace {

bool IsNormalState(const QWidget* w) {
  return !(w->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

}  // namespace

void TCustomForm::WindowMovedOrResized() {
  // While showing or returning to normal the window moves by itself; the form's bounds stay what
  // the program asked for.
  if (showing_ || restoringNormal_) return;
  const QWidget* w = WidgetIfAllocated(this);
  const QMargins m = FrameMargins(w);
  const TRect margins = Rect(m.left(), m.top(), m.right(), m.bottom());
  if (IsNormalState(w)) {
    // The window manager has just put a frame around a window sized without one.
    if (frameMargins_ == TRect{} && margins != TRect{}) {
      SyncFrame();
      return;
    }
    frameMargins_ = margins;
  }
  const QRect frame = w->frameGeometry();
  UpdateBoundsFromWindow(frame.x(), frame.y(), frame.width(), frame.height());
  if (IsNormalState(w)) RememberNormalBounds();
  Realign();
}

void TCustomForm::SetClientSize(int AWidth, int AHeight) {
  TControl::SetClientSize(AWidth, AHeight);
  clientSize_ = frameMargins_ == TRect{} ? TPoint{AWidth, AHeight} : TPoint{};
}

void TCustomForm::KeepClientSize(const TRect& margins) {
  const TPoint client = std::exchange(clientSize_, TPoint{});
  UpdateBoundsFromWindow(Left(), Top(), client.x + margins.Left + margins.Right, client.y + margins.Top + margins.Bottom);
}

void TCustomForm::SyncFrame() {
  QWidget* w = WidgetIfAllocated(this);
  if (!w) return;
  const QMargins m = FrameMargins(w);
  if (clientSize_ != TPoint{} && !m.isNull() && IsNormalState(w))
    KeepClientSize(Rect(m.left(), m.top(), m.right(), m.bottom()));
  UpdateSizeLimits();  // they are of the outer size, so they move with the frame
  if (!IsNormalState(w)) return;
  frameMargins_ = Rect(m.left(), m.top(), m.right(), m.bottom());
  const QSize client(std::max(Width() - m.left() - m.right(), 1), std::max(Height() - m.top() - m.bottom(), 1));
  RememberNormalBounds();
  if (w->pos() != QPoint(Left(), Top())) w->move(Left(), Top());
  if (w->size() != client) w->resize(client);
}

void TCustomForm::BoundsChanged() {
  if (windowState_ == wsNormal) RememberNormalBounds();
  if (!WidgetIfAllocated(this)) return;
  SyncFrame();
  Realign();
}

int TCustomForm::ClientWidth() const {
  const QWidget* w = WidgetIfAllocated(this);
  return w ? w->width() : Width();
}

int TCustomForm::ClientHeight() const {
  const QWidget* w = WidgetIfAllocated(this);
  return w ? w->height() : Height();
}

void TCustomForm::VisibleChanged() {
  if (!Visible()) {
    if (QWidget* w = WidgetIfAllocated(this); w && w->isVisible()) {
      w->hide();
      DoHide();
    }
    return;
  }
  if (showing_) return;
  showing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{showing_};
  WidgetOf(this);
  CallHandler(this, [this] { DoShow(); });
  if (!Visible()) return;  // a show handler hid the form again
  FitToTitle();
  PlaceOnShow();
  ApplyWindowState();
  SyncFrame();
  if (activeControl_ && activeControl_->CanFocus()) activeControl_->SetFocus();
}

void TCustomForm::FitToTitle() {
  if (IsSizeable(borderStyle_) || borderStyle_ == TFormBorderStyle::bsNone) return;
  const int grow = TitleBarWidth(Caption()) - Width();
  if (grow <= 0) return;
  for (int i = 0; i < ControlCount(); ++i)
    if (TControl* control = Controls(i); control->Align() == alNone) control->SetLeft(control->Left() + grow / 2);
  // The window's limits hold it at its old width until they are set anew.
  if (QWidget* w = WidgetIfAllocated(this)) w->setMaximumWidth(QWIDGETSIZE_MAX);
  if (clientSize_ != TPoint{}) clientSize_.x += grow;  // the client size kept for the frame to come
  SetWidth(Width() + grow);
  UpdateSizeLimits();
}

void TCustomForm::PlaceOnShow() {
  const TCustomForm* around = nullptr;
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      break;
    case poMainFormCenter:
      around = gMainForm != this ? gMainForm : nullptr;
      break;
    case poOwnerFormCenter:
      around = dynamic_cast<const TCustomForm*>(Owner());
      break;
    default:
      return;
  }
  TRect area = Rect(0, 0, Screen->Width(), Screen->Height());
  if (around && around->Visible()) area = around->BoundsRect();
  SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::DoShow() { Fire(OnShow, this); }
void TCustomForm::DoHide() { Fire(OnHide, this); }
void TCustomForm::DoClose(TCloseAction& Action) { Fire(OnClose, this, Action); }

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::BringToFront() {
  if (QWidget* w = WidgetIfAllocated(this); w && w->isVisible()) {
    w->raise();
    w->activateWindow();
  }
}

void TCustomForm::SetFocus() {
  if (!Visible() || !Enabled()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  BringToFront();
}

bool TCustomForm::Active() const {
  const QWidget* w = WidgetIfAllocated(this);
  return w && w->isActiveWindow();
}

TWinControl* TCustomForm::ActiveControl() const {
  const QWidget* w = WidgetIfAllocated(this);
  if (QWidget* focus = QApplication::focusWidget(); w && focus && focus->window() == w) {
    for (QWidget* candidate = focus; candidate && candidate != w; candidate = candidate->parentWidget())
      if (TWinControl* control = FindControl(reinterpret_cast<HWND>(candidate))) return control;
  }
  return activeControl_;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (activeControl_ == Control) return;
  if (activeControl_) activeControl_->RemoveFreeNotification(this);
  activeControl_ = Control;
  if (!Control) return;
  Control->FreeNotification(this);
  if (const QWidget* w = WidgetIfAllocated(this); w && w->isVisible() && Control->CanFocus()) Control->SetFocus();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == activeControl_) activeControl_ = nullptr;
}

void TCustomForm::SetModalResult(TModalResult Value) {
  modalResult_ = Value;
  if (modalLoop_ && Value != mrNone) modalLoop_->quit();
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  Fire(OnCloseQuery, this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (Modal()) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = formStyle_ == fsMDIChild ? caMinimize : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (this == gMainForm) {
    Hide();
    if (gTerminate)
      gTerminate();
    else
      QCoreApplication::quit();
    return;
  }
  switch (action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    case caFree:
      Release();
      break;
    default:
      break;
  }
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone)
    modalResult_ = mrNone;
  else if (action == caFree)
    Release();
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || Modal()) throw EInvalidOperation("Cannot make a visible window modal");
  modalResult_ = mrNone;
  QEventLoop loop;
  modalLoop_ = &loop;
  struct EndModal {
    TCustomForm* form;
    ~EndModal() { form->modalLoop_ = nullptr; }
  } endModal{this};
  WidgetOf(this)->setWindowModality(Qt::ApplicationModal);
  Show();
  for (;;) {
    if (modalResult_ == mrNone) loop.exec();
    if (modalResult_ == mrNone) continue;
    CloseModal();
    if (modalResult_ != mrNone) break;
  }
  Hide();
  if (QWidget* w = WidgetIfAllocated(this)) w->setWindowModality(Qt::NonModal);
  return modalResult_;
}

void TCustomForm::Release() {
  const std::uint64_t serial = serial_;
  TCustomForm* form = this;
  QTimer::singleShot(0, qApp, [form, serial] {
    const auto& forms = Screen->forms_;
    if (std::find(forms.begin(), forms.end(), form) != forms.end() && form->serial_ == serial) delete form;
  });
}

void TCustomForm::HookWindow(const TWindowMessageHook& Hook) {
  if (std::find(hooks_.begin(), hooks_.end(), Hook) == hooks_.end()) hooks_.push_back(Hook);
}

void TCustomForm::UnhookWindow(const TWindowMessageHook& Hook) {
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), Hook), hooks_.end());
}

void TCustomForm::WndProc(TMessage& Message) {
  FormWndProc(Message);
  const std::vector<TWindowMessageHook> hooks = hooks_;
  for (auto hook = hooks.rbegin(); hook != hooks.rend(); ++hook) (*hook)(Message);
}

void TCustomForm::FormWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_SYSCOMMAND:
      switch (Message.WParam & 0xFFF0) {
        case SC_MINIMIZE:
          SetWindowState(wsMinimized);
          return;
        case SC_MAXIMIZE:
          SetWindowState(wsMaximized);
          return;
        case SC_RESTORE:
          SetWindowState(wsNormal);
          return;
        case SC_CLOSE:
          Close();
          return;
        default:
          break;
      }
      break;
    case CM_DIALOGKEY:
      if (TButton* button = DialogButton(this, static_cast<WORD>(Message.WParam))) {
        button->Click();
        Message.Result = 1;
      }
      return;
    case WM_ACTIVATE:
      if (Message.WParam == WA_INACTIVE) {
        Fire(OnDeactivate, this);
      } else {
        Fire(OnActivate, this);
      }
      return;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

// ---------------------------------------------------------------------------------------------------
// TScreen

int TScreen::Width() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 0;
}

int TScreen::Height() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 0;
}

int TScreen::PixelsPerInch() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

TCustomForm* TScreen::ActiveForm() const {
  QWidget* active = QApplication::activeWindow();
  return active ? dynamic_cast<TCustomForm*>(TWinControl::FindControl(reinterpret_cast<HWND>(active))) : nullptr;
}

namespace {

Qt::CursorShape StandardShape(TCursor cursor) {
  switch (cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
      return Qt::WaitCursor;
    case crDrag:
      return Qt::DragMoveCursor;
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit:
      return Qt::SplitHCursor;
    case crVSplit:
      return Qt::SplitVCursor;
    case crAppStart:
      return Qt::BusyCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;
  }
}

HCURSOR StandardCursor(TCursor cursor) {
  // Never destroyed: cursors must not go after the Qt application at the end of the process.
  static auto* const cursors = new std::map<Qt::CursorShape, QCursor>;
  const Qt::CursorShape shape = StandardShape(cursor);
  auto found = cursors->find(shape);
  if (found == cursors->end()) found = cursors->emplace(shape, QCursor(shape)).first;
  return reinterpret_cast<HCURSOR>(&found->second);
}

}  // namespace

HCURSOR TScreen::Cursors(TCursor Index) const {
  if (const auto found = cursors_.find(Index); found != cursors_.end()) return found->second;
  return StandardCursor(Index);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Cursor) {
  if (Cursor)
    cursors_[Index] = Cursor;
  else
    cursors_.erase(Index);
}

void TScreen::SetCursor(TCursor Value) {
  if (cursor_ == Value) return;
  const bool wasOverridden = cursor_ != crDefault;
  cursor_ = Value;
  if (Value == crDefault) {
    if (wasOverridden) QGuiApplication::restoreOverrideCursor();
    return;
  }
  const QCursor& cursor = *CursorOfHandle(Cursors(Value));
  if (wasOverridden)
    QGuiApplication::changeOverrideCursor(cursor);
  else
    QGuiApplication::setOverrideCursor(cursor);
}

void ApplyCursor(QWidget* Widget, TCursor Cursor) {
  if (!Widget) return;
  if (Cursor == crDefault)
    Widget->unsetCursor();
  else
    Widget->setCursor(*CursorOfHandle(Screen->Cursors(Cursor)));
}
