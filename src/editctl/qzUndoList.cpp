#include "editctl/qzUndoList.h"

#include "editctl/qzCustomEdit.h"

TUndoList::TUndoList(TqzCustomEdit* editor) : FEditor(editor) {}

void TUndoList::AddChange(TUndoKind kind, TPoint start, TPoint end, const std::string& text, TSelectionMode mode) {
  if (FLocked) return;
  if (ItemCount() >= FMaxUndo && !FItems.empty()) FItems.pop_front();
  FItems.push_back(TChange{text, kind, start, end, mode});
  if (FEditor) FEditor->RecordedChange();
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

void TUndoList::SetMaxUndo(int value) {
  while (ItemCount() > value && !FItems.empty()) FItems.pop_front();
  FMaxUndo = value;
}

void TUndoList::Delete(int index) {
  if (index < 0 || index >= ItemCount()) return;
  FItems.erase(FItems.begin() + index);
}

void TUndoList::Clear() { FItems.clear(); }
