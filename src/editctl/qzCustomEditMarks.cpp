// Marks in the gutter and the ten bookmarks: placing, clearing and jumping to them, their key commands,
// and which mark a gutter click hits.
#include <algorithm>

#include "editctl/qzCustomEdit.h"
#include "editctl/qzSupportClasses.h"

namespace {

constexpr int kBookmarkCount = 10;

bool IsBookmarkNumber(int BookMark) { return BookMark >= 0 && BookMark < kBookmarkCount; }

}  // namespace

// ---- TMark

TqzCustomEdit* TMark::GetEdit() {
  if (edit_ && edit_->Marks()->IndexOf(this) < 0) edit_ = nullptr;
  return edit_;
}

void TMark::RepaintLine(int Line) const {
  if (visible_ && edit_ && Line > 0) edit_->InvalidateGutterLines(Line, Line);
}

void TMark::SetLine(int Value) {
  RepaintLine(line_);
  line_ = Value;
  RepaintLine(line_);
}

void TMark::SetImage(int Value) {
  imageIndex_ = Value;
  RepaintLine(line_);
}

void TMark::SetInternalImage(bool Value) {
  internalImage_ = Value;
  RepaintLine(line_);
}

void TMark::SetVisible(bool Value) {
  if (Value == visible_) return;
  visible_ = Value;
  if (edit_ && line_ > 0) edit_->InvalidateGutterLines(line_, line_);
}

// ---- TMarkList

int TMarkList::IndexOf(const TMark* Mark) const {
  const auto found = std::find_if(marks_.begin(), marks_.end(), [Mark](const auto& m) { return m.get() == Mark; });
  return found == marks_.end() ? -1 : static_cast<int>(found - marks_.begin());
}

int TMarkList::Add(std::unique_ptr<TMark> Mark) {
  marks_.push_back(std::move(Mark));
  Fire(OnChange, nullptr);
  return Count() - 1;
}

int TMarkList::Remove(TMark* Mark) {
  const int index = IndexOf(Mark);
  if (index >= 0) marks_.erase(marks_.begin() + index);
  Fire(OnChange, nullptr);
  return index;
}

void TMarkList::GetMarksForLine(int Line, TLineMarks& Marks) const {
  Marks.fill(nullptr);
  std::size_t n = 0;
  for (const auto& mark : marks_) {
    if (n == Marks.size()) break;
    if (mark->Line() == Line) Marks[n++] = mark.get();
  }
}

// ---- Bookmarks

void TqzCustomEdit::SetBookMark(int BookMark, int X, int Y) {
  if (!IsBookmarkNumber(BookMark) || Y < 1 || Y > LineCount()) return;
  auto mark = std::make_unique<TMark>(this);
  mark->SetLine(Y);
  mark->SetColumn(X);
  mark->SetImage(BookMark);
  mark->SetBookmarkNumber(BookMark);
  mark->SetVisible(true);
  mark->SetInternalImage(bookMarkOpt_->BookmarkImages() == nullptr);
  Fire(OnPlaceBookmark, this, mark);
  if (!mark) return;
  // One line holds one bookmark at most, and each number stands on one line.
  for (int i = 0; i < kBookmarkCount; ++i)
    if (bookmarks_[static_cast<std::size_t>(i)] && bookmarks_[static_cast<std::size_t>(i)]->Line() == Y) ClearBookMark(i);
  ClearBookMark(BookMark);
  bookmarks_[static_cast<std::size_t>(BookMark)] = mark.get();
  markList_->Add(std::move(mark));
}

void TqzCustomEdit::ClearBookMark(int BookMark) {
  if (!IsBookmarkNumber(BookMark)) return;
  if (TMark* mark = bookmarks_[static_cast<std::size_t>(BookMark)]) markList_->Remove(mark);
}

void TqzCustomEdit::GotoBookMark(int BookMark) {
  if (!IsBookmarkNumber(BookMark)) return;
  const TMark* mark = bookmarks_[static_cast<std::size_t>(BookMark)];
  if (mark && mark->Line() <= LineCount()) SetCaretXY(TPoint{mark->Column(), mark->Line()});
}

bool TqzCustomEdit::GetBookMark(int BookMark, int& X, int& Y) const {
  for (int i = 0; i < markList_->Count(); ++i) {
    const TMark* mark = markList_->Items(i);
    if (mark->IsBookmark() && mark->BookmarkNumber() == BookMark) {
      X = mark->Column();
      Y = mark->Line();
      return true;
    }
  }
  return false;
}

void TqzCustomEdit::RunMarkerCommand(TqzEditorCommand Command) {
  if (!bookMarkOpt_->EnableKeys()) return;
  if (Command >= ecGotoMarker0 && Command <= ecGotoMarker9) {
    GotoBookMark(Command - ecGotoMarker0);
    return;
  }
  const int number = Command - ecSetMarker0;
  const TMark* mark = bookmarks_[static_cast<std::size_t>(number)];
  const bool onCaretLine = mark && mark->Line() == CaretY();
  ClearBookMark(number);
  if (!onCaretLine) SetBookMark(number, CaretX(), CaretY());
}

// ---- Marks that go with their lines

// Every removal comes here at once, whoever made it, so no slot keeps a freed mark.
void TqzCustomEdit::MarkListChanged(TObject*) {
  for (TMark*& slot : bookmarks_)
    if (slot && markList_->IndexOf(slot) < 0) slot = nullptr;
  InvalidateGutter();
}

void TqzCustomEdit::RemoveMarksOfLines(int First, int Last) {
  for (int i = markList_->Count() - 1; i >= 0; --i) {
    TMark* mark = markList_->Items(i);
    if (mark->Line() >= First && mark->Line() <= Last) markList_->Remove(mark);
  }
}

void TqzCustomEdit::MoveMarksOfRemovedLines(int First, int Last, int Delta) {
  RemoveMarksOfLines(First, Last);
  MoveMarksFrom(Last + 1, -Delta);
}

// ---- Gutter clicks

void TqzCustomEdit::DoOnGutterClick(int X, int Y) {
  if (!OnGutterClick) return;
  const int line = PixelsToRowColumn(TPoint{X, Y}).y;
  if (line > LineCount()) return;
  TMarkList::TLineMarks marks;
  markList_->GetMarksForLine(line, marks);
  // The k-th mark of the line covers the pixels from (k - 1) to k times Xoffset.
  TMark* clicked = nullptr;
  int right = 0;
  for (TMark* mark : marks) {
    if (!mark) continue;
    right += bookMarkOpt_->Xoffset();
    if (X < right) {
      clicked = mark;
      break;
    }
  }
  OnGutterClick(this, X, Y, line, clicked);
}
