// The editor and the mouse: placing the caret, selecting (also past the window's edges), selecting a
// word, dragging the selection to move or copy it; the clipboard; files dropped from the desktop; text
// from the input method, and typed or pasted characters the code page lacks; the cursor shape over the
// gutter and the selection.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "editctl/qzCustomEdit.h"
#include "editctl/qzSupportClasses.h"
#include "editctl/qzUndoList.h"
#include "vcl/Application.h"
#include "vcl/Clipbrd.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "win/DropFiles.h"
#include "win/Gdi.h"
#include "win/Imm.h"
#include "win/WinUser.h"

namespace {

// Registered once, when the program starts.
const UINT BlockFormat = RegisterClipboardFormat("qzEdit Control Block Type");

const char* const kCopyFailed = "Clipboard copy operation failed";
const char* const kPasteFailed = "Clipboard paste operation failed.";

// Auto-scrolling: pixels outside the window beyond which a step goes a page (or 8 columns), and
// beyond which steps follow each other without a pause.
constexpr int kFarOutside = 9;
constexpr int kRunOutside = 41;
constexpr unsigned kStepPause = 100;  // milliseconds
constexpr unsigned kNoPause = 1;

bool OnlyRightButton(TShiftState Shift) { return !Shift.Contains(ssLeft) && !Shift.Contains(ssMiddle); }

// Positions compared as one index, line by line, as wide as the window.
int LinearIndex(TPoint P, int Width) { return P.y * Width + P.x; }

}  // namespace

// ===================================================================================================
// Clipboard

void TqzCustomEdit::CopyToClipboard() {
  if (!SelectionAvailable()) return;
  // The block is the mode byte, the text and a NUL; the plain text is the same bytes after the mode
  // byte, so both formats share one buffer.
  std::string bytes(1, static_cast<char>(selectionMode_));
  AppendSelText(bytes);
  bytes += '\0';
  const auto block = std::make_shared<const std::string>(std::move(bytes));
  bool failed = false;
  Clipboard()->Open();
  try {
    Clipboard()->Clear();
    Clipboard()->SetFormatData(CF_TEXT, block, 1);
    Clipboard()->SetFormatData(BlockFormat, block, 0);
  } catch (const Exception&) {
    failed = true;
  }
  try {
    Clipboard()->Close();  // hands the formats over
  } catch (const Exception&) {
    failed = true;
  }
  if (failed) throw EqzEditError(kCopyFailed);
}

void TqzCustomEdit::CutToClipboard() {
  if (!SelectionAvailable()) return;
  CopyToClipboard();
  BeginUpdate();
  const TUpdateGuard release(this);
  RecordSelectionDeletion(ukDelete);
  LockUndo();
  const TScopeGuard unlock([this] { UnlockUndo(); });
  SetSelTextPrimitive(selectionMode_, "");
}

bool TqzCustomEdit::CanPaste() const {
  return Clipboard()->HasFormat(CF_TEXT) || Clipboard()->HasFormat(BlockFormat);
}

void TqzCustomEdit::PasteFromClipboard() {
  TUnmappedChars unmapped;
  if (Clipboard()->HasFormat(BlockFormat)) {
    const TClipboard::TBytes block = Clipboard()->GetFormatBytes(BlockFormat);  // a whole file is not copied
    PasteBlock(block.Data);
  } else if (Clipboard()->HasFormat(CF_TEXT)) {
    PasteText(Clipboard()->AsText(unmapped));
  }
  StatusChanged(TqzStatusChanges{qzscSelection});
  if (unmapped.Count > 0) UnmappedChars(unmapped, true);
}

// The block keeps the mode it was copied in.
void TqzCustomEdit::PasteBlock(std::string_view Data) {
  if (Data.empty()) throw EqzEditError(kPasteFailed);
  BeginUpdate();
  const TUpdateGuard release(this);
  const TPoint start = InsertionPoint();  // where the text goes once the selection is gone
  if (SelectionAvailable()) RecordSelectionDeletion(ukReplaceDelete);
  const auto mode = static_cast<TSelectionMode>(std::clamp<int>(static_cast<unsigned char>(Data[0]), smNormal, smLine));
  // The text follows the mode byte, up to its NUL.
  std::string_view text = Data.substr(1);
  text = text.substr(0, text.find('\0'));
  {
    LockUndo();
    const TScopeGuard unlock([this] { UnlockUndo(); });
    SetSelTextPrimitive(mode, text);
  }
  const TPoint end = CaretXY();
  if (mode != smLine)
    undoList_->AddChange(ukPaste, start, end, "", mode);
  else if (end.x == 1)
    undoList_->AddChange(ukPaste, TPoint{1, start.y}, TPoint{charsInWindow_, end.y - 1}, "", smLine);
  else
    undoList_->AddChange(ukPaste, TPoint{1, start.y}, end, "", smNormal);
  // Below the block's lower left corner, where the next column would go.
  if (mode == smColumn) SetCaretXY(TPoint{std::min(start.x, end.x), std::max(start.y, end.y) + 1});
  SetBlockBegin(CaretXY());
  EnsureCaretVisible();
}

// Text from another program goes in as a stream, whatever the selection mode.
void TqzCustomEdit::PasteText(const std::string& Text) {
  // An empty text would only delete the selection.
  if (Text.empty()) return;
  BeginUpdate();
  const TUpdateGuard release(this);
  const TPoint start = InsertionPoint();  // where the text goes once the selection is gone
  if (SelectionAvailable()) RecordSelectionDeletion(ukReplaceDelete);
  {
    LockUndo();
    const TScopeGuard unlock([this] { UnlockUndo(); });
    SetSelTextPrimitive(smNormal, Text);
  }
  undoList_->AddChange(ukPaste, start, CaretXY(), "", smNormal);
  SetBlockBegin(CaretXY());
  EnsureCaretVisible();
}

// ===================================================================================================
// Mouse

TRect TqzCustomEdit::TextArea() const { return TRect{gutterWidth_ + 2, 0, ClientWidth(), ClientHeight()}; }

void TqzCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // The popup menu acts on the selection, so a right click keeps it.
  if (Button == mbRight && OnlyRightButton(Shift) && PopupMenu() && SelectionAvailable()) return;
  const bool hadSelection = SelectionAvailable();
  if (Button == mbLeft) {
    if (Shift.Contains(ssDouble)) {
      DblClick(X, Y);
      return;
    }
    if (hadSelection) {
      mouseDownPos_ = BlockBegin();
      dragPos_ = BlockEnd();
    }
    mouseDownX_ = X;
    mouseDownY_ = Y;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
  SetCaretXY(PixelsToRowColumn(TPoint{X, Y}));
  if (Button == mbLeft) {
    SetCapture(Handle());
    dragPending_ = hadSelection && options_.Contains(qzeoDragDropEditing) && IsPointInSelection(CaretXY()) &&
                   X >= gutterWidth_ + 2;
    if (!dragPending_ && !wordSelected_) {
      if (Shift.Contains(ssShift))
        SetBlockEnd(CaretXY());
      else
        SetBlockBegin(CaretXY());
    }
  }
  gutterPress_ = X < gutterWidth_;
  SetFocus();
}

void TqzCustomEdit::DblClick(int X, int /*Y*/) {
  if (X < gutterWidth_ + 2) return;
  SelectWordAt(CaretXY());
  wordSelected_ = true;
  ReleaseCapture();
}

void TqzCustomEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  mousePoint_ = TPoint{X, Y};
  const bool captured = GetCapture() == Handle();
  if (captured && dragPending_ && !ReadOnly()) {
    if (std::abs(X - mouseDownX_) >= GetSystemMetrics(SM_CXDRAG) ||
        std::abs(Y - mouseDownY_) >= GetSystemMetrics(SM_CYDRAG)) {
      dragPending_ = false;
      BeginDrag(false);
    }
    return;
  }
  // Back inside, the selection follows the pointer again.
  if (autoScrolling_ && TextArea().Contains(mousePoint_)) StopAutoScroll();
  if (!autoScrolling_ && Shift.Contains(ssLeft) && captured) SelectByMouse(X, Y);
}

void TqzCustomEdit::SelectByMouse(int X, int Y) {
  if (TextArea().Contains(TPoint{X, Y})) {
    SetCaretXY(PixelsToRowColumn(TPoint{X, Y}));
    SetBlockEnd(CaretXY());
    return;
  }
  // Outside the text area the text scrolls towards the pointer: one step now, the next ones by the
  // timer for as long as the button is held out there.
  autoScrolling_ = true;
  if (!autoScrollTimer_) {
    autoScrollTimer_ = new TTimer(this);
    autoScrollTimer_->OnTimer = TNotifyEvent(this, &TqzCustomEdit::AutoScrollTimer);
  }
  AutoScrollStep();
}

void TqzCustomEdit::AutoScrollTimer(TObject*) {
  if (GetCapture() != Handle() || TextArea().Contains(mousePoint_)) {
    StopAutoScroll();
    return;
  }
  AutoScrollStep();
}

void TqzCustomEdit::AutoScrollStep() {
  const TRect area = TextArea();
  const TPoint p = mousePoint_;
  {
    BeginUpdate();
    const TUpdateGuard release(this);
    TPoint target = PixelsToRowColumn(TPoint{std::clamp(p.x, area.Left, std::max(area.Left, area.Right - 1)),
                                             std::clamp(p.y, 0, std::max(0, area.Bottom - 1))});
    if (p.x < area.Left) {
      SetLeftColumn(leftChar_ - (area.Left - p.x > kFarOutside ? 8 : 1));
      target.x = leftChar_;
    } else if (p.x >= area.Right) {
      SetLeftColumn(leftChar_ + (p.x - area.Right > kFarOutside ? 8 : 1));
      target.x = leftChar_ + charsInWindow_;
    }
    if (p.y < 0) {
      SetTopLine(topLine_ - (-p.y > kFarOutside ? linesInWindow_ : 1));
      target.y = topLine_;
    } else if (p.y >= area.Bottom) {
      SetTopLine(topLine_ + (p.y - area.Bottom > kFarOutside - 1 ? linesInWindow_ : 1));
      target.y = topLine_ + linesInWindow_ - 1;
    }
    SetCaretXY(target);
    SetBlockEnd(CaretXY());
  }
  Update();
  const int outside = std::max({area.Left - p.x, p.x - area.Right, -p.y, p.y - area.Bottom});
  autoScrollTimer_->SetInterval(outside > kRunOutside ? kNoPause : kStepPause);
  autoScrollTimer_->SetEnabled(true);
}

void TqzCustomEdit::StopAutoScroll() {
  autoScrolling_ = false;
  if (autoScrollTimer_) autoScrollTimer_->SetEnabled(false);
}

void TqzCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbRight && OnlyRightButton(Shift) && PopupMenu()) return;
  ReleaseCapture();
  StopAutoScroll();
  if (gutterPress_ && X < gutterWidth_) {
    DoOnGutterClick(X, Y);
  } else if (dragPending_ && !wordSelected_) {
    // A plain click on the selection (no drag followed) places the caret there.
    SetCaretXY(PixelsToRowColumn(TPoint{X, Y}));
    SetBlockBegin(CaretXY());
    dragPending_ = false;
  }
  wordSelected_ = false;
  gutterPress_ = false;
}

// ===================================================================================================
// Dragging the selection

void TqzCustomEdit::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  TCustomControl::DragOver(Source, X, Y, State, Accept);
  if (Source != this) return;
  Accept = true;
  DragCursor = GetKeyState(VK_CONTROL) < 0 ? crMultiDrag : crDrag;
  if (State == dsDragLeave)
    SetCaretXY(PixelsToRowColumn(TPoint{mouseDownX_, mouseDownY_}));
  else
    SetCaretXY(PixelsToRowColumn(TPoint{X, Y}));
}

// Where a moved text lands once the selection is gone: after it on its end line the place moves left
// with the text that followed the selection, and lines the selection took away above it are gone.
TPoint TqzCustomEdit::DropPosition(TPoint Drop) const {
  const TPoint from = mouseDownPos_;
  const TPoint to = dragPos_;
  switch (selectionMode_) {
    case smNormal:
      // Before the selection on that line (one-line selections only) nothing in front of it goes.
      if (Drop.y == to.y && Drop.x >= to.x) return TPoint{from.x + Drop.x - to.x, from.y};
      return Drop.y > to.y ? TPoint{Drop.x, Drop.y - (to.y - from.y)} : Drop;
    case smColumn: {
      const int left = std::min(from.x, to.x);
      const int right = std::max(from.x, to.x);
      if (Drop.y >= from.y && Drop.y <= to.y && Drop.x >= right) return TPoint{Drop.x - (right - left), Drop.y};
      return Drop;
    }
    case smLine: return Drop.y > to.y ? TPoint{Drop.x, Drop.y - (to.y - from.y + 1)} : Drop;
  }
  return Drop;
}

void TqzCustomEdit::DragDrop(TObject* Source, int X, int Y) {
  if (ReadOnly()) return;
  BeginUpdate();
  const TUpdateGuard release(this);
  const TScopeGuard unlock([this] { UnlockUndo(); });
  TCustomControl::DragDrop(Source, X, Y);
  if (Source != this || !SelectionAvailable()) return;
  SetCaretXY(PixelsToRowColumn(TPoint{X, Y}));
  const std::string text = SelText();
  TPoint drop = CaretXY();
  const int width = std::max(charsInWindow_, 1);
  const int at = LinearIndex(drop, width);
  if (at >= LinearIndex(mouseDownPos_, width) && at <= LinearIndex(dragPos_, width)) return;
  if (GetKeyState(VK_CONTROL) >= 0) {
    drop = DropPosition(drop);
    RecordSelectionDeletion(ukDropDelete);
    LockUndo();
    SetSelTextPrimitive(selectionMode_, "");
    UnlockUndo();
  }
  SetCaretXY(drop);
  SetBlockBegin(CaretXY());
  LockUndo();
  SetSelText(text);
  UnlockUndo();
  undoList_->AddChange(ukDropInsert, drop, CaretXY(), "", selectionMode_);
}

// ===================================================================================================
// Dropped files, the input method and the cursor

bool TqzCustomEdit::MouseMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DROPFILES: WMDropFiles(Message); return true;
    case WM_IME_COMPOSITION: WMImeComposition(Message); return true;
    case CM_UNMAPPEDCHARS: CMUnmappedChars(Message); return true;
    case WM_IME_NOTIFY: WMImeNotify(Message); return true;
    case WM_SETCURSOR: WMSetCursor(Message); return true;
    default: return false;
  }
}

void TqzCustomEdit::WMDropFiles(TMessage& Message) {
  const auto drop = reinterpret_cast<HDROP>(Message.WParam);
  const TScopeGuard finish([drop] { DragFinish(drop); });
  Message.Result = 0;
  if (!OnDropFiles) return;
  TStringList files;
  const UINT count = DragQueryFile(drop, kDragQueryCount, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Each name whole, however long the path.
    std::string name(DragQueryFile(drop, i, nullptr, 0) + 1, '\0');
    name.resize(DragQueryFile(drop, i, name.data(), static_cast<UINT>(name.size())));
    files.Add(name);
  }
  TPoint point;
  DragQueryPoint(drop, &point);
  OnDropFiles(this, point.x, point.y, &files);
}

void TqzCustomEdit::WMImeComposition(TMessage& Message) {
  if (Message.LParam & GCS_RESULTSTR) {
    const HWND window = Handle();
    const HIMC context = ImmGetContext(window);
    const TScopeGuard releaseContext([window, context] { ImmReleaseContext(window, context); });
    const LONG length = ImmGetCompositionString(context, GCS_RESULTSTR, nullptr, 0);
    if (length > 0) {
      std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
      ImmGetCompositionString(context, GCS_RESULTSTR, buffer.data(), static_cast<DWORD>(length));
      imeCount_ = length;
      ExecuteCommand(ecImeStr, '\0', buffer.data());
    }
  }
  TCustomControl::WndProc(Message);
}

// Typed or composed characters the code page lacks are refused aloud where the editor would have taken
// them: a read-only editor takes none.
void TqzCustomEdit::CMUnmappedChars(TMessage& Message) {
  if (ReadOnly()) return;
  TUnmappedChars chars;
  chars.Count = static_cast<std::size_t>(Message.WParam);
  chars.First = static_cast<char32_t>(Message.LParam);
  UnmappedChars(chars, false);
}

void TqzCustomEdit::UnmappedChars(const TUnmappedChars& Chars, bool Replaced) {
  MessageBeep(0);
  untoldChars_.Add(Chars);
  untoldReplaced_ = Replaced;
  if (updateLock_ == 0) TellUnmappedChars();
}

void TqzCustomEdit::TellUnmappedChars() {
  const TUnmappedChars chars = untoldChars_;
  untoldChars_ = TUnmappedChars{};
  Fire(OnUnmappedChars, this, chars, untoldReplaced_);
}

// The input method composes in the editor's font.
void TqzCustomEdit::WMImeNotify(TMessage& Message) {
  if (Message.WParam == IMN_SETOPENSTATUS) {
    const HWND window = Handle();
    const HIMC context = ImmGetContext(window);
    const TScopeGuard releaseContext([window, context] { ImmReleaseContext(window, context); });
    const LOGFONTA font = LogFontOf(*Font());
    ImmSetCompositionFontA(context, &font);
  }
  TCustomControl::WndProc(Message);
}

// Over the gutter its own cursor, over a selection that can be dragged the arrow, else the I-beam.
void TqzCustomEdit::WMSetCursor(TMessage& Message) {
  TPoint p;
  GetCursorPos(&p);
  p = ScreenToClient(p);
  TCursor cursor = crIBeam;
  if (p.x < gutterWidth_) {
    cursor = static_cast<TCursor>(gutter_->Cursor());
  } else if (options_.Contains(qzeoDragDropEditing) && charWidth_ > 0 && lineHeight_ > 0) {
    const TPoint at{(leftChar_ * charWidth_ + p.x - gutterWidth_ - 2) / charWidth_, topLine_ + p.y / lineHeight_};
    if (IsPointInSelection(at)) cursor = crDefault;
  }
  SetWindowCursor(cursor);
  Message.Result = 1;
}
