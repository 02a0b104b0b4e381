#include "win/WinUser.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <map>

#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "vcl/Controls.h"
#include "win/Kernel.h"

namespace {

QWidget* WindowOf(HWND window) {
  auto* widget = reinterpret_cast<QWidget*>(window);
  return widget ? widget->window() : nullptr;
}

// The desktop has no icon or maximized position; they are kept with the window for whoever
// reads the placement back.
constexpr const char* kFlags = "corvane.placement.flags";
constexpr const char* kMinPosition = "corvane.placement.min";
constexpr const char* kMaxPosition = "corvane.placement.max";

TPoint StoredPoint(const QWidget* window, const char* name) {
  const QVariant value = window->property(name);
  if (!value.isValid()) return TPoint{-1, -1};
  const QPoint p = value.toPoint();
  return TPoint{p.x(), p.y()};
}

// The frame's extent beyond the client area (zero before the window manager has framed it).
QMargins FrameMargins(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                  frame.bottom() - client.bottom());
}

TRect NormalFrame(const QWidget* window) {
  // A form keeps its normal bounds itself; other windows have Qt's.
  if (const QVariant kept = window->property("corvane.placement.normal"); kept.isValid()) {
    const QRect r = kept.toRect();
    return Bounds(r.x(), r.y(), r.width(), r.height());
  }
  const bool normal = !(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
  const QRect client = normal ? window->geometry() : window->normalGeometry();
  const QRect frame = client.marginsAdded(FrameMargins(window));
  return Rect(frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1);
}

void MoveFrameTo(QWidget* window, const TRect& frame) {
  // A control's window takes the frame through its bounds, which it keeps across framing.
  if (TControl* control = TWinControl::FindControl(reinterpret_cast<HWND>(window))) {
    control->SetBounds(frame.Left, frame.Top, frame.Width(), frame.Height());
    return;
  }
  const QMargins margins = FrameMargins(window);
  window->move(frame.Left, frame.Top);
  window->resize(std::max(frame.Width() - margins.left() - margins.right(), 1),
                 std::max(frame.Height() - margins.top() - margins.bottom(), 1));
}

// Cursors stay loaded for the life of the process, so handles never dangle; never destroyed,
// since a cursor must not go after the Qt application at the end of the process.
std::deque<QCursor>& CursorPool() {
  static auto* const pool = new std::deque<QCursor>;
  return *pool;
}

HCURSOR HandleOf(QCursor cursor) {
  CursorPool().push_back(std::move(cursor));
  return reinterpret_cast<HCURSOR>(&CursorPool().back());
}

}  // namespace

BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) {
  QWidget* w = WindowOf(window);
  if (!w || !placement) return 0;
  placement->flags = w->property(kFlags).toUInt();
  if (w->windowState() & Qt::WindowMinimized)
    placement->showCmd = SW_SHOWMINIMIZED;
  else if (w->windowState() & Qt::WindowMaximized)
    placement->showCmd = SW_SHOWMAXIMIZED;
  else
    placement->showCmd = SW_SHOWNORMAL;
  placement->ptMinPosition = StoredPoint(w, kMinPosition);
  placement->ptMaxPosition = StoredPoint(w, kMaxPosition);
  placement->rcNormalPosition = NormalFrame(w);
  return 1;
}

BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement) {
  QWidget* w = WindowOf(window);
  if (!w || !placement) return 0;
  w->setProperty(kFlags, placement->flags);
  w->setProperty(kMinPosition, QPoint(placement->ptMinPosition.x, placement->ptMinPosition.y));
  w->setProperty(kMaxPosition, QPoint(placement->ptMaxPosition.x, placement->ptMaxPosition.y));
  // The normal rectangle can only be set on a normal window; the state comes back afterwards.
  const Qt::WindowStates state = w->windowState();
  const Qt::WindowStates sized = state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
  if (sized) w->setWindowState(state & ~sized);
  MoveFrameTo(w, placement->rcNormalPosition);
  Qt::WindowStates target = w->windowState() | sized;
  switch (placement->showCmd) {
    case SW_SHOWNORMAL:
    case SW_RESTORE:
      target &= ~(Qt::WindowMinimized | Qt::WindowMaximized);
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      target = (target & ~Qt::WindowMaximized) | Qt::WindowMinimized;
      break;
    case SW_SHOWMAXIMIZED:
      target = (target & ~Qt::WindowMinimized) | Qt::WindowMaximized;
      break;
    default:
      break;
  }
  if (target != w->windowState()) w->setWindowState(target);
  if (placement->showCmd != SW_HIDE && !w->isVisible()) {
    if (auto* control = TWinControl::FindControl(reinterpret_cast<HWND>(w)))
      control->Show();
    else
      w->show();
  }
  return 1;
}

BOOL IsIconic(HWND window) {
  QWidget* w = WindowOf(window);
  return w && (w->windowState() & Qt::WindowMinimized) ? 1 : 0;
}

BOOL IsZoomed(HWND window) {
  QWidget* w = WindowOf(window);
  return w && (w->windowState() & Qt::WindowMaximized) ? 1 : 0;
}

BOOL IsWindowVisible(HWND window) {
  QWidget* w = reinterpret_cast<QWidget*>(window);
  return w && w->isVisible() ? 1 : 0;
}

int GetSystemMetrics(int index) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  switch (index) {
    case SM_CXSCREEN:
      return screen ? screen->geometry().width() : 0;
    case SM_CYSCREEN:
      return screen ? screen->geometry().height() : 0;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
      return QApplication::startDragDistance();
    default:
      return 0;
  }
}

namespace {
QPointer<QWidget>& CaptureHolder() {
  static QPointer<QWidget> holder;
  return holder;
}
}  // namespace

HWND SetCapture(HWND window) {
  const HWND previous = GetCapture();
  CaptureHolder() = reinterpret_cast<QWidget*>(window);
  return previous;
}

BOOL ReleaseCapture() {
  CaptureHolder() = nullptr;
  return 1;
}

HWND GetCapture() { return reinterpret_cast<HWND>(CaptureHolder().data()); }

namespace {

// Hidden windows by handle. Their handles are odd numbers, which no widget's address is, and never
// come back, so a message posted to one that went finds nothing. It lives to the end of the process:
// windows are let go while the process ends.
std::map<HWND, TWndMethod>& UtilityWindows() {
  static auto* const windows = new std::map<HWND, TWndMethod>;
  return *windows;
}

LRESULT SendToUtilityWindow(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto found = UtilityWindows().find(window);
  if (found == UtilityWindows().end()) return 0;
  const TWndMethod method = found->second;  // the method may let the window go
  TMessage message{msg, wParam, lParam, 0};
  method(message);
  return message.Result;
}

}  // namespace

namespace {
int gBeeps = 0;
}  // namespace

BOOL MessageBeep(UINT) {
  ++gBeeps;
  QApplication::beep();
  return 1;
}

int MessageBeepCount() { return gBeeps; }

HWND AllocateHWnd(const TWndMethod& method) {
  static std::uintptr_t next = 1;
  const HWND window = reinterpret_cast<HWND>(next);
  next += 2;
  UtilityWindows()[window] = method;
  return window;
}

void DeallocateHWnd(HWND window) { UtilityWindows().erase(window); }

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (UtilityWindows().count(window)) return SendToUtilityWindow(window, msg, wParam, lParam);
  TWinControl* control = TWinControl::FindControl(window);
  return control ? control->Perform(msg, wParam, lParam) : 0;
}

WNDPROC GetWindowProc(HWND window) {
  TWinControl* control = TWinControl::FindControl(window);
  return control ? control->WindowProcedure() : WNDPROC();
}

WNDPROC SetWindowProc(HWND window, const WNDPROC& procedure) {
  TWinControl* control = TWinControl::FindControl(window);
  if (!control) return WNDPROC();
  WNDPROC previous = control->WindowProcedure();
  control->SetWindowProcedure(procedure);
  return previous;
}

LRESULT CallWindowProc(const WNDPROC& procedure, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return procedure ? procedure(window, msg, wParam, lParam) : 0;
}

WNDPROC MakeObjectInstance(const TWndMethod& method) {
  return WNDPROC([method](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    TMessage message{msg, wParam, lParam, 0};
    method(message);
    return message.Result;
  });
}

BOOL PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (UtilityWindows().count(window)) {
    QTimer::singleShot(0, qApp, [window, msg, wParam, lParam] { SendToUtilityWindow(window, msg, wParam, lParam); });
    return 1;
  }
  auto* widget = reinterpret_cast<QWidget*>(window);
  if (!widget || !TWinControl::FindControl(window)) return 0;
  QPointer<QWidget> alive(widget);
  QTimer::singleShot(0, qApp, [alive, window, msg, wParam, lParam] {
    if (!alive) return;
    if (TWinControl* control = TWinControl::FindControl(window)) control->Perform(msg, wParam, lParam);
  });
  return 1;
}

std::string ProgramDataFolder() {
  const std::filesystem::path program(GetModuleFileName());
  return (program.parent_path() / CORVANE_DATA_FROM_PROGRAM / "").lexically_normal().string();
}

std::string ResourceFilePath(const std::string& relative) {
  const std::string file = ProgramDataFolder() + relative;
  std::error_code ignored;
  return std::filesystem::is_regular_file(file, ignored) ? file : std::string();
}

HCURSOR LoadCursorResource(const std::string& name) {
  static auto* const loaded = new std::map<std::string, HCURSOR>;
  if (auto found = loaded->find(name); found != loaded->end()) return found->second;
  const std::string file = ResourceFilePath("cursors/" + name + ".png");
  if (file.empty()) return nullptr;
  const QImage image(FileNameToQString(file));
  if (image.isNull()) return nullptr;
  const int hotX = image.text("HotSpotX").toInt();
  const int hotY = image.text("HotSpotY").toInt();
  const HCURSOR handle = HandleOf(QCursor(QPixmap::fromImage(image), hotX, hotY));
  (*loaded)[name] = handle;
  return handle;
}

const QCursor* CursorOfHandle(HCURSOR cursor) { return reinterpret_cast<const QCursor*>(cursor); }

namespace {

TPoint gMousePosition;
QPointer<QWidget> gCursorWindow;  // the window handling WM_SETCURSOR now

}  // namespace

void NoteMousePosition(int ScreenX, int ScreenY) { gMousePosition = TPoint{ScreenX, ScreenY}; }

TCursorWindowScope::TCursorWindowScope(QWidget* Window) : previous_(gCursorWindow.data()) { gCursorWindow = Window; }
TCursorWindowScope::~TCursorWindowScope() { gCursorWindow = previous_; }

BOOL GetCursorPos(TPoint* Point) {
  if (!Point) return 0;
  *Point = gMousePosition;
  return 1;
}

HCURSOR SetCursor(HCURSOR Cursor) {
  if (!gCursorWindow) return nullptr;
  if (Cursor)
    gCursorWindow->setCursor(*CursorOfHandle(Cursor));
  else
    gCursorWindow->unsetCursor();
  return nullptr;
}
