#pragma once
// Controls of the class library over Qt widgets. A windowed control owns one QWidget, created on demand;
// the widget's Qt events arrive at the control as window messages through WndProc, and anyone may send
// a message with Perform, so a control can be driven without a display.
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Graphics.h"
#include "vcl/Messages.h"

class QWidget;
class TWinControl;
class TPopupMenu;
class TWidgetBridge;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TBorderStyle { bsNone, bsSingle };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
inline constexpr TShiftStateItem ssShift = TShiftStateItem::ssShift;
inline constexpr TShiftStateItem ssAlt = TShiftStateItem::ssAlt;
inline constexpr TShiftStateItem ssCtrl = TShiftStateItem::ssCtrl;
inline constexpr TShiftStateItem ssLeft = TShiftStateItem::ssLeft;
inline constexpr TShiftStateItem ssRight = TShiftStateItem::ssRight;
inline constexpr TShiftStateItem ssMiddle = TShiftStateItem::ssMiddle;
inline constexpr TShiftStateItem ssDouble = TShiftStateItem::ssDouble;

using TKeyEvent = TEvent<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;
using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// Dragging a control with the mouse onto a control of the program (not the desktop's drag and drop).
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TDragOverEvent =
    TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TCursor = short;  // the cursor numbers of the screen's table (Forms.h)

// The shift state held in a key message's LParam (Alt) and the keyboard right now (Shift, Ctrl).
TShiftState KeyDataToShiftState(LPARAM KeyData);
// The mouse-key flags of a mouse message as a shift state.
TShiftState KeysToShiftState(WPARAM Keys);
// Bit 15 set when the key is down now (Shift, Ctrl, Alt and the mouse buttons are known).
short GetKeyState(int VirtualKey);

// A cursor number: 0 the default, negative numbers the standard shapes, others registered by the program.
using TCursor = short;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
  void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
  void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
  void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }
  TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
  virtual void SetClientSize(int AWidth, int AHeight);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool Value);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign Value);

  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& Value);
  const std::string& Text() const { return caption_; }
  void SetText(const std::string& Value) { SetCaption(Value); }

  std::string Hint;
  bool ShowHint = false;
  bool ParentShowHint = true;

  TColor Color() const { return color_; }
  virtual void SetColor(TColor Value);
  bool ParentColor = true;
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  bool ParentFont = true;

  TPopupMenu* PopupMenu() const { return popupMenu_; }
  // The mouse cursor over the control, applied when its window is asked (WM_SETCURSOR).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value) { cursor_ = Value; }
  void SetPopupMenu(TPopupMenu* Value);

  // Sends a message straight to the window procedure and returns its result.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  virtual void Click();
  // The client point of a screen point and back.
  virtual TPoint ScreenToClient(TPoint Point) const;
  virtual TPoint ClientToScreen(TPoint Point) const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Starts dragging this control while the left button is held: at once, or once the pointer has
  // moved Threshold pixels (negative: Mouse->DragThreshold) from the last mouse event. Until the
  // release, the control's mouse moves go to the control under the pointer as DragOver and the
  // release, where a DragOver accepted, as DragDrop; the capture ends with the drag.
  void BeginDrag(bool Immediate, int Threshold = -1);
  // Drop: the control under the pointer gets DragDrop when it accepted.
  void EndDrag(bool Drop);
  bool Dragging() const;
  // Shown while a drag of this control is accepted (crDrag by default; crNoDrop elsewhere).
  TCursor DragCursor = -12;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;

 protected:
  // Accept starts true when OnDragOver is assigned, which then decides.
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);
  virtual void Resize();
  virtual void FontChanged();
  virtual void BoundsChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void TextChanged();
  virtual void ColorChanged();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  // Stores new bounds without touching a widget (the widget reported them itself).
  void UpdateBoundsFromWindow(int ALeft, int ATop, int AWidth, int AHeight);

 private:
  friend class TWinControl;  // keeps the parent link of its children
  void OnFontChange(TObject* Sender);
  // Takes new bounds; true when the size changed.
  bool StoreBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // Tells the window procedure and the OnResize handler of a new size.
  void SizeChanged();
  // A mouse message of the control being dragged; true when the drag took it.
  bool DragMessage(const TMessage& Message, int X, int Y);
  void DragMoveTo(TPoint Screen);
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TAlign align_ = alNone;
  std::string caption_;
  TColor color_ = clWindow;
  std::unique_ptr<TFont> font_;
  TPopupMenu* popupMenu_ = nullptr;
  TCursor cursor_ = 0;
  bool windowProcReplaced_ = false;  // Perform goes through the window's replaced procedure
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  bool HandleAllocated() const { return widget_ != nullptr; }
  HWND Handle();
  void HandleNeeded();
  // Throws the widget away and makes a new one (a style only a new window can take).
  virtual void RecreateWnd();
  // The control behind a handle, or nullptr.
  static TWinControl* FindControl(HWND Handle);
  // The procedure the control's window starts with: it runs WndProc.
  LRESULT OwnWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  // The window's procedure (GetWindowProc and SetWindowProc work through these).
  WNDPROC WindowProcedure();
  void SetWindowProcedure(const WNDPROC& Procedure);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int Index) const { return controls_.at(static_cast<size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  // Shows a cursor of the screen's table over the control's window at once (crDefault: the window's
  // own): for a stock window, which is asked no WM_SETCURSOR, and for a WM_SETCURSOR handler.
  void SetWindowCursor(TCursor Cursor);

  virtual void SetFocus();
  bool Focused() const;
  virtual bool CanFocus() const;
  int TabOrder = -1;
  bool TabStop = false;

  void Invalidate() override;
  void Update() override;
  // Marks a part of the client area for repainting.
  void InvalidateRect(const TRect& Rect);
  TPoint ScreenToClient(TPoint Point) const override;
  TPoint ClientToScreen(TPoint Point) const override;
  // Lays the aligned children out in the client area again.
  void Realign();
  // True while the widget's own paint event runs; its rectangle is the area to paint.
  bool InPaintEvent() const { return inPaintEvent_; }
  TRect PaintEventRect() const { return paintEventRect_; }

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  // Runs once the widget exists: copies the control's state onto it.
  virtual void CreateWnd();
  // Runs before the widget goes.
  virtual void DestroyWnd();
  void WndProc(TMessage& Message) override;
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();
  virtual void AlignControls(TRect& Rect);
  void BoundsChanged() override;
  void VisibleChanged() override;
  void TextChanged() override;
  void EnabledChanged() override;

 private:
  friend class TWidgetBridge;
  friend QWidget* WidgetOf(TWinControl* Control);
  friend QWidget* WidgetIfAllocated(const TWinControl* Control);
  // Makes the widget under the parent's widget (nullptr for a top-level window).
  virtual std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget);
  void ApplyStateToWidget();
  void DestroyWidget();
  std::unique_ptr<QWidget> widget_;
  WNDPROC windowProc_;  // empty while the control's own procedure runs
  std::vector<TControl*> controls_;  // not owned: the owner frees them
  bool aligning_ = false;
  bool inPaintEvent_ = false;
  TRect paintEventRect_;
};

// Shows a control's popup menu at a screen point; the menus unit installs it.
using TPopupMenuHandler = void (*)(TPopupMenu* Menu, TControl* Control, int ScreenX, int ScreenY);
void SetPopupMenuHandler(TPopupMenuHandler Handler);

// The mouse object: whether a drag starts at the press, else after moving DragThreshold pixels.
class TMouse {
 public:
  bool DragImmediate = true;
  int DragThreshold = 5;
};
// As `Mouse->DragThreshold`; it lives to the end of the process.
TMouse& TheMouse();
struct TMouseAccess {
  TMouse* operator->() const { return &TheMouse(); }
};
inline constexpr TMouseAccess Mouse{};

// Sets the modifier state GetKeyState reports until the next real input event (for driving controls by
// messages alone).
void SetKeyboardShiftState(TShiftState Shift);
