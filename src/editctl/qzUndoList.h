#pragma once
// The bounded list of change records behind the editor's undo and redo.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// The white space at the ends of the lines that one editing operation changed, as it was before the
// operation, by line number in the text as it was then. Commands cut trailing blanks from the lines
// they change, and what they record does not hold them; once the operation's records are reversed,
// the text has its old lines again and each gets its old end back.
class TLineTails {
 public:
  // Before a line's text changes or the line is deleted (0-based, numbered as now).
  void Changing(int Line, std::string_view Text);
  void Deleting(int Line, int Count, const TStringList& Lines);
  void Inserted(int Line, int Count);
  // Each noted line that exists, without its trailing white space, then with the noted one.
  void Restore(TStringList& Lines) const;

 private:
  // The number the line had before the operation; -1 for a line the operation inserted.
  int Before(int Line) const;
  struct TShift {
    int Line;
    int Count;  // lines inserted there, or (negative) deleted
  };
  std::vector<TShift> shifts_;
  std::map<int, std::string> tails_;
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
  // The line ends noted by the operation that added the newest record; nullptr when empty or none.
  std::shared_ptr<const TLineTails> PeekTails() const;
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
    std::shared_ptr<const TLineTails> Tails;  // shared by the records of one operation
  };

  TqzCustomEdit* FEditor;
  std::deque<TChange> FItems;  // oldest first
  int FMaxUndo = 10;
  bool FLocked = false;
};
