#pragma once
// The bounded list of change records behind the editor's undo and redo.
#include <cstdint>
#include <deque>
#include <string>

#include "editctl/qzCustomEdit.h"
#include "vcl/Types.h"

enum TUndoKind : std::uint8_t {
  ukInsert,
  ukPaste,
  ukDropInsert,
  ukDeleteCommand,
  ukDelete,
  ukReplaceDelete,
  ukDropDelete,
  ukLineBreak,
  ukIndent,
  ukUnindent,
  ukReplaceAll,  // the lines a replace all changed, each with its text before (see SwapRecordedLines)
  ukNone  // never stored: what an empty list answers
};

class TUndoList {
 public:
  explicit TUndoList(TqzCustomEdit* editor);
  TUndoList(const TUndoList&) = delete;
  TUndoList& operator=(const TUndoList&) = delete;

  // Appends a record (dropping the oldest at the limit) and marks the editor modified.
  void AddChange(TUndoKind kind, TPoint start, TPoint end, const std::string& text, TSelectionMode mode);
  // Removes the newest record; ukNone with the outputs untouched when the list is empty.
  TUndoKind PopItem(TPoint& start, TPoint& end, TSelectionMode& mode, std::string& text);
  TUndoKind PeekKind() const;
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  int MaxUndo() const { return FMaxUndo; }
  void SetMaxUndo(int value);
  void Delete(int index);
  void Clear();
  void Lock() { FLocked = true; }
  void Unlock() { FLocked = false; }

 private:
  struct TChange {
    std::string Text;
    TUndoKind Kind;
    TPoint Start;
    TPoint End;
    TSelectionMode SelectionMode;
  };

  TqzCustomEdit* FEditor;
  std::deque<TChange> FItems;  // oldest first
  int FMaxUndo = 10;
  bool FLocked = false;
};
