#include "editctl/qzUndoList.h"

#include "editctl/qzCustomEdit.h"

namespace {

std::string_view TailOf(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(end);
}

}  // namespace

int TLineTails::Before(int Line) const {
  for (auto shift = shifts_.rbegin(); shift != shifts_.rend(); ++shift) {
    if (Line < shift->Line) continue;
    if (shift->Count > 0 && Line < shift->Line + shift->Count) return -1;
    Line -= shift->Count;
  }
  return Line;
}

void TLineTails::Changing(int Line, std::string_view Text) {
  const int before = Before(Line);
  if (before >= 0) tails_.try_emplace(before, TailOf(Text));
}

// A deleted line's text comes back whole from the record; only its end can have been cut, after it
// was joined to another line, so only lines that end in white space are noted.
void TLineTails::Deleting(int Line, int Count, const TStringList& Lines) {
  for (int i = Line; i < Line + Count; ++i) {
    const std::string_view text = Lines.GetRef(i);
    if (!TailOf(text).empty()) Changing(i, text);
  }
  shifts_.push_back({Line, -Count});
}

void TLineTails::Inserted(int Line, int Count) { shifts_.push_back({Line, Count}); }

void TLineTails::Restore(TStringList& Lines) const {
  for (const auto& [line, tail] : tails_) {
    if (line >= Lines.Count()) continue;
    const std::string_view text = Lines.GetRef(line);
    const std::string_view end = TailOf(text);
    if (end != tail) Lines.Put(line, std::string(text.substr(0, text.size() - end.size())) + tail);
  }
}

TUndoList::TUndoList(TqzCustomEdit* editor) : FEditor(editor) {}

void TUndoList::AddChange(TUndoKind kind, TPoint start, TPoint end, const std::string& text, TSelectionMode mode) {
  if (FLocked) return;
  if (ItemCount() >= FMaxUndo && !FItems.empty()) FItems.pop_front();
  FItems.push_back(TChange{text, kind, start, end, mode, FEditor ? FEditor->OperationTails() : nullptr});
  if (FEditor) FEditor->RecordedChange(*this);
}

TUndoKind TUndoList::PopItem(TPoint& start, TPoint& end, TSelectionMode& mode, std::string& text) {
  if (FItems.empty()) return ukNone;
  TChange& newest = FItems.back();
  start = newest.Start;
  end = newest.End;
  mode = newest.SelectionMode;
  text = std::move(newest.Text);
  const TUndoKind kind = newest.Kind;
  FItems.pop_back();
  return kind;
}

TUndoKind TUndoList::PeekKind() const { return FItems.empty() ? ukNone : FItems.back().Kind; }

std::shared_ptr<const TLineTails> TUndoList::PeekTails() const { return FItems.empty() ? nullptr : FItems.back().Tails; }

void TUndoList::SetMaxUndo(int value) {
  while (ItemCount() > value && !FItems.empty()) FItems.pop_front();
  FMaxUndo = value;
}

void TUndoList::Delete(int index) {
  if (index < 0 || index >= ItemCount()) return;
  FItems.erase(FItems.begin() + index);
}

void TUndoList::Clear() { FItems.clear(); }
