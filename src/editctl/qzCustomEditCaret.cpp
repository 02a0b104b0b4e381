// The editor's notion of position: caret, selection in three modes, the insertion primitive under every
// text change at the selection, first visible line and column, pixel mapping, scroll bars, wheel, caret
// shape and focus.
#include <algorithm>
#include <cmath>

#include "editctl/qzCustomEdit.h"
#include "editctl/qzUndoList.h"
#include "highlight/qzHighlighter.h"
#include "vcl/SysUtils.h"
#include "win/Caret.h"
#include "win/CharType.h"
#include "win/HintWindow.h"
#include "win/ScrollBars.h"

namespace {

constexpr int kVerticalScrollLimit = 32767;
constexpr int kScrollHintMaxWidth = 200;
const char* const kTopLineHint = "Top Line: %d";

bool Before(TPoint a, TPoint b) { return a.y < b.y || (a.y == b.y && a.x < b.x); }

// A text cut at CR LF, a lone CR or a lone LF; n breaks give n + 1 segments.
std::vector<std::string> SplitAtBreaks(std::string_view text) {
  std::vector<std::string> segments;
  segments.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find_first_of("\r\n", start);
    segments.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return segments;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

std::string PadRight(std::string text, std::size_t length) {
  if (text.size() < length) text.append(length - text.size(), ' ');
  return text;
}

// Holds a string list's update bracket for a scope, also when it ends by an exception.
class TLinesUpdateGuard {
 public:
  explicit TLinesUpdateGuard(TStrings* lines) : lines_(lines) { lines_->BeginUpdate(); }
  ~TLinesUpdateGuard() { lines_->EndUpdate(); }
  TLinesUpdateGuard(const TLinesUpdateGuard&) = delete;
  TLinesUpdateGuard& operator=(const TLinesUpdateGuard&) = delete;

 private:
  TStrings* lines_;
};

// The process's one scroll hint, made on first use. It lives to the process's end: destroyed among the
// statics at exit, its window would go after the windowing system it belongs to.
THintWindow& ScrollHint() {
  static THintWindow& hint = *new THintWindow;
  return hint;
}

// Word-class of a character by its system character type, as double-click selection groups them.
int CharClass(unsigned char c) {
  const WORD type = GetCharType3(c);
  if (type == C3_SYMBOL) return 9;
  if (type & C3_HALFWIDTH) {
    const WORD rest = type & ~C3_HALFWIDTH;
    if (rest == 0 || rest == C3_ALPHA) return 1;
    if (type & (C3_SYMBOL | C3_LEXICAL)) return 2;
    if (type & C3_KATAKANA) return 3;
    return 0;
  }
  if (type == C3_FULLWIDTH || type == (C3_FULLWIDTH | C3_ALPHA)) return 4;
  if (type & (C3_SYMBOL | C3_LEXICAL)) return 5;
  if (type & C3_KATAKANA) return 6;
  if (type & C3_HIRAGANA) return 7;
  if (type & C3_IDEOGRAPH) return 8;
  return 0;
}

}  // namespace

// ---- Caret

std::string TqzCustomEdit::LineRef(int Index) const {
  return Index >= 0 && Index < LineCount() ? std::string(Lines()->GetRef(Index)) : std::string();
}

int TqzCustomEdit::LineLength(int Index) const {
  return Index >= 0 && Index < LineCount() ? static_cast<int>(Lines()->GetRef(Index).size()) : 0;
}

void TqzCustomEdit::SetCaretX(int Value) { SetCaretXY(TPoint{Value, CaretY()}); }
void TqzCustomEdit::SetCaretY(int Value) { SetCaretXY(TPoint{CaretX(), Value}); }

void TqzCustomEdit::SetCaretXY(TPoint Value) {
  const bool pastEol = options_.Contains(qzeoScrollPastEol);
  int y = std::min(Value.y, LineCount()) - 1;
  int x = Value.x - 1;
  int limit = maxColumn_;
  if (y < 0) {
    y = 0;
    if (!pastEol) limit = 0;
  } else if (!pastEol) {
    limit = LineLength(y);
  }
  x = std::max(std::min(x, limit), 0);
  if (x == caretX_ && y == caretY_) return;
  BeginUpdate();
  {
    const TUpdateGuard release(this);
    if (x != caretX_) {
      caretX_ = x;
      StatusChanged(TqzStatusChanges{qzscCaretX});
    }
    if (y != caretY_) {
      caretY_ = y;
      StatusChanged(TqzStatusChanges{qzscCaretY});
    }
    EnsureCaretVisible();
    IncludeState(sfCaretChanged | sfScrollbarChanged);
  }
  DoOnSelectionChange();
}

// Stores a caret position the caller has already clamped, raising what changed.
void TqzCustomEdit::InternalSetCaret(int X, int Y) {
  if (X != caretX_) {
    caretX_ = X;
    StatusChanged(TqzStatusChanges{qzscCaretX});
  }
  if (Y != caretY_) {
    caretY_ = Y;
    StatusChanged(TqzStatusChanges{qzscCaretY});
  }
  IncludeState(sfCaretChanged);
}

void TqzCustomEdit::EnsureCaretVisible() {
  BeginUpdate();
  const TUpdateGuard release(this);
  if (caretX_ < leftChar_ - 1)
    SetLeftColumn(caretX_ + 1);
  else if (caretX_ >= leftChar_ + charsInWindow_)
    SetLeftColumn(caretX_ - charsInWindow_ + 2);
  if (caretY_ < topLine_ - 1)
    SetTopLine(caretY_ + 1);
  else if (caretY_ > topLine_ + linesInWindow_ - 2)
    SetTopLine(caretY_ - linesInWindow_ + 2);
}

// ---- Selection

TPoint TqzCustomEdit::BlockBegin() const { return Before(blockEnd_, blockBegin_) ? blockEnd_ : blockBegin_; }
TPoint TqzCustomEdit::BlockEnd() const { return Before(blockEnd_, blockBegin_) ? blockBegin_ : blockEnd_; }

bool TqzCustomEdit::SelectionAvailable() const {
  return blockBegin_.x != blockEnd_.x || (blockBegin_.y != blockEnd_.y && selectionMode_ != smColumn);
}

TPoint TqzCustomEdit::ClampBlockPoint(TPoint P) const {
  P.x = std::clamp(P.x, 1, maxColumn_);
  P.y = std::clamp(P.y, 1, std::max(LineCount(), 1));
  if (selectionMode_ == smNormal) P.x = std::min(P.x, LineLength(P.y - 1) + 1);
  return P;
}

void TqzCustomEdit::SetBlockBegin(TPoint Value) {
  const TPoint p = ClampBlockPoint(Value);
  if (SelectionAvailable()) {
    const int first = std::min({blockBegin_.y, blockEnd_.y, p.y});
    const int last = std::max({blockBegin_.y, blockEnd_.y, p.y});
    blockBegin_ = blockEnd_ = p;
    InvalidateLines(first, last);
    StatusChanged(TqzStatusChanges{qzscSelection});
    return;
  }
  const bool moved = !(blockBegin_ == p) || !(blockEnd_ == p);
  blockBegin_ = blockEnd_ = p;
  if (moved) StatusChanged(TqzStatusChanges{qzscSelection});
}

void TqzCustomEdit::SetBlockEnd(TPoint Value) {
  if (options_.Contains(qzeoNoSelection)) return;
  const TPoint p = ClampBlockPoint(Value);
  if (p == blockEnd_) return;
  if (selectionMode_ == smColumn && p.x != blockEnd_.x) {
    const int first = std::min({blockBegin_.y, blockEnd_.y, p.y});
    const int last = std::max({blockBegin_.y, blockEnd_.y, p.y});
    blockEnd_ = p;
    InvalidateLines(first, last);
  } else {
    const int old = blockEnd_.y;
    blockEnd_ = p;
    if (selectionMode_ != smColumn || blockBegin_.x != blockEnd_.x) InvalidateLines(std::min(old, p.y), std::max(old, p.y));
  }
  StatusChanged(TqzStatusChanges{qzscSelection});
}

std::string TqzCustomEdit::GetSelText() const {
  std::string result;
  AppendSelText(result);
  return result;
}

void TqzCustomEdit::AppendSelText(std::string& Out) const {
  if (!SelectionAvailable()) return;
  const TPoint b = BlockBegin();
  const TPoint e = BlockEnd();
  switch (selectionMode_) {
    case smNormal: {
      if (b.y == e.y) {
        Out += Copy(LineRef(b.y - 1), b.x, e.x - b.x);
        return;
      }
      // Room for every line and its break; the last line's unused break leaves room for a NUL.
      std::size_t size = Out.size();
      for (int y = b.y; y <= e.y; ++y) size += static_cast<std::size_t>(LineLength(y - 1)) + 2;
      Out.reserve(size);
      Out += Copy(LineRef(b.y - 1), b.x, maxColumn_ + LineLength(b.y - 1));
      Out += "\r\n";
      for (int y = b.y + 1; y < e.y; ++y) {
        Out += Lines()->GetRef(y - 1);  // lines between the ends lie inside the text
        Out += "\r\n";
      }
      Out += Copy(LineRef(e.y - 1), 1, e.x - 1);
      return;
    }
    case smColumn: {
      const int left = std::min(b.x, e.x);
      const int right = std::max(b.x, e.x);
      for (int y = b.y; y <= e.y; ++y) {
        Out += PadRight(Copy(LineRef(y - 1), left, right - left), static_cast<std::size_t>(right - left));
        if (y < e.y) Out += "\r\n";
      }
      return;
    }
    case smLine:
      for (int y = b.y; y <= e.y; ++y) {
        Out += LineRef(y - 1);
        if (y < LineCount()) Out += "\r\n";
      }
      return;
  }
}

void TqzCustomEdit::SetSelTextPrimitive(TSelectionMode Mode, std::string_view Value, int* ColumnWidth) {
  BeginUpdate();
  const TUpdateGuard release(this);
  const TLinesUpdateGuard linesUpdate(Lines());
  if (SelectionAvailable()) DeleteSelection();
  if (!Value.empty()) InsertText(Mode, Value, ColumnWidth);
  if (LineCount() == 0) Lines()->Add("");
  if (caretY_ < 0) InternalSetCaret(caretX_, 0);
  SetCaretXY(CaretXY());
  EnsureCaretVisible();
}

void TqzCustomEdit::DeleteSelection() {
  const TPoint b = BlockBegin();
  const TPoint e = BlockEnd();
  switch (selectionMode_) {
    case smNormal: {
      // From past the line end the text after the selection lands at the selection's column.
      std::string joined = PadRight(Copy(LineRef(b.y - 1), 1, b.x - 1), static_cast<std::size_t>(b.x - 1)) +
                           Copy(LineRef(e.y - 1), e.x, LineLength(e.y - 1));
      Lines()->DeleteLines(b.y, e.y - b.y);
      if (options_.Contains(qzeoScrollPastEol)) joined = TrimRight(joined);
      Lines()->Put(b.y - 1, joined);
      InternalSetCaret(b.x - 1, b.y - 1);
      // The lines between the two ends are gone; the end line's rest joins the begin line.
      MoveMarksOfRemovedLines(b.y + 1, e.y - 1, e.y - b.y);
      break;
    }
    case smColumn: {
      const int left = std::min(b.x, e.x);
      const int right = std::max(b.x, e.x);
      for (int y = b.y; y <= e.y; ++y) {
        std::string line = LineRef(y - 1);
        if (static_cast<int>(line.size()) >= left) line.erase(static_cast<std::size_t>(left - 1), static_cast<std::size_t>(right - left));
        Lines()->Put(y - 1, TrimRight(line));
      }
      InternalSetCaret(left - 1, blockEnd_.y - 1);
      break;
    }
    case smLine: {
      if (e.y >= LineCount()) {
        Lines()->Put(e.y - 1, "");
        Lines()->DeleteLines(b.y - 1, e.y - b.y);
      } else {
        Lines()->DeleteLines(b.y - 1, e.y - b.y + 1);
      }
      InternalSetCaret(0, b.y - 1);
      MoveMarksOfRemovedLines(b.y, e.y, e.y - b.y + 1);
      break;
    }
  }
}

int TqzCustomEdit::InsertText(TSelectionMode Mode, std::string_view Value, int* ColumnWidth) {
  const int oldCaretLine = caretY_ + 1;
  int inserted = 0;
  switch (Mode) {
    case smNormal: inserted = InsertNormal(Value); break;
    case smColumn: InsertColumn(SplitAtBreaks(Value), ColumnWidth); break;
    case smLine: inserted = InsertLines(SplitAtBreaks(Value)); break;
  }
  if (inserted > 0) MoveMarksFrom(oldCaretLine, inserted);
  return inserted;
}

// The lines between the first and the last break go into the line list at once, straight from the
// text: a paste of a whole file must not cost a string and a list insertion for each of its lines.
int TqzCustomEdit::InsertNormal(std::string_view Value) {
  const std::string line = LineRef(caretY_);
  std::string left = PadRight(line.substr(0, std::min<std::size_t>(line.size(), static_cast<std::size_t>(caretX_))),
                              static_cast<std::size_t>(caretX_));
  const std::string right = static_cast<int>(line.size()) > caretX_ ? line.substr(static_cast<std::size_t>(caretX_)) : std::string();
  const std::size_t firstBreak = Value.find_first_of("\r\n");
  if (firstBreak == std::string_view::npos) {
    Lines()->Put(caretY_, left.append(Value) + right);
    InternalSetCaret(caretX_ + static_cast<int>(Value.size()), caretY_);
    return 0;
  }
  const std::size_t middleStart = firstBreak + (Value.compare(firstBreak, 2, "\r\n") == 0 ? 2 : 1);
  const std::size_t lastStart = Value.find_last_of("\r\n") + 1;
  Lines()->Put(caretY_, left.append(Value.substr(0, firstBreak)));
  const int last = 1 + (lastStart > middleStart ? Lines()->InsertLines(caretY_ + 1, Value.substr(middleStart, lastStart - middleStart)) : 0);
  const std::string_view tail = Value.substr(lastStart);
  Lines()->Insert(caretY_ + last, std::string(tail) + right);
  InternalSetCaret(static_cast<int>(tail.size()), caretY_ + last);
  StatusChanged(TqzStatusChanges{qzscCaretX});
  return last;
}

void TqzCustomEdit::InsertColumn(const std::vector<std::string>& Segments, int* ColumnWidth) {
  const int column = caretX_ + 1;
  int y = caretY_;
  for (std::size_t i = 0; i < Segments.size(); ++i) {
    const std::string& segment = Segments[i];
    // An empty segment places nothing, so its line is not filled up to the column either.
    if (y >= LineCount()) {
      Lines()->Add(segment.empty() ? segment : std::string(static_cast<std::size_t>(column - 1), ' ') + segment);
    } else if (!segment.empty()) {
      std::string line = PadRight(LineRef(y), static_cast<std::size_t>(column - 1));
      line.insert(static_cast<std::size_t>(column - 1), segment);
      Lines()->Put(y, line);
    }
    if (ColumnWidth) *ColumnWidth = static_cast<int>(segment.size());
    if (i + 1 < Segments.size()) ++y;
  }
  InternalSetCaret(caretX_ + static_cast<int>(Segments.back().size()), y);
}

int TqzCustomEdit::InsertLines(const std::vector<std::string>& Segments) {
  int y = caretY_;
  int inserted = 0;
  for (std::size_t i = 0; i + 1 < Segments.size(); ++i) {
    Lines()->Insert(y++, Segments[i]);
    ++inserted;
  }
  const std::string& last = Segments.back();
  if (y < LineCount())
    Lines()->Put(y, last + LineRef(y));
  else
    Lines()->Add(last);
  InternalSetCaret(static_cast<int>(last.size()), y);
  StatusChanged(TqzStatusChanges{qzscCaretX});
  return inserted;
}

void TqzCustomEdit::InsertColumnText(TPoint From, TPoint To, const std::string& Value) {
  SetCaretXY(From);
  SetBlockBegin(From);
  SetBlockEnd(To);
  SetSelectionMode(smColumn);
  SetSelTextPrimitive(smColumn, Value);
  StatusChanged(TqzStatusChanges{qzscSelection});
}

void TqzCustomEdit::SelectAll() {
  blockBegin_ = TPoint{1, 1};
  blockEnd_ = TPoint{LineLength(LineCount() - 1) + 1, LineCount()};
  SetCaretXY(blockEnd_);
  InvalidateLines(-1, -1);
  StatusChanged(TqzStatusChanges{qzscSelection});
}

std::string TqzCustomEdit::LineText() const { return LineRef(caretY_); }

void TqzCustomEdit::SetLineText(const std::string& Value) {
  if (caretY_ >= 0 && caretY_ < LineCount()) Lines()->Put(caretY_, Value);
}

bool TqzCustomEdit::IsPointInSelection(TPoint Value) const {
  const TPoint b = BlockBegin();
  const TPoint e = BlockEnd();
  if (Value.y < b.y || Value.y > e.y || (b.y == e.y && b.x == e.x)) return false;
  switch (selectionMode_) {
    case smLine: return true;
    case smColumn: return Value.x >= std::min(b.x, e.x) && Value.x < std::max(b.x, e.x);
    case smNormal:
      if (Value.y == b.y && Value.x < b.x) return false;
      if (Value.y == e.y) return Value.x < e.x;
      return true;
  }
  return false;
}

void TqzCustomEdit::SelectWordAt(TPoint Value) {
  const TPoint p{std::clamp(Value.x, 1, maxColumn_), std::clamp(Value.y, 1, std::max(LineCount(), 1))};
  const std::string& line = LineRef(p.y - 1);
  const int length = static_cast<int>(line.size()) + 1;  // with the NUL that ends the line
  if (p.x >= length) {
    SetCaretXY(TPoint{length, p.y});
    return;
  }
  int start = p.x;
  int end = p.x;
  if (highLighter_) {
    TqzIdentChars word;
    highLighter_->GetIdentifierChars(word);
    auto inWord = [&](int column) { return word.test(static_cast<unsigned char>(line[static_cast<std::size_t>(column - 1)])); };
    while (end < length && inWord(end)) ++end;
    while (start > 1 && inWord(start - 1)) --start;
  } else {
    auto classAt = [&](int column) { return CharClass(static_cast<unsigned char>(line[static_cast<std::size_t>(column - 1)])); };
    const int cls = classAt(p.x);
    if (cls == 9) return;
    while (end < length && classAt(end) == cls) ++end;
    while (start > 1 && classAt(start - 1) == cls) --start;
  }
  blockBegin_ = TPoint{start, p.y};
  blockEnd_ = TPoint{end, p.y};
  SetCaretXY(blockEnd_);
  InvalidateLine(p.y);
  StatusChanged(TqzStatusChanges{qzscSelection});
}

int TqzCustomEdit::LeftSpaces(const std::string& Line) const {
  if (!options_.Contains(qzeoAutoIndent)) return 0;
  int count = 0;
  while (count < static_cast<int>(Line.size())) {
    const auto c = static_cast<unsigned char>(Line[static_cast<std::size_t>(count)]);
    if (c < 1 || c > 32) break;
    ++count;
  }
  return count;
}

// ---- Caret motion of the commands

void TqzCustomEdit::MoveCaretAndSelection(TPoint From, TPoint To, bool WithSelection) {
  if (WithSelection) {
    if (!SelectionAvailable()) SetBlockBegin(From);
    SetBlockEnd(To);
  } else {
    SetBlockBegin(To);
  }
  SetCaretXY(To);
}

void TqzCustomEdit::MoveCaretHorz(int DX, bool WithSelection) {
  const TPoint from = CaretXY();
  TPoint to = from;
  const bool pastEol = options_.Contains(qzeoScrollPastEol);
  const int length = LineLength(caretY_);
  if (!pastEol && DX == -1 && to.x == 1 && to.y > 1) {
    to = TPoint{LineLength(caretY_ - 1) + 1, to.y - 1};
  } else if (!pastEol && DX == 1 && to.x > length && to.y < LineCount()) {
    to = TPoint{1, to.y + 1};
  } else {
    to.x = std::max(1, to.x + DX);
    if (!pastEol && DX > 0) to.x = std::min(to.x, length + 1);
  }
  MoveCaretAndSelection(from, to, WithSelection);
}

void TqzCustomEdit::MoveCaretVert(int DY, bool WithSelection) {
  const TPoint from = CaretXY();
  TPoint to = from;
  to.y += DY;
  if (DY > 0) to.y = std::min(to.y, LineCount());
  if (DY < 0) to.y = std::max(to.y, 1);
  MoveCaretAndSelection(from, to, WithSelection);
}

// ---- First visible line and column, pixel mapping

void TqzCustomEdit::SetTopLine(int Value) {
  const int line = std::clamp(Value, 1, std::max(LineCount(), 1));
  if (line == topLine_) return;
  const int distance = topLine_ - line;
  topLine_ = line;
  UpdateScrollBars();
  if (std::abs(distance) < linesInWindow_)
    ScrollWindow(this, 0, distance * lineHeight_);
  else
    Invalidate();
  StatusChanged(TqzStatusChanges{qzscTopLine});
}

void TqzCustomEdit::SetLeftColumn(int Value) {
  const int column = std::clamp(Value, 1, std::max(1, maxColumn_ - charsInWindow_ + 1));
  if (column == leftChar_) return;
  leftChar_ = column;
  textOffsetX_ = gutterWidth_ - (column - 1) * charWidth_ + 2;
  UpdateScrollBars();
  InvalidateLines(-1, -1);
  StatusChanged(TqzStatusChanges{qzscLeftColumn});
}

TPoint TqzCustomEdit::RowColumnToPixels(TPoint RowColumn) const {
  return TPoint{(RowColumn.x - 1) * charWidth_ + textOffsetX_, (RowColumn.y - topLine_) * lineHeight_ + 1};
}

TPoint TqzCustomEdit::PixelsToRowColumn(TPoint Pixels) {
  if (charWidth_ <= 0 || lineHeight_ <= 0) return CaretXY();
  const double f = static_cast<double>(leftChar_ * charWidth_ + Pixels.x - gutterWidth_ - 2) / charWidth_;
  mbcsStepAside_ = false;
  return TPoint{static_cast<int>(std::round(f)), topLine_ + Pixels.y / lineHeight_};
}

int TqzCustomEdit::CaretXPix() const { return RowColumnToPixels(CaretXY()).x; }
int TqzCustomEdit::CaretYPix() const { return RowColumnToPixels(CaretXY()).y; }

// ---- Scroll bars

int TqzCustomEdit::ClientWidth() const { return Width() - ScrollBarsExtent(this).cx; }
int TqzCustomEdit::ClientHeight() const { return Height() - ScrollBarsExtent(this).cy; }

void TqzCustomEdit::UpdateScrollBars(bool Force) {
  if (!HandleAllocated() || (updateLock_ > 0 && !Force)) {
    IncludeState(sfScrollbarChanged);
    return;
  }
  ExcludeState(sfScrollbarChanged);
  if (scrollBars_ == ssNone) return;
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) {
    info.nMin = 1;
    info.nMax = maxColumn_;
    info.nPage = static_cast<UINT>(std::max(charsInWindow_, 0));
    info.nPos = leftChar_;
    SetScrollInfo(this, SB_HORZ, info, true);
  }
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) {
    const int n = VerticalScrollExtent();
    if (n > kVerticalScrollLimit) {
      info.nMin = 0;
      info.nMax = kVerticalScrollLimit;
      info.nPage = static_cast<UINT>(std::max(MulDiv(kVerticalScrollLimit, linesInWindow_, n), 0));
      info.nPos = MulDiv(kVerticalScrollLimit, topLine_, n);
    } else {
      info.nMin = 1;
      info.nMax = std::max(1, n);
      info.nPage = static_cast<UINT>(std::max(linesInWindow_, 0));
      info.nPos = topLine_;
    }
    SetScrollInfo(this, SB_VERT, info, true);
  }
}

int TqzCustomEdit::VerticalScrollExtent() const { return LineCount() + linesInWindow_ - 1; }

void TqzCustomEdit::WMHScroll(TMessage& Message) {
  scrolling_ = true;
  const WORD code = LOWORD(Message.WParam);
  const int position = HIWORD(Message.WParam);
  switch (code) {
    case SB_LINELEFT: SetLeftColumn(leftChar_ - 1); break;
    case SB_LINERIGHT: SetLeftColumn(leftChar_ + 1); break;
    case SB_PAGELEFT: SetLeftColumn(leftChar_ - charsInWindow_); break;
    case SB_PAGERIGHT: SetLeftColumn(leftChar_ + charsInWindow_); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: SetLeftColumn(position); break;
    case SB_LEFT: SetLeftColumn(1); break;
    case SB_RIGHT: SetLeftColumn(maxColumn_); break;
    case SB_ENDSCROLL: scrolling_ = false; break;
    default: break;
  }
  Message.Result = 0;
}

void TqzCustomEdit::WMVScroll(TMessage& Message) {
  scrolling_ = true;
  const WORD code = LOWORD(Message.WParam);
  const int position = HIWORD(Message.WParam);
  switch (code) {
    case SB_LINEUP: SetTopLine(topLine_ - 1); break;
    case SB_LINEDOWN: SetTopLine(topLine_ + 1); break;
    case SB_PAGEUP: SetTopLine(topLine_ - linesInWindow_); break;
    case SB_PAGEDOWN: SetTopLine(topLine_ + linesInWindow_); break;
    case SB_TOP: SetTopLine(1); break;
    case SB_BOTTOM: SetTopLine(LineCount()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      const int n = VerticalScrollExtent();
      SetTopLine(n > kVerticalScrollLimit ? MulDiv(n, position, kVerticalScrollLimit) : position);
      if (options_.Contains(qzeoShowScrollHint)) ShowTopLineHint();
      break;
    }
    case SB_ENDSCROLL:
      scrolling_ = false;
      ScrollHint().ReleaseHandle();
      break;
    default: break;
  }
  Message.Result = 0;
  Update();
}

void TqzCustomEdit::ShowTopLineHint() {
  THintWindow& hint = ScrollHint();
  const std::string text = Format(kTopLineHint, topLine_);
  TRect r = hint.CalcHintRect(kScrollHintMaxWidth, text);
  const TPoint at = ClientToScreen(TPoint{ClientWidth() - r.Width() - 4, 10});
  r = Bounds(at.x, at.y, r.Width(), r.Height());
  hint.ActivateHint(r, text);
}

const THintWindow& TqzCustomEdit::ScrollHintWindow() { return ScrollHint(); }

void TqzCustomEdit::WMMouseWheel(TMessage& Message) {
  if (ComponentState().Contains(TComponentStateItem::csDesigning)) return;
  const WORD keys = LOWORD(Message.WParam);
  int linesPerNotch = 0;
  if (keys & MK_CONTROL) {
    linesPerNotch = options_.Contains(qzeoHalfPageScroll) ? linesInWindow_ / 2 : linesInWindow_;
  } else {
    linesPerNotch = GetWheelScrollLines();
    if (linesPerNotch == -1 || linesPerNotch > linesInWindow_) linesPerNotch = linesInWindow_;
  }
  const int delta = static_cast<short>(HIWORD(Message.WParam)) + mouseWheelAccumulator_;
  mouseWheelAccumulator_ = delta % WHEEL_DELTA;
  SetTopLine(topLine_ - (delta / WHEEL_DELTA) * linesPerNotch);
  Message.Result = 0;
  Update();
}

// ---- Caret shape and focus

void TqzCustomEdit::InitializeCaret() {
  if (!HandleAllocated()) return;
  const TCaretType type = insertMode_ ? insertCaret_ : overwriteCaret_;
  int width = charWidth_;
  int height = lineHeight_ - 2;
  caretOffset_ = TPoint{0, 0};
  switch (type) {
    case ctVerticalLine:
      width = 2;
      caretOffset_ = TPoint{-1, 0};
      break;
    case ctHorizontalLine:
      height = 2;
      caretOffset_ = TPoint{0, lineHeight_ - 2};
      break;
    case ctHalfBlock:
      height = (lineHeight_ - 2) / 2;
      caretOffset_ = TPoint{0, height};
      break;
    case ctBlock: break;
  }
  CreateCaret(this, width, height);
  ExcludeState(sfCaretVisible);
  UpdateCaret();
}

void TqzCustomEdit::UpdateCaret() {
  if (updateLock_ > 0 || !Focused()) {
    IncludeState(sfCaretChanged);
    return;
  }
  ExcludeState(sfCaretChanged);
  const int x = CaretXPix() + caretOffset_.x;
  const int y = CaretYPix() + caretOffset_.y;
  const bool outside = x < gutterWidth_ || x >= ClientWidth() || y < 0 || y >= ClientHeight();
  if (outside) {
    if (HasState(sfCaretVisible)) {
      HideCaret(this);
      ExcludeState(sfCaretVisible);
    }
    SetCaretPos(x, y);
    return;
  }
  SetCaretPos(x, y);
  if (!options_.Contains(qzeoNoCaret) && !HasState(sfCaretVisible)) {
    ShowCaret(this);
    IncludeState(sfCaretVisible);
  }
}

void TqzCustomEdit::WMSetFocus(TMessage& Message) {
  TCustomControl::WndProc(Message);
  InitializeCaret();
  if (hideSelection_ && SelectionAvailable()) Invalidate();
}

void TqzCustomEdit::WMKillFocus(TMessage& Message) {
  TCustomControl::WndProc(Message);
  HideCaret(this);
  ExcludeState(sfCaretVisible);
  DestroyCaret();
  if (hideSelection_ && SelectionAvailable()) Invalidate();
}

void TqzCustomEdit::WMGetDlgCode(TMessage& Message) {
  TCustomControl::WndProc(Message);
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (wantTabs_ && GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
}

bool TqzCustomEdit::CaretMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HSCROLL: WMHScroll(Message); return true;
    case WM_VSCROLL: WMVScroll(Message); return true;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return true;
    case WM_SETFOCUS: WMSetFocus(Message); return true;
    case WM_KILLFOCUS: WMKillFocus(Message); return true;
    case WM_GETDLGCODE: WMGetDlgCode(Message); return true;
    default: return false;
  }
}

// ---- Marks that text changes move

void TqzCustomEdit::PlaceCaret(TPoint Value) {
  InternalSetCaret(std::clamp(Value.x - 1, 0, maxColumn_), std::clamp(Value.y - 1, 0, std::max(LineCount() - 1, 0)));
}

void TqzCustomEdit::MoveMarksFrom(int First, int Delta) {
  for (int i = 0; i < markList_->Count(); ++i) {
    TMark* mark = markList_->Items(i);
    if (mark->Line() >= First) mark->SetLine(mark->Line() + Delta);
  }
}
