// Undo and redo: each reversal moves its record, as a new one, to the other list. Records of
// replacements and drag moves chain, so that one step reverses the pair.
#include <algorithm>

#include "editctl/qzCustomEdit.h"
#include "editctl/qzUndoList.h"
#include "vcl/SysUtils.h"

namespace {

bool Before(TPoint a, TPoint b) { return a.y < b.y || (a.y == b.y && a.x < b.x); }

// Where a deleted text goes back: the earlier end, or in column mode the upper left corner.
TPoint RestorePoint(TPoint start, TPoint end, TSelectionMode mode) {
  if (mode == smColumn) return TPoint{std::min(start.x, end.x), std::min(start.y, end.y)};
  return Before(end, start) ? end : start;
}

int SegmentCount(const std::string& text) {
  int count = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n') ++count;
  }
  return count;
}

std::string WithoutTrailingBreak(const std::string& text) {
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) return text.substr(0, text.size() - 2);
  if (!text.empty() && (text.back() == '\r' || text.back() == '\n')) return text.substr(0, text.size() - 1);
  return text;
}

// The line without the blanks that only filled it up to a column; its own first Own bytes stay.
std::string WithoutPadding(const std::string& line, std::size_t own) {
  return line.substr(0, std::max(TrimRight(line).size(), own));
}

// Restores the selection mode when the scope ends, also by an exception.
class TModeRestore {
 public:
  TModeRestore(TqzCustomEdit* edit) : edit_(edit), mode_(edit->SelectionMode()) {}
  ~TModeRestore() { edit_->SetSelectionMode(mode_); }
  TModeRestore(const TModeRestore&) = delete;
  TModeRestore& operator=(const TModeRestore&) = delete;

 private:
  TqzCustomEdit* edit_;
  TSelectionMode mode_;
};

}  // namespace

// Selects a recorded range as it was recorded: an end past its line's end stays there (the deletion
// then fills the line up to it), where the selection setters would pull it back to the line.
void TqzCustomEdit::SelectRecorded(TPoint Start, TPoint End) {
  auto keep = [this](TPoint p) {
    return TPoint{std::clamp(p.x, 1, maxColumn_), std::clamp(p.y, 1, std::max(LineCount(), 1))};
  };
  blockBegin_ = keep(Start);
  blockEnd_ = keep(End);
  InvalidateLines(std::min(blockBegin_.y, blockEnd_.y), std::max(blockBegin_.y, blockEnd_.y));
  StatusChanged(TqzStatusChanges{qzscSelection});
}

bool TqzCustomEdit::CanUndo() const { return undoList_->ItemCount() > 0; }
bool TqzCustomEdit::CanRedo() const { return redoList_->ItemCount() > 0; }

void TqzCustomEdit::ClearUndo() {
  undoList_->Clear();
  redoList_->Clear();
}

void TqzCustomEdit::LockUndo() {
  undoList_->Lock();
  redoList_->Lock();
}

void TqzCustomEdit::UnlockUndo() {
  undoList_->Unlock();
  redoList_->Unlock();
}

int TqzCustomEdit::MaxUndo() const { return undoList_->MaxUndo(); }

void TqzCustomEdit::SetMaxUndo(int Value) {
  if (Value < 0) return;
  undoList_->SetMaxUndo(Value);
  redoList_->SetMaxUndo(Value);
}

void TqzCustomEdit::RecordedChange(const TUndoList& List) {
  if (&List == undoList_.get() && !reversing_) redoList_->Clear();
  SetModified(true);
  Fire(OnChange, this);
}

void TqzCustomEdit::Undo() {
  if (!CanUndo()) return;
  BeginUpdate();
  const TUpdateGuard release(this);
  const TModeRestore restoreMode(this);
  const TRestore<bool> reversing(reversing_, true);
  while (UndoStep()) {
  }
}

// One record of List through Step. After the last record of an operation the lines it changed get
// back the ends they had before it: trailing blanks that the commands cut, and that no record holds.
bool TqzCustomEdit::StepRestoringTails(const TUndoList& List, bool (TqzCustomEdit::*Step)()) {
  const std::shared_ptr<const TLineTails> tails = List.PeekTails();
  const bool more = (this->*Step)();
  if (tails && List.PeekTails() != tails) tails->Restore(*Lines());
  return more;
}

// Reverses the newest undo record; true when the next one belongs to the same step.
bool TqzCustomEdit::UndoStep() { return StepRestoringTails(*undoList_, &TqzCustomEdit::ReverseUndoRecord); }

bool TqzCustomEdit::ReverseUndoRecord() {
  TPoint start;
  TPoint end;
  TSelectionMode mode = smNormal;
  std::string text;
  const TUndoKind kind = undoList_->PopItem(start, end, mode, text);
  if (kind == ukNone) return false;
  SetSelectionMode(mode);
  switch (kind) {
    case ukInsert:
    case ukPaste:
    case ukDropInsert: {
      SelectRecorded(start, end);
      PlaceCaret(start);  // where the text goes back when nothing is left to select
      const std::string inserted = GetSelText();
      SetSelTextPrimitive(mode, text);
      // The redo record spans what came back, so that redo replaces it again (typing over text).
      redoList_->AddChange(kind, start, CaretXY(), inserted, mode);
      SetCaretXY(start);
      const TUndoKind next = undoList_->PeekKind();
      return next == ukReplaceDelete || (next == ukDropDelete && kind == ukDropInsert);
    }
    case ukLineBreak: {
      PlaceCaret(start);
      redoList_->AddChange(ukLineBreak, start, end, "", mode);
      std::string head = LineText();
      const std::size_t ownLength = head.size();
      // A line split inside its indentation left an empty line; blanks put back there would double it.
      const bool movedWholeLine = head.empty() && options_.Contains(qzeoAutoIndent) && !text.empty() &&
                                  static_cast<unsigned char>(text[0]) >= 1 && static_cast<unsigned char>(text[0]) <= 32;
      if (static_cast<int>(head.size()) < caretX_ && !movedWholeLine) head.append(static_cast<std::size_t>(caretX_) - head.size(), ' ');
      if (end.y >= 0 && end.y < LineCount()) Lines()->Delete(end.y);
      PlaceCaret(start);
      Lines()->Put(caretY_, WithoutPadding(head + text, ownLength));
      MoveMarksFrom(CaretY() + 1, -1);
      return false;
    }
    case ukIndent: {
      SetBlockBegin(TPoint{1, start.y});
      SetBlockEnd(TPoint{tabWidth_ + 1, end.x == 1 ? end.y - 1 : end.y});
      redoList_->AddChange(ukIndent, start, end, GetSelText(), mode);
      SetSelTextPrimitive(mode, "");
      SetBlockBegin(start);
      SetCaretXY(end);
      SetBlockEnd(CaretXY());
      return false;
    }
    case ukUnindent: {
      redoList_->AddChange(ukUnindent, start, end, text, mode);
      InsertColumnText(TPoint{1, start.y}, TPoint{1, start.y}, text);
      SetCaretXY(start);
      SetBlockBegin(start);
      SetBlockEnd(end);
      return false;
    }
    case ukDeleteCommand:
    case ukDelete:
    case ukReplaceDelete:
    case ukDropDelete: {
      TPoint at = RestorePoint(start, end, mode);
      std::string restored = text;
      if (at.y > LineCount()) {
        // The deleted line was the last one: it comes back after the line that is last now.
        at = TPoint{LineLength(LineCount() - 1) + 1, LineCount()};
        restored = "\r\n" + WithoutTrailingBreak(text);
      }
      PlaceCaret(at);
      SetBlockBegin(at);
      const std::size_t ownLength = static_cast<std::size_t>(LineLength(at.y - 1));
      SetSelTextPrimitive(mode, restored);
      const TPoint restoredEnd = CaretXY();
      if (mode == smNormal && !restored.empty() && (restored[0] == '\r' || restored[0] == '\n')) {
        // The line ended where the break comes back; blanks that filled up to the caret are not its own.
        Lines()->Put(at.y - 1, WithoutPadding(LineRef(at.y - 1), ownLength));
      }
      if (mode == smColumn) {
        // Padding that filled short lines up to the block is not text of theirs.
        const int lines = SegmentCount(restored);
        for (int y = at.y; y < at.y + lines && y <= LineCount(); ++y) Lines()->Put(y - 1, TrimRight(LineRef(y - 1)));
      }
      // Whole lines come back where they were; a stream or block spans from where it went in to
      // where it ended, which may differ from the recorded ends (a caret-only record).
      const TPoint from = mode == smLine ? start : at;
      const TPoint to = mode == smLine ? end : restoredEnd;
      SetCaretXY(end);
      SetBlockBegin(from);
      SetBlockEnd(to);
      redoList_->AddChange(kind, from, to, "", mode);
      EnsureCaretVisible();
      return false;
    }
    case ukReplaceAll:
      redoList_->AddChange(ukReplaceAll, start, end, SwapRecordedLines(text), mode);
      SetCaretXY(start);
      return false;
    case ukNone: break;
  }
  return false;
}

void TqzCustomEdit::Redo() {
  if (!CanRedo()) return;
  BeginUpdate();
  const TUpdateGuard release(this);
  const TModeRestore restoreMode(this);
  const TRestore<bool> reversing(reversing_, true);
  while (RedoStep()) {
  }
}

// Repeats the newest redo record; true when the next one belongs to the same step.
bool TqzCustomEdit::RedoStep() { return StepRestoringTails(*redoList_, &TqzCustomEdit::RepeatRedoRecord); }

bool TqzCustomEdit::RepeatRedoRecord() {
  TPoint start;
  TPoint end;
  TSelectionMode mode = smNormal;
  std::string text;
  const TUndoKind kind = redoList_->PopItem(start, end, mode, text);
  if (kind == ukNone) return false;
  SetSelectionMode(mode);
  switch (kind) {
    case ukDeleteCommand:
    case ukDelete:
    case ukReplaceDelete:
    case ukDropDelete: {
      SetCaretXY(start);
      SelectRecorded(start, end);
      undoList_->AddChange(kind, start, end, GetSelText(), mode);
      SetSelTextPrimitive(mode, text);
      SetCaretXY(start);
      const TUndoKind next = redoList_->PeekKind();
      return kind == ukReplaceDelete || (kind == ukDropDelete && next == ukDropInsert);
    }
    case ukLineBreak:
      // The break is made again where it was made, wherever the caret stands now, and with no
      // selection for it to replace.
      SetBlockBegin(start);
      PlaceCaret(start);
      ExecuteCommand(ecLineBreak, '\r', nullptr);
      return false;
    case ukIndent: {
      InsertColumnText(TPoint{1, start.y}, TPoint{1, start.y}, text);
      undoList_->AddChange(ukIndent, start, end, text, mode);
      SetBlockBegin(start);
      SetCaretXY(TPoint{1, end.y + 1});
      SetBlockBegin(TPoint{start.x + tabWidth_, start.y});
      SetBlockEnd(end.x == 1 ? TPoint{1, end.y} : TPoint{end.x + tabWidth_, end.y});
      return false;
    }
    case ukUnindent: {
      undoList_->AddChange(ukUnindent, start, end, text, smColumn);
      std::vector<std::string> removed(1);
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (text[i] == '\r' || text[i] == '\n')
          removed.emplace_back();
        else
          removed.back() += text[i];
      }
      for (std::size_t i = 0; i < removed.size(); ++i) {
        const int line = start.y - 1 + static_cast<int>(i);
        if (line >= LineCount()) break;
        Lines()->Put(line, LineRef(line).substr(std::min(removed[i].size(), LineRef(line).size())));
      }
      SetCaretXY(TPoint{start.x - tabWidth_, start.y});
      SetBlockBegin(CaretXY());
      SetBlockEnd(TPoint{end.x - static_cast<int>(removed.back().size()), end.y});
      return false;
    }
    case ukInsert:
    case ukPaste:
    case ukDropInsert: {
      SelectRecorded(start, end);
      PlaceCaret(start);
      const std::string replaced = GetSelText();
      SetSelTextPrimitive(mode, text);
      undoList_->AddChange(kind, start, CaretXY(), replaced, mode);
      return false;
    }
    case ukReplaceAll:
      undoList_->AddChange(ukReplaceAll, start, end, SwapRecordedLines(text), mode);
      SetCaretXY(end);
      return false;
    case ukNone: break;
  }
  return false;
}
