#include "qzCustomEdit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "highlight/qzHighlighter.h"
#include "qzSupportClasses.h"
#include "qzSupportProcs.h"
#include "qzUndoList.h"
#include "uTextDrawer.h"
#include "vcl/Canvas.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/ImgList.h"
#include "win/Caret.h"
#include "win/CodePage.h"
#include "win/DropFiles.h"
#include "win/Gdi.h"
#include "win/WinUser.h"

namespace {

class TListUpdate {
 public:
  explicit TListUpdate(TStrings* list) : list_(list) { list_->BeginUpdate(); }
  ~TListUpdate() { list_->EndUpdate(); }
  TListUpdate(const TListUpdate&) = delete;
  TListUpdate& operator=(const TListUpdate&) = delete;

 private:
  TStrings* list_;
};

class TLoadLock {
 public:
  explicit TLoadLock(TqzEditList* list) : list_(list) { list_->BeginLoad(); }
  ~TLoadLock() { list_->EndLoad(); }
  TLoadLock(const TLoadLock&) = delete;
  TLoadLock& operator=(const TLoadLock&) = delete;

 private:
  TqzEditList* list_;
};

TqzRangeState RangeOf(TObject* object) { return reinterpret_cast<TqzRangeState>(object); }
TObject* AsObject(TqzRangeState range) { return reinterpret_cast<TObject*>(range); }

// Lines whose states a new text gets at once (far more than a window shows), and lines an idle slice
// scans (a few milliseconds of tokenizing).
constexpr int kRangesScannedAtOnce = 10000;
constexpr int kRangesScannedInASlice = 20000;

int CeilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : 0; }

bool OnlyBlanks(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }

// The line (from 0) that holds the byte at Position, lines cut at CR LF, LF or a lone CR.
int LineAt(std::string_view text, size_t Position) {
  int line = 0;
  for (size_t i = 0; i < Position; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
  }
  return line;
}

// How a text read was written: valid UTF-8 (with or without a byte order mark, which is taken off) is
// converted to the code page, with the line (from 0) of its first character the code page lacks, -1 for
// none; other bytes stay as they are.
struct TDecodedText {
  TTextEncoding encoding = teUtf8;
  bool byteOrderMark = false;
  int lackingLine = -1;
};

TDecodedText DecodeText(TTextBuffer& Text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  TDecodedText decoded;
  if (IsAscii(Text.View())) return decoded;
  if (!IsValidUtf8(Text.View())) return {teCodePage, false, -1};
  size_t start = 0;
  if (Text.View().substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    decoded.byteOrderMark = true;
    start = kByteOrderMark.size();
  }
  size_t firstLacking = 0;
  const size_t size = Utf8ToAnsiInPlace(Text.Data() + start, Text.View().size() - start, firstLacking);
  std::memmove(Text.Data(), Text.Data() + start, size);
  Text.Shrink(size);
  if (firstLacking != std::string::npos) decoded.lackingLine = LineAt(Text.View(), firstLacking);
  return decoded;
}

// Raises ETextTooLong for the first line longer than kMaxLineLength.
void CheckLineLengths(std::string_view text) {
  // Lines cut at LF alone are at least as long as the real ones: when none of them is too long, no line
  // is, and the byte-by-byte walk below is spared.
  bool longPiece = false;
  for (size_t start = 0; start < text.size() && !longPiece;) {
    const size_t end = std::min(text.find('\n', start), text.size());
    longPiece = static_cast<std::int64_t>(end - start) > kMaxLineLength;
    start = end + 1;
  }
  if (!longPiece) return;
  int line = 1;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    if (static_cast<std::int64_t>(i - start) > kMaxLineLength)
      throw ETextTooLong(Format("Line %d is longer than the editor can hold (%lld bytes).", line,
                                static_cast<long long>(kMaxLineLength)));
    if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
    ++line;
  }
}

}  // namespace

// ===================================================================================================
// TqzEditList

int TqzEditList::Add(const std::string& S) {
  TListUpdate update(this);
  const int index = TStringList::Add(S);
  Fire(OnAdded);
  return index;
}

void TqzEditList::AddStrings(TStrings* Strings) {
  TListUpdate update(this);
  for (int i = 0; i < Strings->Count(); ++i) TStringList::Add(Strings->Get(i));
  Fire(OnStringsLoaded);
}

void TqzEditList::Assign(TPersistent* Source) {
  TLoadLock lock(this);
  TStringList::Assign(Source);
}

void TqzEditList::Clear() {
  TListUpdate update(this);
  Fire(OnCleared);
  TStringList::Clear();
  if (loadLock_ == 0 && Count() == 0) Add("");
}

void TqzEditList::Delete(int Index) {
  TListUpdate update(this);
  // The list never loses its last line: deleting it empties it.
  if (Index == 0 && Count() == 1) {
    Fire(OnPutting, 0);
    TStringList::Put(0, "");
  } else {
    Fire(OnDeleting, Index, 1);
    TStringList::Delete(Index);
  }
  Fire(OnDeleted, Index);
}

void TqzEditList::Insert(int Index, const std::string& S) {
  TListUpdate update(this);
  TStringList::Insert(Index, S);
  Fire(OnInserted, Index);
}

int TqzEditList::InsertLines(int Index, std::string_view Text) {
  TListUpdate update(this);
  const int count = TStringList::InsertLines(Index, Text);
  if (count > 0) Fire(OnLinesInserted, Index, count);
  return count;
}

void TqzEditList::DeleteLines(int Index, int Number) {
  if (Number <= 0) return;
  TListUpdate update(this);
  // The list never loses its last line: deleting them all empties the first.
  if (Index == 0 && Number >= Count()) {
    Fire(OnDeleting, 1, Number - 1);
    TStringList::DeleteLines(1, Number - 1);
    Fire(OnPutting, 0);
    TStringList::Put(0, "");
  } else {
    Fire(OnDeleting, Index, Number);
    TStringList::DeleteLines(Index, Number);
  }
  Fire(OnDeleted, Index);
}

void TqzEditList::LoadFromStream(TStream* Stream) {
  if (Stream->Size() - Stream->Position() > kMaxTextLength)
    throw ETextTooLong(Format("The text is longer than the editor can hold (%lld bytes).",
                              static_cast<long long>(kMaxTextLength)));
  TLoadLock lock(this);
  TListUpdate update(this);
  // Read before anything changes, so that a failing stream leaves the list as it was.
  TTextBuffer text = TTextBuffer::ReadFrom(Stream);
  const TDecodedText decoded = DecodeText(text);
  CheckLineLengths(text.View());
  Encoding = decoded.encoding;
  ByteOrderMark = decoded.byteOrderMark;
  lackingLine_ = decoded.lackingLine;
  TakeLineBreaksFrom(text.View());
  if (!OnStringsLoaded) {
    SetText(std::move(text));
    return;
  }
  // One full rescan at the end instead of a scan per added line.
  {
    const TListEvent added = OnAdded;
    OnAdded = nullptr;
    TScopeGuard restore([&] { OnAdded = added; });
    SetText(std::move(text));
  }
  Fire(OnStringsLoaded);
}

void TqzEditList::Put(int Index, const std::string& S) {
  TListUpdate update(this);
  if (Index >= 0 && Index < Count()) Fire(OnPutting, Index);
  TStringList::Put(Index, S);
  Fire(OnPutted, Index);
}

void TqzEditList::SetText(const std::string& Text) { SetText(TTextBuffer(Text)); }

void TqzEditList::SetText(TTextBuffer&& Text) {
  TListUpdate update(this);
  {
    // Without the lock the base's Clear would leave the empty line in front of the new text.
    TLoadLock lock(this);
    TStringList::SetText(std::move(Text));
  }
  // The base list stores the lines without adding them one by one, so the ranges that the after-Add
  // callback would have kept are rebuilt at once (LoadFromStream disconnects it and rescans itself).
  if (OnAdded) Fire(OnStringsLoaded);
  Fire(OnTextSet);
}

void TqzEditList::PutRange(int Index, TObject* AObject) {
  quiet_ = true;
  TScopeGuard loud([this] { quiet_ = false; });
  PutObject(Index, AObject);
}

void TqzEditList::Changed() {
  if (!quiet_) TStringList::Changed();
}

void TqzEditList::Changing() {
  if (!quiet_) TStringList::Changing();
}

void TqzEditList::BeginLoad() { ++loadLock_; }

void TqzEditList::EndLoad() {
  if (loadLock_ <= 0) return;
  if (--loadLock_ == 0 && Count() == 0) Add("");
}

// ===================================================================================================
// TqzCustomEdit: construction

TqzCustomEdit::TqzCustomEdit(TComponent* AOwner)
    : TCustomControl(AOwner), ownFont_(std::make_unique<TFont>()), lines_(std::make_unique<TqzEditList>()) {
  undoList_ = std::make_unique<TUndoList>(this);
  redoList_ = std::make_unique<TUndoList>(this);
  if (!IsDesigning()) lines_->Add("");
  lines_->OnAdded = TqzEditList::TListEvent(this, &TqzCustomEdit::ListAdded);
  lines_->OnCleared = TqzEditList::TListEvent(this, &TqzCustomEdit::ListCleared);
  lines_->OnDeleted = TqzEditList::TIndexEvent(this, &TqzCustomEdit::ListDeleted);
  lines_->OnInserted = TqzEditList::TIndexEvent(this, &TqzCustomEdit::ListInserted);
  lines_->OnDeleting = TqzEditList::TRangeEvent(this, &TqzCustomEdit::ListDeleting);
  lines_->OnPutting = TqzEditList::TIndexEvent(this, &TqzCustomEdit::ListPutting);
  lines_->OnLinesInserted = TqzEditList::TRangeEvent(this, &TqzCustomEdit::ListLinesInserted);
  lines_->OnTextSet = TqzEditList::TListEvent(this, &TqzCustomEdit::ListTextSet);
  lines_->OnPutted = TqzEditList::TIndexEvent(this, &TqzCustomEdit::ListPutted);
  lines_->OnStringsLoaded = TqzEditList::TListEvent(this, &TqzCustomEdit::ListStringsLoaded);

  selectedColor_ = std::make_unique<TqzSelectedColor>();
  selectedColor_->OnChange = TNotifyEvent(this, &TqzCustomEdit::SelectedColorChanged);
  bookMarkOpt_ = std::make_unique<TqzBookMarkOpt>(this);
  bookMarkOpt_->OnChange = TNotifyEvent(this, &TqzCustomEdit::BookMarkOptionsChanged);
  gutter_ = std::make_unique<TqzGutter>();
  gutter_->OnChange = TNotifyEvent(this, &TqzCustomEdit::GutterChangedEvent);
  gutterWidth_ = gutter_->Width();
  textOffsetX_ = gutterWidth_ + 2;

  SetBounds(Left(), Top(), 200, 150);
  SetCursor(crIBeam);
  SetColor(clWindow);
  ownFont_->SetName("Courier New");
  ownFont_->SetSize(10);
  ownFont_->SetCharset(DEFAULT_CHARSET);

  textDrawer_ = std::make_unique<TheTextDrawer>(TFontStyles{}, ownFont_.get());
  Font()->Assign(ownFont_.get());  // runs FontChanged through the control font's notification
  ParentFont = false;
  ParentColor = false;
  TabStop = true;

  lines_->OnChanging = TNotifyEvent(this, &TqzCustomEdit::LinesChanging);
  lines_->OnChange = TNotifyEvent(this, &TqzCustomEdit::LinesChanged);

  // Insert mode, scroll bars, border, caret shapes, selection mode, right edge, tab width and
  // options start at their defaults (see the fields).
  keystrokes_ = std::make_unique<TqzKeyStrokes>(this);
  markList_ = std::make_unique<TMarkList>();
  markList_->OnChange = TNotifyEvent(this, &TqzCustomEdit::MarkListChanged);
  SetDefaultKeystrokes();
}

TqzCustomEdit::~TqzCustomEdit() {
  SetHighLighter(nullptr);
  // Nothing may call back into a half-destroyed editor.
  lines_->OnChanging = nullptr;
  lines_->OnChange = nullptr;
  gutter_->OnChange = nullptr;
  selectedColor_->OnChange = nullptr;
  bookMarkOpt_->OnChange = nullptr;
}

void TqzCustomEdit::Loaded() {
  TCustomControl::Loaded();
  GutterChanged();
}

void TqzCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == highLighter_) {
    highLighter_ = nullptr;
    RecalcCharExtent();
    InvalidateLines(-1, -1);
  }
  if (Operation == opRemove && AComponent != nullptr && AComponent == bookMarkOpt_->BookmarkImages())
    bookMarkOpt_->SetBookmarkImages(nullptr);  // its OnChange repaints the gutter
}

void TqzCustomEdit::SetName(const std::string& Value) {
  const std::string oldName = Name();
  TCustomControl::SetName(Value);
  // A freshly dropped editor shows its name as its text, like a caption.
  if (IsDesigning() && !IsLoading() && TrimRight(Text()) == oldName) SetText(Value);
}

void TqzCustomEdit::CreateWnd() {
  TCustomControl::CreateWnd();
  if (options_.Contains(qzeoDropFiles) && !IsDesigning()) DragAcceptFiles(Handle(), true);
  // A new window (other scroll bars, another border) has its own client area, as its first WM_SIZE says.
  SizeOrFontChanged(false);
}

void TqzCustomEdit::DestroyWnd() {
  if (options_.Contains(qzeoDropFiles) && !IsDesigning()) DragAcceptFiles(Handle(), false);
  TCustomControl::DestroyWnd();
}

void TqzCustomEdit::WndProc(TMessage& Message) {
  if (CaretMessage(Message) || MouseMessage(Message)) return;
  switch (Message.Msg) {
    case WM_SYSCHAR:
      // Alt+Backspace is the undo key; letting it through would beep.
      if (Message.WParam == VK_BACK && (Message.LParam & KF_ALTDOWN_LPARAM) != 0) {
        Message.Msg = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      Message.Result = 1;  // painting covers the whole client area
      return;
    case WM_SETCURSOR:
      if (SetCursorForMouse()) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_SIZE:
      TCustomControl::WndProc(Message);
      SizeOrFontChanged(false);
      SetLeftColumn(leftChar_);
      return;
    default: break;
  }
  TCustomControl::WndProc(Message);
}

// The gutter shows its own cursor, and a selection that can be dragged the arrow; elsewhere the
// control's cursor stands. True when the shape was chosen here.
bool TqzCustomEdit::SetCursorForMouse() {
  TPoint mouse;
  GetCursorPos(&mouse);
  mouse = ScreenToClient(mouse);
  if (mouse.x < gutterWidth_) {
    ::SetCursor(Screen->Cursors(static_cast<TCursor>(gutter_->Cursor())));
    return true;
  }
  if (options_.Contains(qzeoDragDropEditing) && charWidth_ > 0 && lineHeight_ > 0) {
    const TPoint at{leftChar_ + (mouse.x - gutterWidth_ - 2) / charWidth_, topLine_ + mouse.y / lineHeight_};
    if (IsPointInSelection(at)) {
      ::SetCursor(Screen->Cursors(crDefault));
      return true;
    }
  }
  return false;
}

// ===================================================================================================
// Update lock and status notification

void TqzCustomEdit::BeginUpdate() { ++updateLock_; }

void TqzCustomEdit::EndUpdate() {
  if (updateLock_ <= 0) return;
  if (--updateLock_ > 0) return;
  operationTails_.reset();
  if (!HandleAllocated()) return;
  if (HasState(sfScrollbarChanged)) UpdateScrollBars();
  if (HasState(sfCaretChanged)) UpdateCaret();
  if (!statusChanges_.Empty()) StatusChanged(TqzStatusChanges{});
  if (untoldChars_.Count > 0) TellUnmappedChars();
}

void TqzCustomEdit::StatusChanged(TqzStatusChanges Changes) {
  statusChanges_ += Changes;
  if (updateLock_ == 0 && OnStatusChange) {
    const TqzStatusChanges pending = statusChanges_;
    statusChanges_ = TqzStatusChanges{};
    OnStatusChange(this, pending);
  }
}

// ===================================================================================================
// Text, options and properties

void TqzCustomEdit::SetLines(TStrings* Value) {
  if (HandleAllocated()) lines_->Assign(Value);
}

void TqzCustomEdit::SetText(const std::string& Value) {
  TLoadLock lock(lines_.get());
  lines_->SetText(Value);
}

void TqzCustomEdit::SetModified(bool Value) {
  if (Value == modified_) return;
  modified_ = Value;
  StatusChanged(TqzStatusChanges{qzscModified});
}

bool TqzCustomEdit::GetReadOnly() const { return readOnly_; }

void TqzCustomEdit::SetReadOnly(bool Value) { readOnly_ = Value; }

void TqzCustomEdit::SetOptions(TqzEditorOptions Value) {
  if (Value == options_) return;
  const bool dropFilesChanged = Value.Contains(qzeoDropFiles) != options_.Contains(qzeoDropFiles);
  options_ = Value;
  if (!options_.Contains(qzeoScrollPastEol)) SetCaretX(CaretX());  // clamps it to the line
  if (dropFilesChanged && !IsDesigning() && HandleAllocated())
    DragAcceptFiles(Handle(), options_.Contains(qzeoDropFiles));
}

void TqzCustomEdit::SetOption(TqzEditorOption Option, bool Value) {
  if (static_cast<int>(Option) > 15 || options_.Contains(Option) == Value) return;
  if (Value)
    options_.Include(Option);
  else
    options_.Exclude(Option);
  if (Option == qzeoScrollPastEol && !Value) SetCaretX(CaretX());
  if (Option == qzeoDropFiles && !IsDesigning() && HandleAllocated()) DragAcceptFiles(Handle(), Value);
}

void TqzCustomEdit::SetFont(TFont* Value) {
  if (!Value) return;
  HDC dc = GetDC(nullptr);
  const LOGFONTA lf = LogFontOf(*Value);
  TFontHandle probe(CreateFontIndirectA(&lf));
  HFONT old = SelectObject(dc, probe.get());
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (tm.tmAveCharWidth != tm.tmMaxCharWidth) {
    // A proportional font would break the cell grid: keep our fixed-pitch face, take the rest.
    ownFont_->SetColor(Value->Color());
    ownFont_->SetHeight(Value->Height());
    ownFont_->SetStyle(Value->Style());
    ownFont_->SetPitch(fpFixed);
    Font()->Assign(ownFont_.get());
  } else {
    Font()->Assign(Value);
  }
  if (gutter_->ShowLineNumbers()) GutterChanged();
}

void TqzCustomEdit::SetExtraLineSpacing(int Value) {
  extraLineSpacing_ = Value;
  FontChanged();
}

void TqzCustomEdit::SetGutter(TqzGutter* Value) { gutter_->Assign(Value); }

void TqzCustomEdit::SetHideSelection(bool Value) {
  hideSelection_ = Value;
  Invalidate();
}

void TqzCustomEdit::SetRightEdge(int Value) {
  if (Value == rightEdge_) return;
  rightEdge_ = Value;
  Invalidate();
}

void TqzCustomEdit::SetRightEdgeColor(TColor Value) {
  if (Value == rightEdgeColor_) return;
  rightEdgeColor_ = Value;
  if (!HandleAllocated()) return;
  const int x = rightEdge_ * charWidth_ + textOffsetX_ - 1;
  InvalidateClientRect(TRect{x, 0, x + 2, ClientHeight()});
}

void TqzCustomEdit::SetTabWidth(int Value) {
  Value = ClampValue(Value, 0, kMaxTabWidth);
  if (Value == tabWidth_) return;
  tabWidth_ = Value;
  Invalidate();
}

void TqzCustomEdit::SetScrollBars(TScrollStyle Value) {
  if (Value == scrollBars_) return;
  scrollBars_ = Value;
  if (!HandleAllocated()) return;
  RecreateWnd();
  UpdateScrollBars();
  Invalidate();
}

void TqzCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value == borderStyle_) return;
  borderStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TqzCustomEdit::SetSelectionMode(TSelectionMode Value) {
  if (Value == selectionMode_) return;
  selectionMode_ = Value;
  if (blockBegin_ != blockEnd_) Invalidate();
  StatusChanged(TqzStatusChanges{qzscSelection});
}

void TqzCustomEdit::SetInsertMode(bool Value) {
  if (Value == insertMode_) return;
  insertMode_ = Value;
  if (!IsDesigning()) InitializeCaret();
  StatusChanged(TqzStatusChanges{qzscInsertMode});
}

void TqzCustomEdit::SetInsertCaret(TCaretType Value) {
  if (Value == insertCaret_) return;
  insertCaret_ = Value;
  InitializeCaret();
}

void TqzCustomEdit::SetOverwriteCaret(TCaretType Value) {
  if (Value == overwriteCaret_) return;
  overwriteCaret_ = Value;
  InitializeCaret();
}

void TqzCustomEdit::SetHighLighter(TqzCustomHighLighter* Value) {
  if (Value == highLighter_) return;
  const TNotifyEvent repaint(this, &TqzCustomEdit::HighlighterAttributesChanged);
  if (highLighter_) {
    highLighter_->UnhookAttributesChange(repaint);
    highLighter_->RemoveFreeNotification(this);
  }
  if (Value) {
    Value->HookAttributesChange(repaint);
    Value->FreeNotification(this);
  }
  highLighter_ = Value;
  RecalcCharExtent();
  {
    TListUpdate update(lines_.get());
    ScanAllRanges();
  }
  SizeOrFontChanged(true);
}

void TqzCustomEdit::HighlighterAttributesChanged(TObject*) {
  RecalcCharExtent();
  Invalidate();
}

void TqzCustomEdit::SelectedColorChanged(TObject*) { Invalidate(); }

void TqzCustomEdit::BookMarkOptionsChanged(TObject*) { InvalidateGutter(); }

// ===================================================================================================
// Metrics and geometry

void TqzCustomEdit::RecalcCharExtent() {
  textDrawer_->SetBaseFont(Font());
  // A style any attribute uses sizes the cells for all text: italic sets the height, bold the width.
  auto uses = [this](TFontStyle style) {
    return highLighter_ ? highLighter_->AttributesUseStyle(style) : Font()->Style().Contains(style);
  };
  textDrawer_->SetBaseStyle(uses(fsItalic) ? TFontStyles{fsItalic} : TFontStyles{});
  lineHeight_ = textDrawer_->GetCharHeight() + extraLineSpacing_;
  textDrawer_->SetBaseStyle(uses(fsBold) ? TFontStyles{fsBold} : TFontStyles{});
  charWidth_ = textDrawer_->GetCharWidth();
}

void TqzCustomEdit::FontChanged() {
  TCustomControl::FontChanged();
  RecalcCharExtent();
  SizeOrFontChanged(true);
}

void TqzCustomEdit::SizeOrFontChanged(bool FontChanged) {
  if (!HandleAllocated()) return;
  charsInWindow_ = charWidth_ > 0 ? (ClientWidth() - gutterWidth_ - 2) / charWidth_ : 0;
  linesInWindow_ = lineHeight_ > 0 ? ClientHeight() / lineHeight_ : 0;
  if (FontChanged) {
    if (gutter_->ShowLineNumbers())
      GutterChanged();
    else
      UpdateScrollBars();
    InitializeCaret();
    ExcludeState(sfCaretChanged);
    Invalidate();
  } else {
    UpdateScrollBars();
  }
  ExcludeState(sfScrollbarChanged);
}

void TqzCustomEdit::GutterChangedEvent(TObject*) { GutterChanged(); }

void TqzCustomEdit::GutterChanged() {
  if (IsLoading()) return;
  if (gutter_->ShowLineNumbers() && gutter_->AutoSize()) gutter_->UpdateGutterDigits(LineCount());
  const int width = gutter_->GutterPixelWidth(charWidth_);
  if (width == gutterWidth_)
    InvalidateGutter();
  else
    SetGutterWidth(width);
}

void TqzCustomEdit::SetGutterWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value == gutterWidth_) return;
  gutterWidth_ = Value;
  textOffsetX_ = gutterWidth_ - (leftChar_ - 1) * charWidth_ + 2;
  if (!HandleAllocated()) return;
  charsInWindow_ = charWidth_ > 0 ? (ClientWidth() - gutterWidth_ - 2) / charWidth_ : 0;
  UpdateScrollBars();
  Invalidate();
}

// ===================================================================================================
// Repainting

void TqzCustomEdit::InvalidateClientRect(const TRect& Rect) {
  if (HasState(sfLinesChanging))
    invalidateRect_ = UnionRect(invalidateRect_, Rect);
  else
    InvalidateRect(Rect);
}

void TqzCustomEdit::InvalidateLines(int FirstLine, int LastLine) {
  if (!HandleAllocated()) return;
  if (FirstLine == -1 && LastLine == -1) {
    InvalidateClientRect(TRect{gutterWidth_, 0, ClientWidth(), ClientHeight()});
    return;
  }
  if (LastLine < FirstLine) std::swap(FirstLine, LastLine);
  FirstLine = std::max(FirstLine, topLine_);
  LastLine = std::min(LastLine, topLine_ + linesInWindow_);
  if (LastLine < FirstLine) return;
  InvalidateClientRect(TRect{gutterWidth_, (FirstLine - topLine_) * lineHeight_, ClientWidth(),
                             (LastLine - topLine_ + 1) * lineHeight_});
}

void TqzCustomEdit::InvalidateGutterLines(int FirstLine, int LastLine) {
  if (!HandleAllocated()) return;
  if (FirstLine == -1 && LastLine == -1) {
    InvalidateGutter();
    return;
  }
  if (LastLine < FirstLine) std::swap(FirstLine, LastLine);
  FirstLine = std::max(FirstLine, topLine_);
  LastLine = std::min(LastLine, topLine_ + linesInWindow_);
  if (LastLine < FirstLine) return;
  InvalidateClientRect(TRect{0, (FirstLine - topLine_) * lineHeight_, gutterWidth_,
                             (LastLine - topLine_ + 1) * lineHeight_});
}

void TqzCustomEdit::InvalidateLine(int Line) {
  if (!HandleAllocated() || Line < topLine_ || Line > topLine_ + linesInWindow_) return;
  const int top = (Line - topLine_) * lineHeight_;
  InvalidateClientRect(TRect{gutterWidth_, top, ClientWidth(), top + lineHeight_});
}

void TqzCustomEdit::InvalidateGutter() {
  if (HandleAllocated()) InvalidateClientRect(TRect{0, 0, gutterWidth_, ClientHeight()});
}

// ===================================================================================================
// Line-list callbacks and the range rule

int TqzCustomEdit::RescanFrom(int Index) {
  const int count = LineCount();
  if (Index >= count - 1 || Index >= rangesKnown_) return Index;
  highLighter_->SetLine(lines_->GetRef(Index), Index);
  highLighter_->NextToEol();
  int i = Index + 1;
  for (;;) {
    const TqzRangeState range = highLighter_->GetRange();
    if (RangeOf(lines_->GetObject(i)) == range) break;
    lines_->PutObject(i, AsObject(range));
    // The lines past the known ones get their states from the idle scan; none of them is on screen.
    if (i + 1 == rangesKnown_ && rangesKnown_ < count) return i;
    highLighter_->SetLine(lines_->GetRef(i), i);
    highLighter_->NextToEol();
    if (++i == count) break;
  }
  return i - 1;
}

void TqzCustomEdit::ScanAllRanges() {
  rangesKnown_ = 0;
  const int count = LineCount();
  if (!highLighter_ || count == 0) return;
  KnowRangesTo(std::min(count, kRangesScannedAtOnce) - 1);
  ScanRangesWhenIdle();
}

// The start ranges of lines First..Last (0-based, First > 0), each from the line before.
void TqzCustomEdit::ScanRanges(int First, int Last) {
  for (int i = First; i <= Last; ++i) {
    highLighter_->SetRange(RangeOf(lines_->GetObject(i - 1)));
    highLighter_->SetLine(lines_->GetRef(i - 1), i - 1);
    highLighter_->NextToEol();
    lines_->PutRange(i, AsObject(highLighter_->GetRange()));
  }
}

void TqzCustomEdit::KnowRangesTo(int Index) {
  Index = std::min(Index, LineCount() - 1);
  if (!highLighter_ || Index < rangesKnown_) return;
  if (rangesKnown_ == 0) {
    highLighter_->ResetRange();
    lines_->PutRange(0, AsObject(highLighter_->GetRange()));
    rangesKnown_ = 1;
  }
  ScanRanges(rangesKnown_, Index);
  rangesKnown_ = Index + 1;
}

void TqzCustomEdit::ScanRangesWhenIdle() {
  if (rangesKnown_ >= LineCount()) return;
  if (!rangeScanTimer_) {
    rangeScanTimer_ = new TTimer(this);
    rangeScanTimer_->SetInterval(1);
    rangeScanTimer_->OnTimer = TNotifyEvent(this, &TqzCustomEdit::RangeScanSlice);
  }
  rangeScanTimer_->SetEnabled(true);
}

void TqzCustomEdit::RangeScanSlice(TObject*) {
  KnowRangesTo(rangesKnown_ + kRangesScannedInASlice - 1);
  if (!highLighter_ || rangesKnown_ >= LineCount()) rangeScanTimer_->SetEnabled(false);
}

TqzRangeState TqzCustomEdit::LineStartRange(int Index) {
  KnowRangesTo(Index);
  return RangeOf(lines_->GetObject(Index));
}

std::shared_ptr<TLineTails> TqzCustomEdit::OperationTails() {
  if (updateLock_ == 0) return nullptr;
  if (!operationTails_) operationTails_ = std::make_shared<TLineTails>();
  return operationTails_;
}

void TqzCustomEdit::ListAdded() {
  const int count = LineCount();
  if (const auto tails = OperationTails()) tails->Inserted(count - 1, 1);
  if (highLighter_) {
    if (count < 2) {
      highLighter_->ResetRange();
      lines_->PutObject(0, AsObject(highLighter_->GetRange()));
      rangesKnown_ = count;
    } else if (rangesKnown_ == count - 1) {
      highLighter_->SetRange(RangeOf(lines_->GetObject(count - 2)));
      highLighter_->SetLine(lines_->GetRef(count - 2), count - 2);
      highLighter_->NextToEol();
      lines_->PutObject(count - 1, AsObject(highLighter_->GetRange()));
      rangesKnown_ = count;
    }
  }
  InvalidateLine(count);
}

void TqzCustomEdit::ListCleared() {
  operationTails_.reset();  // its line numbers mean nothing in the next text
  rangesKnown_ = 0;
  ResetView();
}

void TqzCustomEdit::ResetView() {
  invalidateRect_ = TRect{};
  Invalidate();
  blockBegin_ = TPoint{1, 1};
  blockEnd_ = blockBegin_;
  caretX_ = 0;
  caretY_ = 0;
  topLine_ = 1;
  leftChar_ = 1;
  textOffsetX_ = gutterWidth_ + 2;
}

void TqzCustomEdit::ListRangesAfterRemovalOrInsertion(int Index) {
  if (!highLighter_ || LineCount() == 0) return;
  if (Index <= 0) {
    highLighter_->ResetRange();
    lines_->PutObject(0, AsObject(highLighter_->GetRange()));
    rangesKnown_ = std::max(rangesKnown_, 1);
    if (LineCount() > 1) RescanFrom(0);
  } else {
    highLighter_->SetRange(RangeOf(lines_->GetObject(Index - 1)));
    RescanFrom(Index - 1);
  }
}

void TqzCustomEdit::ListDeleting(int Index, int Count) {
  if (const auto tails = OperationTails()) tails->Deleting(Index, Count, *lines_);
}

void TqzCustomEdit::ListPutting(int Index) {
  if (const auto tails = OperationTails()) tails->Changing(Index, lines_->GetRef(Index));
}

void TqzCustomEdit::ListDeleted(int Index) {
  if (Index < rangesKnown_) --rangesKnown_;
  ListRangesAfterRemovalOrInsertion(Index);
  InvalidateLines(Index + 1, topLine_ + linesInWindow_);
  InvalidateGutterLines(Index + 1, topLine_ + linesInWindow_);
}

void TqzCustomEdit::ListInserted(int Index) {
  if (const auto tails = OperationTails()) tails->Inserted(Index, 1);
  if (Index <= rangesKnown_) ++rangesKnown_;
  ListRangesAfterRemovalOrInsertion(Index);
  InvalidateLines(Index + 1, topLine_ + linesInWindow_);
  InvalidateGutterLines(Index + 1, topLine_ + linesInWindow_);
}

void TqzCustomEdit::ListLinesInserted(int Index, int Count) {
  if (const auto tails = OperationTails()) tails->Inserted(Index, Count);
  // New lines past the known ranges get theirs from the idle scan like the lines around them.
  if (highLighter_ && Index <= rangesKnown_) {
    rangesKnown_ += Count;
    // Every new line needs its range; past them the lines keep theirs once one matches again.
    const int last = std::min(Index + Count, LineCount() - 1);
    if (Index == 0) {
      highLighter_->ResetRange();
      lines_->PutRange(0, AsObject(highLighter_->GetRange()));
    }
    ScanRanges(std::max(Index, 1), last);
    highLighter_->SetRange(RangeOf(lines_->GetObject(last)));
    RescanFrom(last);
  }
  InvalidateLines(Index + 1, topLine_ + linesInWindow_);
  InvalidateGutterLines(Index + 1, topLine_ + linesInWindow_);
}

void TqzCustomEdit::ListTextSet() {
  operationTails_.reset();
  if (LineCount() == 0) lines_->Add("");
  ClearUndo();
  // A new text starts at its top, whatever part of the old one was in view: otherwise the window shows
  // the old lines (or nothing past the new end) until something scrolls it.
  BeginUpdate();
  const TUpdateGuard release(this);
  ResetView();
  IncludeState(sfCaretChanged | sfScrollbarChanged);
  StatusChanged(TqzStatusChanges{qzscCaretX, qzscCaretY, qzscLeftColumn, qzscTopLine, qzscSelection});
}

void TqzCustomEdit::ListPutted(int Index) {
  int last = Index + 1;
  if (highLighter_) {
    highLighter_->SetRange(RangeOf(lines_->GetObject(Index)));
    last = RescanFrom(Index) + 1;
  }
  InvalidateLines(Index + 1, last);
}

void TqzCustomEdit::ListStringsLoaded() { ScanAllRanges(); }

void TqzCustomEdit::LinesChanging(TObject*) { IncludeState(sfLinesChanging); }

void TqzCustomEdit::LinesChanged(TObject*) {
  ExcludeState(sfLinesChanging);
  if (!HandleAllocated()) return;
  UpdateScrollBars();
  SetBlockBegin(CaretXY());  // the selection collapses onto the caret
  const TRect pending = std::exchange(invalidateRect_, TRect{});
  if (!pending.IsEmpty()) InvalidateClientRect(pending);
  if (gutter_->ShowLineNumbers() && gutter_->AutoSize()) gutter_->UpdateGutterDigits(LineCount());
}

// ===================================================================================================
// Painting

bool TqzCustomEdit::DoOnSpecialLineColors(int Line, TColor& Foreground, TColor& Background) {
  bool special = false;
  if (OnSpecialLineColors) OnSpecialLineColors(this, Line, special, Foreground, Background);
  return special;
}

void TqzCustomEdit::DoOnSelectionChange() { Fire(OnSelectionChange, this); }

void TqzCustomEdit::Paint() {
  const TRect clip = Canvas()->ClipRect();
  if (charWidth_ <= 0 || lineHeight_ <= 0) return;
  int firstCol = leftChar_;
  if (clip.Left > gutterWidth_ + 2) firstCol += (clip.Left - gutterWidth_ - 2) / charWidth_;
  const int lastCol = firstCol + CeilDiv(clip.Right - gutterWidth_ - 2, charWidth_);
  const int firstLine = std::max(topLine_ + clip.Top / lineHeight_, topLine_);
  const int lastLine = std::min(topLine_ + CeilDiv(clip.Bottom, lineHeight_), LineCount());
  HideCaret(this);
  TScopeGuard showCaret([this] { ShowCaret(this); });

  if (clip.Left < gutterWidth_) {
    TRect rc = clip;
    rc.Right = gutterWidth_;
    PaintGutter(rc, firstLine, lastLine);
  }
  if (gutterWidth_ < clip.Right) {
    TRect rc = clip;
    rc.Left = std::max(rc.Left, gutterWidth_);
    PaintTextLines(rc, firstLine, lastLine, firstCol, lastCol);
  }
  if (OnPaint) {
    Canvas()->Font()->Assign(Font());
    Canvas()->Brush()->SetColor(Color());
    OnPaint(this, Canvas());
  }
}

void TqzCustomEdit::PaintGutter(const TRect& AClip, int FirstLine, int LastLine) {
  HDC dc = Canvas()->Handle();
  if (gutter_->ShowLineNumbers()) {
    textDrawer_->BeginDrawing(dc);
    TScopeGuard end([this] { textDrawer_->EndDrawing(); });
    textDrawer_->SetBackColor(gutter_->Color());
    textDrawer_->SetForeColor(Font()->Color());
    textDrawer_->SetStyle(gutter_->UseFontStyle() ? Font()->Style() : TFontStyles{});
    TRect rcLine{AClip.Left, AClip.Top, std::max(AClip.Right, gutterWidth_ - 2), AClip.Top};
    for (int line = FirstLine; line <= LastLine; ++line) {
      rcLine.Top = (line - topLine_) * lineHeight_;
      rcLine.Bottom = rcLine.Top + lineHeight_;
      const std::string number = gutter_->FormatLineNumber(line);
      textDrawer_->ExtTextOut(gutter_->LeftOffset(), rcLine.Top, ETO_OPAQUE, rcLine, number.data(),
                              static_cast<int>(number.size()));
    }
    rcLine.Top = std::max(rcLine.Bottom, AClip.Top);
    rcLine.Bottom = AClip.Bottom;
    if (rcLine.Top < rcLine.Bottom) textDrawer_->ExtTextOut(0, rcLine.Top, ETO_OPAQUE, rcLine, nullptr, 0);
  } else {
    FillSolidRect(dc, AClip, Rgb(gutter_->Color()));
  }
  if (AClip.Right >= gutterWidth_ - 2) {
    TPen* pen = Canvas()->Pen();
    pen->SetWidth(1);
    pen->SetColor(clBtnHighlight);
    Canvas()->MoveTo(gutterWidth_ - 2, AClip.Top);
    Canvas()->LineTo(gutterWidth_ - 2, AClip.Bottom);
    pen->SetColor(clBtnShadow);
    Canvas()->MoveTo(gutterWidth_ - 1, AClip.Top);
    Canvas()->LineTo(gutterWidth_ - 1, AClip.Bottom);
  }
  PaintMarks(FirstLine, LastLine);
}

void TqzCustomEdit::PaintMarks(int FirstLine, int LastLine) {
  if (!bookMarkOpt_->GlyphsVisible() || markList_->Count() == 0 || LastLine < FirstLine) return;
  std::vector<int> offsets(static_cast<size_t>(LastLine - FirstLine + 1), 0);
  auto painted = [&](const TMark& mark) { return mark.Visible() && mark.Line() >= FirstLine && mark.Line() <= LastLine; };
  // Other marks first, bookmarks after them.
  bool bookmarks = false;
  for (int i = 0; i < markList_->Count(); ++i) {
    const TMark& mark = *markList_->Items(i);
    if (!painted(mark)) continue;
    if (mark.IsBookmark())
      bookmarks = true;
    else
      PaintMark(mark, offsets[static_cast<size_t>(mark.Line() - FirstLine)]);
  }
  if (!bookmarks) return;
  for (int i = 0; i < markList_->Count(); ++i) {
    const TMark& mark = *markList_->Items(i);
    if (painted(mark) && mark.IsBookmark()) PaintMark(mark, offsets[static_cast<size_t>(mark.Line() - FirstLine)]);
  }
}

void TqzCustomEdit::PaintMark(const TMark& Mark, int& XOffset) {
  const int y = (Mark.Line() - topLine_) * lineHeight_;
  const int x = bookMarkOpt_->LeftMargin() + XOffset;
  TImageList* images = bookMarkOpt_->BookmarkImages();
  if (!images || Mark.InternalImage()) {
    if (Mark.ImageIndex() < 0 || Mark.ImageIndex() > 9) return;
    if (!internalImage_) internalImage_ = std::make_unique<TqzInternalImage>("qzeInternalImages", 10);
    internalImage_->DrawInternalImage(Canvas(), Mark.ImageIndex(), lineHeight_, y, x);
  } else {
    if (Mark.ImageIndex() < 0 || Mark.ImageIndex() >= images->Count()) return;
    Canvas()->Draw(x, y, *images, Mark.ImageIndex());
  }
  XOffset += bookMarkOpt_->Xoffset();
}

// The selection as painting sees it: ordered ends, empty when nothing is to be shown as selected.
struct TqzCustomEdit::TPaintSelection {
  bool Any = false;
  TPoint Begin;
  TPoint End;
  TSelectionMode Mode = smNormal;
};

void TqzCustomEdit::PaintTextLines(const TRect& AClip, int FirstLine, int LastLine, int FirstCol, int LastCol) {
  HDC dc = Canvas()->Handle();
  TColor editorBG = Color();
  if (highLighter_)
    if (TqzHighLightAttributes* ws = highLighter_->GetDefaultAttribute(0); ws && ws->Background() != clNone)
      editorBG = ws->Background();

  const int edgeX = textOffsetX_ + rightEdge_ * charWidth_;
  const bool drawEdge = rightEdge_ > 0 && AClip.Left <= edgeX && edgeX <= AClip.Right;
  auto drawEdgeLine = [&](int top, int bottom) {
    Canvas()->Pen()->SetWidth(1);
    Canvas()->Pen()->SetColor(rightEdgeColor_);
    Canvas()->MoveTo(edgeX, top);
    Canvas()->LineTo(edgeX, bottom);
  };

  TRect clip = AClip;
  if (clip.Left < gutterWidth_ + 2) {
    const TRect strip{std::max(clip.Left, gutterWidth_), clip.Top, gutterWidth_ + 2, clip.Bottom};
    if (!strip.IsEmpty()) FillSolidRect(dc, strip, Rgb(editorBG));
    clip.Left = gutterWidth_ + 2;
  }

  if (LastLine >= FirstLine) {
    TPaintSelection sel;
    if (!(hideSelection_ && !Focused()) && blockBegin_ != blockEnd_) {
      sel.Begin = blockBegin_;
      sel.End = blockEnd_;
      if (sel.Begin.y > sel.End.y || (sel.Begin.y == sel.End.y && sel.Begin.x > sel.End.x)) std::swap(sel.Begin, sel.End);
      sel.Mode = selectionMode_;
      sel.Any = !(sel.End.y < FirstLine || sel.Begin.y > LastLine);
      if (sel.Mode == smColumn && sel.End.x < sel.Begin.x) std::swap(sel.Begin.x, sel.End.x);
    }
    textDrawer_->SetStyle(Font()->Style());
    textDrawer_->BeginDrawing(dc);
    TScopeGuard end([this] { textDrawer_->EndDrawing(); });
    TRect rcLine{clip.Left, (FirstLine - topLine_) * lineHeight_, clip.Right, 0};
    for (int line = FirstLine; line <= LastLine; ++line) {
      rcLine.Bottom = rcLine.Top + lineHeight_;
      PaintTextLine(line, rcLine, FirstCol, LastCol, sel, editorBG);
      if (drawEdge) drawEdgeLine(rcLine.Top, rcLine.Bottom + 1);
      rcLine.Top = rcLine.Bottom;
    }
  }

  const TRect below{clip.Left, (LastLine - topLine_ + 1) * lineHeight_, clip.Right, clip.Bottom};
  if (!below.IsEmpty()) {
    FillSolidRect(dc, below, Rgb(editorBG));
    if (drawEdge) drawEdgeLine(below.Top, clip.Bottom + 1);
  }
}

namespace {

// What one line paints: its colours, its selected span and the run of tokens being gathered.
struct TLinePainter {
  TheTextDrawer* Drawer = nullptr;
  int TextOffsetX = 0;
  int CharWidth = 0;
  TRect LineRect;
  int FirstCol = 0;
  int LastCol = 0;
  TColor EditorBG = clWindow;
  TColor FontColor = clWindowText;
  TFontStyles FontStyle;
  bool Special = false;
  TColor LineFG = clWindowText;
  TColor LineBG = clWindow;
  TColor SelFG = clHighlightText;
  TColor SelBG = clHighlight;
  int SelStart = 0;  // selected columns SelStart .. SelEnd - 1 on this line
  int SelEnd = 0;
  bool Partly = false;
  bool Wholly = false;
  TRect TokenRect;  // its Left is where the next part starts

  // The run of tokens drawn with one call per part.
  std::string RunText;
  int RunStart = 0;  // 0-based position of the run's first character
  TColor RunFG = clWindowText;
  TColor RunBG = clWindow;
  TFontStyles RunStyle;

  int ColumnToX(int column) const { return TextOffsetX + (column - 1) * CharWidth; }

  void UseColors(bool selected) {
    Drawer->SetForeColor(selected ? SelFG : LineFG);
    Drawer->SetBackColor(selected ? SelBG : LineBG);
  }

  // Draws columns first .. last - 1 of a text whose first character stands in column textCol, into
  // the rectangle from the end of the previous part to right; only characters of the text are sent.
  void PaintPart(std::string_view text, int textCol, int first, int last, int right) {
    if (right <= TokenRect.Left) return;  // an empty part covers nothing
    TokenRect.Right = right;
    const int from = std::max(first - textCol, 0);
    const int to = std::min(last - textCol, static_cast<int>(text.size()));
    const int count = std::max(to - from, 0);
    Drawer->ExtTextOut(ColumnToX(textCol + from), LineRect.Top, ETO_OPAQUE | ETO_CLIPPED, TokenRect,
                       count > 0 ? text.data() + from : nullptr, count);
    TokenRect.Left = TokenRect.Right;
  }

  void FlushRun() {
    if (RunText.empty()) return;
    const int runCol = RunStart + 1;
    const int c1 = std::max(FirstCol, runCol);
    const int c2 = std::min(LastCol, runCol + static_cast<int>(RunText.size()));
    if (c2 <= c1) {  // wholly right of the painted columns
      RunText.clear();
      return;
    }
    if (!Special) {
      LineFG = RunFG;
      LineBG = RunBG;
    }
    Drawer->SetStyle(RunStyle);
    if (Partly) {
      const bool before = c1 < SelStart;
      const bool inside = c1 < SelEnd && c2 > SelStart;
      const bool after = c2 > SelEnd;
      if (inside && (before || after)) {
        if (before) {
          UseColors(false);
          PaintPart(RunText, runCol, c1, SelStart, ColumnToX(SelStart));
        }
        UseColors(true);
        PaintPart(RunText, runCol, std::max(c1, SelStart), std::min(c2, SelEnd), ColumnToX(std::min(c2, SelEnd)));
        if (after) {
          UseColors(false);
          PaintPart(RunText, runCol, SelEnd, c2, ColumnToX(c2));
        }
      } else {
        UseColors(inside);
        PaintPart(RunText, runCol, c1, c2, ColumnToX(c2));
      }
    } else {
      UseColors(Wholly);
      PaintPart(RunText, runCol, c1, c2, ColumnToX(c2));
    }
    RunText.clear();
  }

  void AddToken(std::string_view token, int pos, TColor fg, TColor bg, TFontStyles style) {
    if (bg == clNone) bg = EditorBG;
    if (fg == clNone) fg = FontColor;
    const bool blanks = OnlyBlanks(token);
    const bool joins = !RunText.empty() && (RunStyle == style || blanks) &&
                       (Special || Wholly || (RunBG == bg && (RunFG == fg || blanks)));
    if (joins) {
      RunText.append(token);
      return;
    }
    FlushRun();
    RunText.assign(token);
    RunStart = pos;
    RunFG = fg;
    RunBG = bg;
    RunStyle = style;
  }

  void FillRest(HDC dc) {
    if (TokenRect.Left >= LineRect.Right) return;
    if (!Special) LineBG = EditorBG;
    auto fill = [&](int right, bool selected) {
      TRect rc{TokenRect.Left, LineRect.Top, std::min(right, LineRect.Right), LineRect.Bottom};
      if (rc.IsEmpty()) return;
      FillSolidRect(dc, rc, Rgb(selected ? SelBG : LineBG));
      TokenRect.Left = rc.Right;
    };
    if (Partly) {
      fill(ColumnToX(SelStart), false);
      fill(ColumnToX(SelEnd), true);
    }
    fill(LineRect.Right, Wholly);
  }
};

}  // namespace

void TqzCustomEdit::PaintTextLine(int Line, const TRect& LineRect, int FirstCol, int LastCol,
                                  const TPaintSelection& Sel, TColor EditorBackground) {
  TLinePainter p;
  p.Drawer = textDrawer_.get();
  p.TextOffsetX = textOffsetX_;
  p.CharWidth = charWidth_;
  p.LineRect = LineRect;
  p.TokenRect = LineRect;
  p.FirstCol = FirstCol;
  p.LastCol = LastCol;
  p.EditorBG = EditorBackground;
  p.FontColor = Font()->Color();
  p.FontStyle = Font()->Style();

  // The selected span on this line.
  if (Sel.Any && Line >= Sel.Begin.y && Line <= Sel.End.y) {
    p.SelStart = FirstCol;
    p.SelEnd = LastCol + 1;
    bool none = false;
    if (Sel.Mode != smLine) {
      if (Sel.Mode == smColumn || Line == Sel.Begin.y) {
        if (Sel.Begin.x > LastCol)
          none = true;
        else if (Sel.Begin.x > FirstCol) {
          p.SelStart = Sel.Begin.x;
          p.Partly = true;
        }
      }
      if (Sel.Mode == smColumn || Line == Sel.End.y) {
        if (Sel.End.x < FirstCol)
          none = true;
        else if (Sel.End.x < LastCol) {
          p.SelEnd = Sel.End.x;
          p.Partly = true;
        }
      }
    }
    if (none) {
      p.SelStart = p.SelEnd = 0;
      p.Partly = false;
    }
  }
  p.Wholly = !p.Partly && p.SelStart > 0;

  p.LineFG = p.FontColor;
  p.LineBG = EditorBackground;
  p.Special = DoOnSpecialLineColors(Line, p.LineFG, p.LineBG);
  if (p.Special) {
    p.SelFG = p.LineBG;
    p.SelBG = p.LineFG;
  } else {
    p.SelFG = selectedColor_->Foreground();
    p.SelBG = selectedColor_->Background();
  }

  const std::string text = ChooseTabExpander(tabWidth_)(lines_->GetRef(Line - 1), tabWidth_);
  if (!highLighter_) {
    p.Drawer->SetStyle(p.FontStyle);
    const int end = LastCol + 1;
    if (p.Partly) {
      p.UseColors(false);
      p.TokenRect.Left = std::max(LineRect.Left, p.ColumnToX(FirstCol));
      p.PaintPart(text, 1, FirstCol, p.SelStart, std::min(LineRect.Right, p.ColumnToX(p.SelStart)));
      p.TokenRect.Left = std::max(LineRect.Left, p.ColumnToX(p.SelEnd));
      p.PaintPart(text, 1, p.SelEnd, end, std::min(LineRect.Right, p.ColumnToX(end)));
      p.UseColors(true);
      p.TokenRect.Left = std::max(LineRect.Left, p.ColumnToX(p.SelStart));
      p.PaintPart(text, 1, p.SelStart, p.SelEnd, std::min(LineRect.Right, p.ColumnToX(p.SelEnd)));
    } else {
      p.UseColors(p.Wholly);
      p.PaintPart(text, 1, FirstCol, end, LineRect.Right);
    }
    return;
  }

  p.RunText.reserve(static_cast<size_t>(std::max(128, charsInWindow_)));
  highLighter_->SetRange(LineStartRange(Line - 1));
  highLighter_->SetLine(text, Line - 1);
  std::string token;
  while (!highLighter_->GetEol()) {
    const int pos = highLighter_->GetTokenPos();
    highLighter_->GetTokenText(token);
    if (pos + static_cast<int>(token.size()) >= FirstCol) {
      if (TqzHighLightAttributes* attr = highLighter_->GetTokenAttribute())
        p.AddToken(token, pos, attr->Foreground(), attr->Background(), attr->Style());
      else
        p.AddToken(token, pos, p.LineFG, p.LineBG, p.FontStyle);
    }
    highLighter_->Next();
  }
  p.FlushRun();
  p.FillRest(Canvas()->Handle());
}
