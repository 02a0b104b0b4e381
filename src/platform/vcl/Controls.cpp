#include "vcl/Controls.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <unordered_map>

#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/Forms.h"
#include "win/Caret.h"
#include "win/CodePage.h"
#include "win/DropFiles.h"
#include "win/Imm.h"
#include "win/WinUser.h"

namespace {

std::unordered_map<const QWidget*, TWinControl*>& ControlsByWidget() {
  static std::unordered_map<const QWidget*, TWinControl*> map;
  return map;
}

TPopupMenuHandler gPopupMenuHandler = nullptr;
Qt::KeyboardModifiers gModifiers;
Qt::MouseButtons gButtons;

// The drag of a control in progress (one at a time, as there is one mouse).
struct TDragSession {
  TControl* Source = nullptr;
  TPoint Start;  // screen point the threshold counts from
  int Threshold = 0;
  bool Started = false;
  TPoint Last;  // screen point of the last move
  TControl* Target = nullptr;
  bool Accepted = false;
};
TDragSession gDrag;

// The control whose window lies under a screen point: the widget there, else the dragged control
// itself when the point is inside it (a window never shown has no place on the screen).
TControl* ControlAt(TPoint Screen) {
  if (TWinControl* control = ControlOfWidget(QApplication::widgetAt(QPoint(Screen.x, Screen.y))))
    return control;
  const TPoint p = gDrag.Source->ScreenToClient(Screen);
  return gDrag.Source->ClientRect().Contains(p) ? gDrag.Source : nullptr;
}

// Local file names of a drop's file URLs; other URLs are left out.
std::vector<std::string> DroppedFiles(const QMimeData* mime) {
  std::vector<std::string> files;
  if (!mime || !mime->hasUrls()) return files;
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile()) files.push_back(FileNameFromQString(url.toLocalFile()));
  return files;
}

LPARAM PackPoint(int x, int y) {
  return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))));
}

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  WPARAM keys = 0;
  if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
  if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
  return keys;
}

struct KeyMapEntry {
  int qtKey;
  WORD vk;
};

constexpr KeyMapEntry kKeyMap[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},  {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},       {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},   {Qt::Key_PageDown, VK_NEXT},   {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},      {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},    {Qt::Key_Down, VK_DOWN},       {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},  {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Help, VK_HELP},
    {Qt::Key_Menu, VK_APPS},      {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1}, {Qt::Key_Colon, VK_OEM_1},    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},  {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS}, {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2}, {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3}, {Qt::Key_AsciiTilde, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4}, {Qt::Key_Backslash, VK_OEM_5}, {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
};

// The number row by where its keys lie, whatever they type on the layout in use ("§" for a German
// Shift+3, "\"" for a French 3): X and Wayland number their keys by the kernel's codes plus 8, which
// puts the row 1..9, 0 at 10..19.
WORD NumberRowKey(const QKeyEvent* e) {
  constexpr quint32 kFirst = 10;
  constexpr quint32 kLast = 19;
  const quint32 code = e->nativeScanCode();
  if (code < kFirst || code > kLast) return 0;
  return code == kLast ? '0' : static_cast<WORD>('1' + (code - kFirst));
}

// Shifted digits arrive as their symbols; the virtual key is the digit under them (US layout), for
// events that carry no key code.
WORD ShiftedDigitKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    default: return 0;
  }
}

}  // namespace

TMouse& TheMouse() {
  static TMouse* const mouse = new TMouse;
  return *mouse;
}

WORD VirtualKeyOf(const QKeyEvent* e) {
  const int key = e->key();
  if (e->modifiers() & Qt::KeypadModifier) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && !(e->modifiers() & Qt::ShiftModifier))
      return static_cast<WORD>(VK_NUMPAD0 + (key - Qt::Key_0));
    switch (key) {
      case Qt::Key_Asterisk: return VK_MULTIPLY;
      case Qt::Key_Plus: return VK_ADD;
      case Qt::Key_Minus: return VK_SUBTRACT;
      case Qt::Key_Slash: return VK_DIVIDE;
      case Qt::Key_Period: return VK_DECIMAL;
      default: break;
    }
  }
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return static_cast<WORD>(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
  if (const WORD digit = NumberRowKey(e)) return digit;
  for (const KeyMapEntry& entry : kKeyMap)
    if (entry.qtKey == key) return entry.vk;
  return ShiftedDigitKey(key);
}

// ---------------------------------------------------------------------------------------------------
// The widget that carries a control's window: its Qt events become the control's messages.

class TWidgetBridge : public QWidget {
 public:
  TWidgetBridge(TWinControl* control, QWidget* parent) : QWidget(parent), control_(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setMouseTracking(true);
  }

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
    // The composition window opens at the caret.
    const TCaretState caret = GetCaretState();
    if (query == Qt::ImCursorRectangle && caret.Owner == control_)
      return QRect(caret.Bounds.Left, caret.Bounds.Top, caret.Bounds.Width(), caret.Bounds.Height());
    // The control may choose the font the input method composes in.
    if (query == Qt::ImFont) {
      Send(WM_IME_NOTIFY, IMN_SETOPENSTATUS);
      const HWND window = control_->Handle();
      const HIMC context = ImmGetContext(window);
      LOGFONTA font;
      const bool chosen = ImmGetCompositionFontA(context, &font) != 0;
      ImmReleaseContext(window, context);
      if (chosen) return ResolvedFont(font);
    }
    return QWidget::inputMethodQuery(query);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    const QRect r = e->rect();
    control_->inPaintEvent_ = true;
    control_->paintEventRect_ = Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    std::exception_ptr failure;
    try {
      if (control_->Perform(WM_ERASEBKGND) == 0) FillBackground(r);
      control_->Perform(WM_PAINT);
    } catch (...) {
      failure = std::current_exception();
    }
    control_->inPaintEvent_ = false;
    if (failure) {
      FillBackground(r);
      ReportPaintFailure(failure);
    } else {
      paintFailed_ = false;
    }
  }

  void resizeEvent(QResizeEvent*) override {
    if (isWindow()) return;  // forms track their own frame
    CallHandler(control_, [this] { control_->UpdateBoundsFromWindow(x(), y(), width(), height()); });
  }

  void focusInEvent(QFocusEvent*) override { Send(WM_SETFOCUS); }
  void focusOutEvent(QFocusEvent*) override { Send(WM_KILLFOCUS); }

  bool focusNextPrevChild(bool next) override {
    if (Send(WM_GETDLGCODE) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
    return QWidget::focusNextPrevChild(next);
  }

  void keyPressEvent(QKeyEvent* e) override {
    const LPARAM keyData = TakeKeyEvent(e);
    const bool alt = e->modifiers() & Qt::AltModifier;
    const WORD vk = VirtualKeyOf(e);
    const WORD key = MessageKey(e, vk);
    const bool taken = key != 0 && Send(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, keyData) == 0;
    TUnmappedChars unmapped;
    for (char c : TypedAnsiChars(e, vk, unmapped)) Send(alt ? WM_SYSCHAR : WM_CHAR, static_cast<unsigned char>(c), keyData);
    // A key the control took, or one with Alt (a menu's), is no typing, so it lacked no character.
    if (!taken && !alt) SendUnmapped(unmapped);
    e->accept();
  }

  void keyReleaseEvent(QKeyEvent* e) override {
    gModifiers = e->modifiers();
    const bool alt = e->modifiers() & Qt::AltModifier;
    if (const WORD key = MessageKey(e, VirtualKeyOf(e))) Send(alt ? WM_SYSKEYUP : WM_KEYUP, key, alt ? KF_ALTDOWN_LPARAM : 0);
    e->accept();
  }

  void mousePressEvent(QMouseEvent* e) override { SendMouse(e, false); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { SendMouse(e, true); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    Track(e);
    const UINT msg = e->button() == Qt::RightButton ? WM_RBUTTONUP : (e->button() == Qt::MiddleButton ? WM_MBUTTONUP : WM_LBUTTONUP);
    Send(msg, MouseKeys(e->buttons(), e->modifiers()), PackPoint(e->position().toPoint().x(), e->position().toPoint().y()));
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Track(e);
    // The cursor shape is asked for while no button is held (a held button belongs to its press), as the
    // system does before each move: the window under the mouse chooses it.
    if (e->buttons() == Qt::NoButton) {
      const TCursorWindowScope cursorWindow(this);
      Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(control_->Handle()), MAKELONG(HTCLIENT, WM_MOUSEMOVE));
    }
    Send(WM_MOUSEMOVE, MouseKeys(e->buttons(), e->modifiers()), PackPoint(e->position().toPoint().x(), e->position().toPoint().y()));
  }

  void wheelEvent(QWheelEvent* e) override {
    gModifiers = e->modifiers();
    const int delta = e->angleDelta().y();
    const QPoint global = e->globalPosition().toPoint();
    const WPARAM w = MAKELONG(static_cast<WORD>(MouseKeys(e->buttons(), e->modifiers())), static_cast<WORD>(static_cast<short>(delta)));
    Send(WM_MOUSEWHEEL, w, PackPoint(global.x(), global.y()));
    e->accept();
  }

  void dragEnterEvent(QDragEnterEvent* e) override {
    if (!DroppedFiles(e->mimeData()).empty()) e->acceptProposedAction();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (!DroppedFiles(e->mimeData()).empty()) e->acceptProposedAction();
  }
  void dropEvent(QDropEvent* e) override {
    HDROP__ drop{DroppedFiles(e->mimeData()), TPoint{e->position().toPoint().x(), e->position().toPoint().y()}};
    if (drop.Files.empty()) return;
    e->acceptProposedAction();
    Send(WM_DROPFILES, reinterpret_cast<WPARAM>(&drop));
  }

  void inputMethodEvent(QInputMethodEvent* e) override {
    e->accept();
    TUnmappedChars unmapped;
    const std::string text = TypedFromQString(e->commitString(), unmapped);
    if (!text.empty()) {
      ImmSetResultString(control_->Handle(), text);
      Send(WM_IME_STARTCOMPOSITION);
      Send(WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
      Send(WM_IME_ENDCOMPOSITION);
    }
    SendUnmapped(unmapped);
  }

  void contextMenuEvent(QContextMenuEvent* e) override {
    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control_->Handle()), PackPoint(e->globalPos().x(), e->globalPos().y()));
  }

 private:
  // Every message that comes from Qt runs under the application's exception handling, as the message
  // loop runs every handler: a failing handler shows its message and the program goes on.
  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const {
    LRESULT result = 0;
    CallHandler(control_, [&] { result = control_->Perform(Msg, WParam, LParam); });
    return result;
  }

  // The key that a key's down and up messages carry. Every key that types goes down and up, as every key
  // does on the system: one without a virtual key of its own (a letter of another layout, a character a
  // program sends) as the packet key. A control that took the key before it for a command then knows
  // that this one is new, and types its character.
  static WORD MessageKey(const QKeyEvent* e, WORD vk) { return vk != 0 || e->text().isEmpty() ? vk : VK_PACKET; }

  void SendUnmapped(const TUnmappedChars& Unmapped) const {
    if (Unmapped.Count > 0) Send(CM_UNMAPPEDCHARS, Unmapped.Count, static_cast<LPARAM>(Unmapped.First));
  }

  void FillBackground(const QRect& r) {
    QPainter painter(this);
    const std::int32_t rgb = ColorToRGB(control_->Color());
    painter.fillRect(r, QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
  }

  // A box shown from inside a paint would have the window painted again beneath it, failing again: the
  // failure is shown once the paint is over, and a window that keeps failing is reported once until
  // it paints again.
  void ReportPaintFailure(const std::exception_ptr& failure) {
    if (paintFailed_) return;
    paintFailed_ = true;
    QTimer::singleShot(0, this, [this, failure] { CallHandler(control_, [&] { std::rethrow_exception(failure); }); });
  }

  void Track(const QMouseEvent* e) {
    gModifiers = e->modifiers();
    gButtons = e->buttons();
    const QPoint global = e->globalPosition().toPoint();
    NoteMousePosition(global.x(), global.y());
  }

  void SendMouse(QMouseEvent* e, bool doubleClick) {
    Track(e);
    UINT msg = WM_LBUTTONDOWN;
    if (e->button() == Qt::RightButton) msg = WM_RBUTTONDOWN;
    if (e->button() == Qt::MiddleButton) msg = WM_MBUTTONDOWN;
    if (doubleClick) msg += 2;  // the ...DBLCLK message follows each ...UP
    Send(msg, MouseKeys(e->buttons(), e->modifiers()), PackPoint(e->position().toPoint().x(), e->position().toPoint().y()));
  }

  TWinControl* control_;
  bool paintFailed_ = false;
};

// ---------------------------------------------------------------------------------------------------
// Keyboard state

LPARAM TakeKeyEvent(const QKeyEvent* e) {
  gModifiers = e->modifiers();
  LPARAM keyData = e->isAutoRepeat() ? (LPARAM{1} << 30) : 0;
  if (e->modifiers() & Qt::AltModifier) keyData |= KF_ALTDOWN_LPARAM;
  return keyData;
}

std::string TypedAnsiChars(const QKeyEvent* e, WORD vk, TUnmappedChars& Unmapped) {
  const bool control = (e->modifiers() & Qt::ControlModifier) && !(e->modifiers() & Qt::AltModifier);
  // Some sources (synthesised events among them) give Ctrl+V the text "v"; the system types ^V.
  if (control && vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(vk - 'A' + 1));
  return TypedFromQString(e->text(), Unmapped);
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (KeyData & KF_ALTDOWN_LPARAM) shift.Include(ssAlt);
  return shift;
}

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState shift;
  if (Keys & MK_SHIFT) shift.Include(ssShift);
  if (Keys & MK_CONTROL) shift.Include(ssCtrl);
  if (Keys & MK_LBUTTON) shift.Include(ssLeft);
  if (Keys & MK_RBUTTON) shift.Include(ssRight);
  if (Keys & MK_MBUTTON) shift.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  return shift;
}

short GetKeyState(int VirtualKey) {
  bool down = false;
  switch (VirtualKey) {
    case VK_SHIFT: down = gModifiers & Qt::ShiftModifier; break;
    case VK_CONTROL: down = gModifiers & Qt::ControlModifier; break;
    case VK_MENU: down = gModifiers & Qt::AltModifier; break;
    case VK_LBUTTON: down = gButtons & Qt::LeftButton; break;
    case VK_RBUTTON: down = gButtons & Qt::RightButton; break;
    case VK_MBUTTON: down = gButtons & Qt::MiddleButton; break;
    default: break;
  }
  return down ? static_cast<short>(0x8000) : 0;
}

void SetKeyboardShiftState(TShiftState Shift) {
  Qt::KeyboardModifiers m;
  if (Shift.Contains(ssShift)) m |= Qt::ShiftModifier;
  if (Shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
  if (Shift.Contains(ssAlt)) m |= Qt::AltModifier;
  gModifiers = m;
}

void SetPopupMenuHandler(TPopupMenuHandler Handler) { gPopupMenuHandler = Handler; }

// ---------------------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
  font_->OnChange = TNotifyEvent(this, &TControl::OnFontChange);
}

TControl::~TControl() {
  if (gDrag.Source == this) gDrag = TDragSession{};
  if (gDrag.Target == this) gDrag.Target = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (parent_ == AParent) return;
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

bool TControl::StoreBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool resized = AWidth != width_ || AHeight != height_;
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  return resized;
}

void TControl::SizeChanged() {
  Perform(WM_SIZE, SIZE_RESTORED, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(ClientWidth()), static_cast<WORD>(ClientHeight()))));
  Resize();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (BoundsRect() == Bounds(ALeft, ATop, AWidth, AHeight)) return;
  const bool resized = StoreBounds(ALeft, ATop, AWidth, AHeight);
  BoundsChanged();
  if (resized) SizeChanged();
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::UpdateBoundsFromWindow(int ALeft, int ATop, int AWidth, int AHeight) {
  if (BoundsRect() == Bounds(ALeft, ATop, AWidth, AHeight)) return;
  if (StoreBounds(ALeft, ATop, AWidth, AHeight)) SizeChanged();
}

void TControl::SetClientSize(int AWidth, int AHeight) {
  SetBounds(left_, top_, width_ + AWidth - ClientWidth(), height_ + AHeight - ClientHeight());
}

void TControl::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  VisibleChanged();
  if (parent_) parent_->Realign();
}

void TControl::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  EnabledChanged();
}

void TControl::SetAlign(TAlign Value) {
  if (align_ == Value) return;
  align_ = Value;
  if (parent_) parent_->Realign();
}

void TControl::SetCaption(const std::string& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  TextChanged();
}

void TControl::SetColor(TColor Value) {
  if (color_ == Value) return;
  color_ = Value;
  ParentColor = false;
  ColorChanged();
}

void TControl::SetPopupMenu(TPopupMenu* Value) { popupMenu_ = Value; }

void TControl::OnFontChange(TObject*) {
  ParentFont = false;
  FontChanged();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (windowProcReplaced_) {
    auto* self = static_cast<TWinControl*>(this);
    return self->WindowProcedure()(self->Handle(), Msg, WParam, LParam);
  }
  TMessage message{Msg, WParam, LParam, 0};
  WndProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message) {
  const int x = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam)));
  const int y = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.LParam)));
  if (gDrag.Source == this && DragMessage(Message, x, y)) return;
  TShiftState shift = KeysToShiftState(Message.WParam);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: MouseDown(mbLeft, shift, x, y); return;
    case WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); return;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); return;
    case WM_LBUTTONDBLCLK:
      MouseDown(mbLeft, shift.Include(ssDouble), x, y);
      Fire(OnDblClick, this);
      return;
    case WM_RBUTTONDBLCLK: MouseDown(mbRight, shift.Include(ssDouble), x, y); return;
    case WM_MBUTTONDBLCLK: MouseDown(mbMiddle, shift.Include(ssDouble), x, y); return;
    case WM_LBUTTONUP: MouseUp(mbLeft, shift, x, y); return;
    case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); return;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); return;
    case WM_MOUSEMOVE: MouseMove(shift, x, y); return;
    default: DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_SETCURSOR) {
    ::SetCursor(cursor_ == crDefault ? nullptr : Screen->Cursors(cursor_));
    Message.Result = 1;
    return;
  }
  if (Message.Msg == WM_CONTEXTMENU && popupMenu_ && gPopupMenuHandler) {
    const int x = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam)));
    const int y = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.LParam)));
    gPopupMenuHandler(popupMenu_, this, x, y);
    Message.Result = 1;
  }
}

void TControl::Invalidate() {
  if (parent_) parent_->Invalidate();
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Click() { Fire(OnClick, this); }

TPoint TControl::ScreenToClient(TPoint Point) const {
  const TPoint origin = parent_ ? parent_->ClientToScreen(TPoint{left_, top_}) : TPoint{left_, top_};
  return TPoint{Point.x - origin.x, Point.y - origin.y};
}

TPoint TControl::ClientToScreen(TPoint Point) const {
  const TPoint origin = parent_ ? parent_->ClientToScreen(TPoint{left_, top_}) : TPoint{left_, top_};
  return TPoint{Point.x + origin.x, Point.y + origin.y};
}

void TControl::Resize() { Fire(OnResize, this); }
void TControl::FontChanged() { Invalidate(); }
void TControl::BoundsChanged() {}
void TControl::VisibleChanged() {}
void TControl::EnabledChanged() {}
void TControl::TextChanged() {}
void TControl::ColorChanged() { Invalidate(); }

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) { Fire(OnMouseDown, this, Button, Shift, X, Y); }

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Fire(OnMouseUp, this, Button, Shift, X, Y);
  if (Button == mbLeft && X >= 0 && Y >= 0 && X < width_ && Y < height_) Click();
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) { Fire(OnMouseMove, this, Shift, X, Y); }

// ---------------------------------------------------------------------------------------------------
// Dragging a control

void TControl::BeginDrag(bool Immediate, int Threshold) {
  gDrag = TDragSession{};
  gDrag.Source = this;
  GetCursorPos(&gDrag.Start);
  gDrag.Threshold = Threshold < 0 ? Mouse->DragThreshold : Threshold;
  if (Immediate) {
    gDrag.Started = true;
    DragMoveTo(gDrag.Start);
  }
}

bool TControl::Dragging() const { return gDrag.Source == this; }

void TControl::DragMoveTo(TPoint Screen) {
  gDrag.Last = Screen;
  if (!gDrag.Started) {
    if (std::abs(Screen.x - gDrag.Start.x) < gDrag.Threshold && std::abs(Screen.y - gDrag.Start.y) < gDrag.Threshold)
      return;
    gDrag.Started = true;
  }
  TControl* target = ControlAt(Screen);
  TDragState state = dsDragMove;
  if (target != gDrag.Target) {
    if (TControl* left = gDrag.Target) {
      const TPoint p = left->ScreenToClient(Screen);
      bool ignored = false;
      left->DragOver(this, p.x, p.y, dsDragLeave, ignored);
    }
    gDrag.Target = target;
    state = dsDragEnter;
  }
  gDrag.Accepted = false;
  if (target) {
    const TPoint p = target->ScreenToClient(Screen);
    target->DragOver(this, p.x, p.y, state, gDrag.Accepted);
  }
  if (auto* self = dynamic_cast<TWinControl*>(this))
    ApplyCursor(WidgetIfAllocated(self), gDrag.Accepted ? DragCursor : crNoDrop);
}

void TControl::EndDrag(bool Drop) {
  if (gDrag.Source != this) return;
  const TDragSession drag = gDrag;
  gDrag = TDragSession{};
  ReleaseCapture();
  if (auto* self = dynamic_cast<TWinControl*>(this)) ApplyCursor(WidgetIfAllocated(self), crDefault);
  if (Drop && drag.Started && drag.Target && drag.Accepted) {
    const TPoint p = drag.Target->ScreenToClient(drag.Last);
    drag.Target->DragDrop(this, p.x, p.y);
  }
}

bool TControl::DragMessage(const TMessage& Message, int X, int Y) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: DragMoveTo(ClientToScreen(TPoint{X, Y})); return true;
    case WM_LBUTTONUP:
      // A release before the drag started is a plain click.
      if (!gDrag.Started) {
        gDrag = TDragSession{};
        return false;
      }
      DragMoveTo(ClientToScreen(TPoint{X, Y}));
      EndDrag(true);
      return true;
    default: return false;
  }
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = static_cast<bool>(OnDragOver);
  Fire(OnDragOver, this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) { Fire(OnDragDrop, this, Source, X, Y); }

// ---------------------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // Whoever hears of the window's end knows the control goes with it.
  Destroying();
  // Children outlive their parent's window only as windowless controls; Qt must not delete their widgets.
  // A copy: each child leaves controls_ as it is unparented.
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) {
    if (auto* win = dynamic_cast<TWinControl*>(child)) win->DestroyWidget();
    child->TControl::SetParent(nullptr);
  }
  controls_.clear();
  DestroyWidget();
}

QWidget* WidgetOf(TWinControl* Control) {
  if (Control->widget_) return Control->widget_.get();
  QWidget* parentWidget = Control->Parent() ? WidgetOf(Control->Parent()) : nullptr;
  // A parent that had no window yet made its children's windows with its own, this one's too.
  if (Control->widget_) return Control->widget_.get();
  Control->widget_ = Control->CreateWidget(parentWidget);
  ControlsByWidget()[Control->widget_.get()] = Control;
  Control->CreateWnd();
  Control->ApplyStateToWidget();
  // The children's windows come with their parent's, so a form shows its controls when it appears.
  for (TControl* child : Control->controls_)
    if (auto* win = dynamic_cast<TWinControl*>(child)) WidgetOf(win);
  return Control->widget_.get();
}

QWidget* WidgetIfAllocated(const TWinControl* Control) { return Control->widget_.get(); }

HWND TWinControl::Handle() { return reinterpret_cast<HWND>(WidgetOf(this)); }
void TWinControl::HandleNeeded() { WidgetOf(this); }

void TWinControl::SetWindowCursor(TCursor Cursor) { ApplyCursor(WidgetOf(this), Cursor); }

LRESULT TWinControl::OwnWindowProc(HWND, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WndProc(message);
  return message.Result;
}

WNDPROC TWinControl::WindowProcedure() {
  if (!widget_) return nullptr;
  return windowProc_ ? windowProc_ : WNDPROC(this, &TWinControl::OwnWindowProc);
}

void TWinControl::SetWindowProcedure(const WNDPROC& Procedure) {
  if (!widget_) return;
  windowProc_ = Procedure == WNDPROC(this, &TWinControl::OwnWindowProc) ? WNDPROC() : Procedure;
  windowProcReplaced_ = static_cast<bool>(windowProc_);
}

TWinControl* TWinControl::FindControl(HWND Handle) {
  const auto& map = ControlsByWidget();
  auto it = map.find(reinterpret_cast<const QWidget*>(Handle));
  return it == map.end() ? nullptr : it->second;
}

TWinControl* ControlOfWidget(QWidget* w) {
  for (; w; w = w->parentWidget())
    if (TWinControl* c = TWinControl::FindControl(reinterpret_cast<HWND>(w))) return c;
  return nullptr;
}

std::unique_ptr<QWidget> MakeBridgeWidget(TWinControl* Control, QWidget* ParentWidget) {
  return std::make_unique<TWidgetBridge>(Control, ParentWidget);
}

std::unique_ptr<QWidget> TWinControl::CreateWidget(QWidget* ParentWidget) { return MakeBridgeWidget(this, ParentWidget); }

void TWinControl::CreateWnd() {}
void TWinControl::DestroyWnd() {}

void TWinControl::ApplyStateToWidget() {
  QWidget* w = widget_.get();
  if (w->isWindow())
    w->resize(std::max(Width(), 1), std::max(Height(), 1));
  else
    w->setGeometry(Left(), Top(), Width(), Height());
  w->setEnabled(Enabled());
  // The tooltip is the short hint: the part before "|" (the status line shows the part after it).
  if (!Hint.empty()) w->setToolTip(QString::fromStdString(AnsiToUtf8(Hint.substr(0, Hint.find('|')))));
  // A tab stop takes the keyboard, by click and by Tab; a Qt widget would otherwise never get it.
  if (TabStop && w->focusPolicy() == Qt::NoFocus) w->setFocusPolicy(Qt::StrongFocus);
  if (!w->isWindow()) w->setVisible(Visible());
}

void TWinControl::DestroyWidget() {
  if (!widget_) return;
  // A replaced procedure hears of the window's end, so it can let go of it.
  if (windowProcReplaced_) Perform(WM_DESTROY);
  windowProc_ = nullptr;
  windowProcReplaced_ = false;
  for (TControl* child : controls_)
    if (auto* win = dynamic_cast<TWinControl*>(child)) win->DestroyWidget();
  DestroyWnd();
  ControlsByWidget().erase(widget_.get());
  widget_.reset();
}

void TWinControl::RecreateWnd() {
  if (!widget_) return;
  std::vector<TWinControl*> allocated;
  for (TControl* child : controls_)
    if (auto* win = dynamic_cast<TWinControl*>(child); win && win->HandleAllocated()) allocated.push_back(win);
  const bool shown = widget_->isVisible();
  DestroyWidget();
  QWidget* w = WidgetOf(this);
  for (TWinControl* child : allocated) WidgetOf(child);
  if (shown) w->show();
}

void TWinControl::InsertControl(TControl* AControl) {
  controls_.push_back(AControl);
  AControl->parent_ = this;
  if (auto* win = dynamic_cast<TWinControl*>(AControl); win && win->widget_) {
    win->widget_->setParent(WidgetOf(this));
    win->ApplyStateToWidget();
  } else if (win && widget_) {
    WidgetOf(win);  // a child of a window that exists gets its own at once, so it shows with it
  }
  Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto it = std::find(controls_.begin(), controls_.end(), AControl);
  if (it == controls_.end()) return;
  controls_.erase(it);
  AControl->parent_ = nullptr;
  if (auto* win = dynamic_cast<TWinControl*>(AControl); win && win->widget_) {
    win->widget_->hide();
    win->widget_->setParent(nullptr);
  }
  Realign();
}

void TWinControl::SetFocus() {
  if (QWidget* w = WidgetOf(this)) w->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const { return widget_ && widget_->hasFocus(); }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::BoundsChanged() {
  if (widget_) widget_->setGeometry(Left(), Top(), Width(), Height());
  Realign();
}

void TWinControl::VisibleChanged() {
  if (widget_) widget_->setVisible(Visible());
}

void TWinControl::EnabledChanged() {
  if (widget_) widget_->setEnabled(Enabled());
}

void TWinControl::TextChanged() {
  if (widget_ && widget_->isWindow()) widget_->setWindowTitle(QString::fromStdString(AnsiToUtf8(Caption())));
}

void TWinControl::Invalidate() {
  if (widget_) widget_->update();
}

void TWinControl::InvalidateRect(const TRect& R) {
  if (widget_ && !R.IsEmpty()) widget_->update(QRect(R.Left, R.Top, R.Width(), R.Height()));
}

void TWinControl::Update() {
  if (widget_ && widget_->isVisible()) widget_->repaint();
}

TPoint TWinControl::ScreenToClient(TPoint Point) const {
  if (!widget_) return TControl::ScreenToClient(Point);
  const QPoint p = widget_->mapFromGlobal(QPoint(Point.x, Point.y));
  return TPoint{p.x(), p.y()};
}

TPoint TWinControl::ClientToScreen(TPoint Point) const {
  if (!widget_) return TControl::ClientToScreen(Point);
  const QPoint p = widget_->mapToGlobal(QPoint(Point.x, Point.y));
  return TPoint{p.x(), p.y()};
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(Message.WParam);
      KeyDown(key, KeyDataToShiftState(Message.LParam));
      Message.Result = key != 0;  // 0: the control took the key
      return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(Message.WParam);
      KeyUp(key, KeyDataToShiftState(Message.LParam));
      return;
    }
    case WM_CHAR: {
      char c = static_cast<char>(Message.WParam);
      KeyPress(c);
      return;
    }
    case WM_SETFOCUS: DoEnter(); return;
    case WM_KILLFOCUS: DoExit(); return;
    default: TControl::WndProc(Message);
  }
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) { Fire(OnKeyDown, this, Key, Shift); }
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) { Fire(OnKeyUp, this, Key, Shift); }
void TWinControl::KeyPress(char& Key) { Fire(OnKeyPress, this, Key); }
void TWinControl::DoEnter() { Fire(OnEnter, this); }
void TWinControl::DoExit() { Fire(OnExit, this); }

void TWinControl::Realign() {
  if (aligning_) return;
  aligning_ = true;
  TRect rect = ClientRect();
  AlignControls(rect);
  aligning_ = false;
}

void TWinControl::AlignControls(TRect& R) {
  auto place = [&](TAlign kind) {
    std::vector<TControl*> group;
    for (TControl* c : controls_)
      if (c->Visible() && c->Align() == kind) group.push_back(c);
    std::stable_sort(group.begin(), group.end(), [kind](TControl* a, TControl* b) {
      switch (kind) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    for (TControl* c : group) {
      switch (kind) {
        case alTop:
          c->SetBounds(R.Left, R.Top, R.Width(), c->Height());
          R.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(R.Left, R.Bottom - c->Height(), R.Width(), c->Height());
          R.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(R.Left, R.Top, c->Width(), R.Height());
          R.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(R.Right - c->Width(), R.Top, c->Width(), R.Height());
          R.Right -= c->Width();
          break;
        case alClient: c->SetBounds(R.Left, R.Top, std::max(R.Width(), 0), std::max(R.Height(), 0)); break;
        default: break;
      }
    }
  };
  for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) place(kind);
}
