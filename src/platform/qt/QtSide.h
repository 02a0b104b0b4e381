#pragma once
// The Qt side of the layer's classes: what the layer's own sources reach of them, and the tests, which
// deliver real Qt events to the widgets. The code above the layer sees only the classes themselves.
// Each part is defined in the unit of the class it belongs to.
#include <memory>
#include <string>

#include "vcl/Controls.h"
#include "vcl/ImgList.h"
#include "vcl/Menus.h"
#include "vcl/Printers.h"
#include "win/Gdi.h"
#include "win/WinUser.h"

class QAction;
class QCursor;
class QFont;
class QIcon;
class QImage;
class QKeyEvent;
class QMenu;
class QPainter;
class QPixmap;
class QPrinter;
class QWidget;
struct TUnmappedChars;

// The control's widget, created (with its parents') on first use.
QWidget* WidgetOf(TWinControl* Control);
// The widget while the control has one, else nullptr.
QWidget* WidgetIfAllocated(const TWinControl* Control);
// The control whose widget is w, or the nearest one above it.
TWinControl* ControlOfWidget(QWidget* w);
// The widget a control has unless its class makes another: it carries its Qt events to the control as
// window messages.
std::unique_ptr<QWidget> MakeBridgeWidget(TWinControl* Control, QWidget* ParentWidget);

// The virtual key of a Qt key event, 0 when it has none (menus look their short-cuts up with it).
WORD VirtualKeyOf(const QKeyEvent* Event);
// A key event as its messages carry it: notes the modifiers for GetKeyState and returns the key data
// (LParam) of its key-down and character messages.
LPARAM TakeKeyEvent(const QKeyEvent* Event);
// The characters a key types, in the ANSI code page; Ctrl with a letter types its control code, as the
// system does, and characters the code page lacks are not typed (they are counted in Unmapped).
std::string TypedAnsiChars(const QKeyEvent* Event, WORD VirtualKey, TUnmappedChars& Unmapped);

// Shows a cursor of the screen's table over a widget (controls use it for their Cursor property).
void ApplyCursor(QWidget* Widget, TCursor Cursor);
// The Qt cursor behind a handle (the layer's widgets show it); null for no cursor.
const QCursor* CursorOfHandle(HCURSOR cursor);
// The window that WM_SETCURSOR is sent to for as long as the scope lives.
class TCursorWindowScope {
 public:
  explicit TCursorWindowScope(QWidget* Window);
  ~TCursorWindowScope();
  TCursorWindowScope(const TCursorWindowScope&) = delete;
  TCursorWindowScope& operator=(const TCursorWindowScope&) = delete;

 private:
  QWidget* previous_;
};

// An image of the list scaled to the list's size; a null one for an index out of range.
QPixmap ImagePixmap(const TImageList& List, int Index);
QIcon ImageIcon(const TImageList& List, int Index);

// A menu item's action, and its submenu while it has children.
QAction* ActionOf(TMenuItem* Item);
QMenu* SubMenuOf(TMenuItem* Item);

// The printer's Qt printer, which the set-up dialog edits in place.
QPrinter* QtPrinterOf(const TPrinter& Printer);

// Has a painter context draw through a painter the caller holds (a widget's paint event).
void SetPainterOf(TPainterDC& Context, QPainter* Painter);
// An image context over a copy of image, and the image an image context draws into.
TImageDC ImageDCOf(const QImage& Image);
const QImage& ImageOf(const TImageDC& Context);
// The Qt font a LOGFONT draws with (the font handles made from it draw with the same).
QFont ResolvedFont(const LOGFONTA& logFont);
