#pragma once
// The text-editing control: a list of byte lines coloured through an attached highlighter, painted in
// fixed character cells with a gutter, and edited by keyboard, mouse and clipboard.
//
// The unit is spread over several sources: qzCustomEdit.cpp holds the component, its line storage and
// its painting; the caret, selection, commands and undo live in sources of their own beside it.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <vector>

#include "editctl/qzEditSearch.h"
#include "editctl/qzKeyCmds.h"
#include "editctl/qzSupportProcs.h"
#include "highlight/qzHighlighter.h"
#include "vcl/Classes.h"
#include "vcl/CustomControl.h"
#include "vcl/Graphics.h"
#include "win/CodePage.h"

class TCanvas;
class TheTextDrawer;
class TqzCustomEdit;
class TqzCustomHighLighter;
class TqzGutter;
class TqzSelectedColor;
class TqzBookMarkOpt;
class TqzInternalImage;
class THintWindow;
class TTimer;
class TUndoList;
class TLineTails;
enum TUndoKind : std::uint8_t;  // qzUndoList.h

enum TqzEditorOption {
  qzeoAutoIndent,
  qzeoDragDropEditing,
  qzeoDropFiles,
  qzeoHalfPageScroll,
  qzeoNoCaret,
  qzeoNoSelection,
  qzeoScrollPastEol,
  qzeoShowScrollHint,
  qzeoTabsToSpaces,
  qzeoSmartTabs
};
using TqzEditorOptions = TSet<TqzEditorOption>;
// AutoIndent, DragDropEditing, ScrollPastEol, ShowScrollHint, TabsToSpaces, SmartTabs.
inline constexpr TqzEditorOptions QZ_DEFAULT_OPTIONS = TqzEditorOptions::FromBits(963);

// Bit value 1 is never raised.
enum TqzStatusChange {
  qzscCaretX = 1,
  qzscCaretY,
  qzscLeftColumn,
  qzscTopLine,
  qzscInsertMode,
  qzscModified,
  qzscSelection
};
using TqzStatusChanges = TSet<TqzStatusChange>;

enum TSelectionMode { smNormal, smColumn, smLine };
enum TCaretType { ctVerticalLine, ctHorizontalLine, ctHalfBlock, ctBlock };

using TStatusChangeEvent = TEvent<void(TObject* Sender, TqzStatusChanges Changes)>;
using TPaintEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas)>;
using TSpecialLineColorsEvent = TEvent<void(TObject* Sender, int Line, bool& Special, TColor& FG, TColor& BG)>;
using TDropFilesEvent = TEvent<void(TObject* Sender, int X, int Y, TStrings* Files)>;
// Characters from the keyboard, the input method or another program's clipboard text that the code page
// lacks: refused when typed or composed, put in as "?" when pasted (Replaced).
using TUnmappedCharsEvent = TEvent<void(TObject* Sender, const TUnmappedChars& Chars, bool Replaced)>;
// Printing (qzPrint.h): the status events of a print job.
enum TqzPrintStatus { prsBegin, prsNewPage, prsEnd };
using TPrintStatusEvent = TEvent<void(TObject* Sender, TqzPrintStatus Status, int PageNumber, bool& Abort)>;
struct TqzPrintOptions;

// A clipboard operation of the editor failed.
class EqzEditError : public Exception {
 public:
  using Exception::Exception;
};

// The editor's line list. Lines.Objects[i] holds the highlighter's range state at the start of line i
// (as a pointer-sized integer); the editor keeps it current through the callbacks below.
// The longest text and the longest line the editor takes in: positions and lengths are ints, and tabs
// may widen a line by the largest tab width.
inline constexpr int kMaxTabWidth = 256;
inline constexpr std::int64_t kMaxTextLength = 0x7FFFFFFF;
inline constexpr std::int64_t kMaxLineLength = kMaxTextLength / kMaxTabWidth;
// A text refused because it is longer than the editor can hold; nothing was loaded.
class ETextTooLong : public EReadError {
  using EReadError::EReadError;
};

class TqzEditList : public TStringList {
 public:
  using TIndexEvent = TEvent<void(int Index)>;
  using TListEvent = TEvent<void()>;
  using TRangeEvent = TEvent<void(int Index, int Count)>;

  std::string ClassName() const override { return "TqzEditList"; }

  int Add(const std::string& S) override;
  void AddStrings(TStrings* Strings) override;
  void Assign(TPersistent* Source) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;
  int InsertLines(int Index, std::string_view Text) override;
  void DeleteLines(int Index, int Number) override;
  // A stream of valid UTF-8 sets Encoding to UTF-8 and is converted to the code page; any other keeps
  // its bytes and sets it to the code page. ETextTooLong for a stream longer than kMaxTextLength
  // (refused before it is read) or a line longer than kMaxLineLength; the list stays as it was.
  void LoadFromStream(TStream* Stream) override;
  // The line (from 0) of the first character the last stream read held that the code page lacks (a '?'
  // stands in its place), -1 when it had none.
  int LackingLine() const { return lackingLine_; }
  void Put(int Index, const std::string& S) override;
  void SetText(const std::string& Text) override;
  // The same, with the text's memory taken over by the lines.
  void SetText(TTextBuffer&& Text);

  // The load lock: while held, an emptied list stays empty; its release restores the one empty line.
  void BeginLoad();
  void EndLoad();
  int LoadLock() const { return loadLock_; }

  // Stores a line's highlighter state found by the idle scan: the editor's own bookkeeping, not a change
  // of the text, so it tells no one (a change would collapse the selection).
  void PutRange(int Index, TObject* AObject);

  // Set by the editor.
  TListEvent OnAdded;          // after Add
  TListEvent OnCleared;        // before Clear
  TIndexEvent OnDeleted;       // after Delete(Index)
  TIndexEvent OnInserted;      // after Insert(Index)
  TRangeEvent OnLinesInserted;  // after InsertLines(Index, Text) put Count lines in
  TRangeEvent OnDeleting;       // before Delete or DeleteLines take Count lines from Index
  TIndexEvent OnPutting;        // before Put(Index), also the Put that empties the last line
  TListEvent OnTextSet;        // after the whole text is set
  TIndexEvent OnPutted;        // after Put(Index)
  TListEvent OnStringsLoaded;  // after AddStrings or LoadFromStream

 protected:
  void Changed() override;
  void Changing() override;

 private:
  int loadLock_ = 0;
  int lackingLine_ = -1;
  bool quiet_ = false;
};

// A small image attached to a text line and shown in the gutter; text changes move it with its line.
// A bookmark is a mark numbered 0..9 that the caret can jump to.
class TMark {
 public:
  explicit TMark(TqzCustomEdit* AEdit) : edit_(AEdit) {}
  virtual ~TMark() = default;
  TMark(const TMark&) = delete;
  TMark& operator=(const TMark&) = delete;

  // The owning editor; nil once the mark is found outside the editor's mark list.
  virtual TqzCustomEdit* GetEdit();
  int Line() const { return line_; }  // 1-based
  virtual void SetLine(int Value);
  int Column() const { return column_; }  // 1-based; where the caret goes for a bookmark
  virtual void SetColumn(int Value) { column_ = Value; }
  int ImageIndex() const { return imageIndex_; }
  virtual void SetImage(int Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  // Drawn from the editor's built-in strip instead of BookMarkOptions.BookmarkImages.
  bool InternalImage() const { return internalImage_; }
  void SetInternalImage(bool Value);
  int BookmarkNumber() const { return bookmarkNumber_; }  // 0..9 for a bookmark, negative otherwise
  void SetBookmarkNumber(int Value) { bookmarkNumber_ = Value; }
  bool IsBookmark() const { return bookmarkNumber_ >= 0; }

 private:
  // Repaints the gutter of a line when the mark shows there.
  void RepaintLine(int Line) const;

  TqzCustomEdit* edit_;
  int line_ = 0;
  int column_ = 0;
  int imageIndex_ = 0;
  bool visible_ = false;
  bool internalImage_ = false;
  int bookmarkNumber_ = 0;
};

// Every mark of an editor; the list owns its marks. Adding and removing fire OnChange.
class TMarkList {
 public:
  static constexpr int MaxMarksPerLine = 16;
  using TLineMarks = std::array<TMark*, MaxMarksPerLine>;

  int Count() const { return static_cast<int>(marks_.size()); }
  TMark* Items(int Index) const { return marks_.at(static_cast<std::size_t>(Index)).get(); }
  int IndexOf(const TMark* Mark) const;
  int Add(std::unique_ptr<TMark> Mark);
  // Takes the mark out of the list and frees it; returns where it stood, -1 when it was not listed.
  int Remove(TMark* Mark);
  // The marks of a line in list order, at most MaxMarksPerLine; the other entries are nil.
  void GetMarksForLine(int Line, TLineMarks& Marks) const;

  TNotifyEvent OnChange;

 private:
  std::vector<std::unique_ptr<TMark>> marks_;
};

using TGutterClickEvent = TEvent<void(TObject* Sender, int X, int Y, int Line, TMark* Mark)>;
// The handler may change the new bookmark, or reset it to cancel the placing.
using TPlaceMarkEvent = TEvent<void(TObject* Sender, std::unique_ptr<TMark>& Mark)>;

class TqzCustomEdit : public TCustomControl {
 public:
  explicit TqzCustomEdit(TComponent* AOwner);
  ~TqzCustomEdit() override;
  std::string ClassName() const override { return "TqzCustomEdit"; }
  void SetName(const std::string& Value) override;

  // --- Update lock and status notification ---------------------------------------------------------
  void BeginUpdate();
  void EndUpdate();
  void StatusChanged(TqzStatusChanges Changes);
  int UpdateLock() const { return updateLock_; }

  // --- Text ----------------------------------------------------------------------------------------
  TqzEditList* Lines() const { return lines_.get(); }
  // Assigns into the owned list once the window exists; before that it does nothing.
  void SetLines(TStrings* Value);
  int LineCount() const { return lines_->Count(); }
  std::string Text() const { return lines_->Text(); }
  void SetText(const std::string& Value);
  bool Modified() const { return modified_; }
  void SetModified(bool Value);
  virtual bool GetReadOnly() const;
  virtual void SetReadOnly(bool Value);
  bool ReadOnly() const { return GetReadOnly(); }

  // --- Options and properties ----------------------------------------------------------------------
  TqzEditorOptions Options() const { return options_; }
  void SetOptions(TqzEditorOptions Value);
  void SetOption(TqzEditorOption Option, bool Value);
  TqzCustomHighLighter* HighLighter() const { return highLighter_; }
  void SetHighLighter(TqzCustomHighLighter* Value);
  // The highlighter's state at the start of a 0-based line, scanned up to there if the scan of a newly
  // set text has not reached it yet.
  TqzRangeState LineStartRange(int Index);
  // A proportional font is replaced by the editor's fixed-pitch face with its size, style and colour.
  void SetFont(TFont* Value);
  int ExtraLineSpacing() const { return extraLineSpacing_; }
  void SetExtraLineSpacing(int Value);
  TqzGutter* Gutter() const { return gutter_.get(); }
  void SetGutter(TqzGutter* Value);
  TqzSelectedColor* SelectedColor() const { return selectedColor_.get(); }
  TqzBookMarkOpt* BookMarkOptions() const { return bookMarkOpt_.get(); }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool Value);
  int RightEdge() const { return rightEdge_; }
  void SetRightEdge(int Value);
  TColor RightEdgeColor() const { return rightEdgeColor_; }
  void SetRightEdgeColor(TColor Value);
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int Value);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  TSelectionMode SelectionMode() const { return selectionMode_; }
  void SetSelectionMode(TSelectionMode Value);
  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool Value);
  TCaretType InsertCaret() const { return insertCaret_; }
  void SetInsertCaret(TCaretType Value);
  TCaretType OverwriteCaret() const { return overwriteCaret_; }
  void SetOverwriteCaret(TCaretType Value);
  int MaxColumn() const { return maxColumn_; }

  // --- Metrics and geometry ------------------------------------------------------------------------
  int CharWidth() const { return charWidth_; }
  int LineHeight() const { return lineHeight_; }
  int CharsInWindow() const { return charsInWindow_; }
  int LinesInWindow() const { return linesInWindow_; }
  int GutterWidth() const { return gutterWidth_; }
  int TextOffsetX() const { return textOffsetX_; }
  TheTextDrawer* TextDrawer() const { return textDrawer_.get(); }

  // --- Repainting (lines are 1-based; (-1, -1) means every visible line) ---------------------------
  void InvalidateLines(int FirstLine, int LastLine);
  void InvalidateGutterLines(int FirstLine, int LastLine);
  void InvalidateLine(int Line);
  void InvalidateGutter();

  // --- Events --------------------------------------------------------------------------------------
  TNotifyEvent OnChange;
  TPaintEvent OnPaint;
  TNotifyEvent OnSelectionChange;
  TSpecialLineColorsEvent OnSpecialLineColors;
  TStatusChangeEvent OnStatusChange;
  TDropFilesEvent OnDropFiles;
  TPrintStatusEvent OnPrintStatus;
  // Told after the status change of the change that came with the characters (a paste's).
  TUnmappedCharsEvent OnUnmappedChars;

  // --- Printing (qzPrint.cpp) ----------------------------------------------------------------------
  // Prints on Printer() with AFont, or the editor's font when AFont is nullptr.
  void PrintText(TFont* AFont, const TqzPrintOptions& Options);
  virtual void DoOnPrintStatus(TqzPrintStatus Status, int PageNumber, bool& Abort);

  // --- Caret, selection, insertion and scrolling (qzCustomEditCaret.cpp) ---------------------------
  // Positions are 1-based (column, line) and clamped to the text, never refused.
  int CaretX() const { return caretX_ + 1; }
  int CaretY() const { return caretY_ + 1; }
  TPoint CaretXY() const { return TPoint{caretX_ + 1, caretY_ + 1}; }
  void SetCaretX(int Value);
  void SetCaretY(int Value);
  virtual void SetCaretXY(TPoint Value);
  // The ends of the selection in text order; the stored ends are unordered.
  TPoint BlockBegin() const;
  TPoint BlockEnd() const;
  void SetBlockBegin(TPoint Value);
  void SetBlockEnd(TPoint Value);
  bool SelectionAvailable() const;
  std::string SelText() const { return GetSelText(); }
  std::string GetSelText() const;
  // GetSelText's text appended to Out, without a copy of its own.
  void AppendSelText(std::string& Out) const;
  // Replaces the selection as one undoable change.
  void SetSelText(const std::string& Value);
  // Deletes the selection and inserts Value in Mode, recording nothing; returns nothing. ColumnWidth, when
  // given, receives the length of a column segment.
  void SetSelTextPrimitive(TSelectionMode Mode, std::string_view Value, int* ColumnWidth = nullptr);
  void InsertColumnText(TPoint From, TPoint To, const std::string& Value);
  void SelectAll();
  std::string LineText() const;
  void SetLineText(const std::string& Value);
  int TopLine() const { return topLine_; }
  void SetTopLine(int Value);
  int LeftColumn() const { return leftChar_; }
  void SetLeftColumn(int Value);
  int CaretXPix() const;
  int CaretYPix() const;
  TPoint PixelsToRowColumn(TPoint Pixels);
  TPoint RowColumnToPixels(TPoint RowColumn) const;
  bool IsPointInSelection(TPoint Value) const;
  void SelectWordAt(TPoint Value);
  // Leading characters 1..32 of Line with auto-indent, else 0.
  int LeftSpaces(const std::string& Line) const;
  void EnsureCaretVisible();
  // The client area leaves out the scroll bars on screen.
  int ClientWidth() const override;
  int ClientHeight() const override;
  // The process's scroll hint ("Top Line: %d"), for inspection.
  static const THintWindow& ScrollHintWindow();

  // --- Key strokes and commands (qzCustomEditKeys.cpp, qzCustomEditCommands.cpp) -------------------
  TqzKeyStrokes* Keystrokes() const { return keystrokes_.get(); }
  // Nil clears the bindings; anything else is copied.
  void SetKeystrokes(TqzKeyStrokes* Value);
  virtual void SetDefaultKeystrokes();
  TqzEditorCommand FindKeyCommand(WORD Key, TShiftState Shift);
  virtual void ExecuteCommand(TqzEditorCommand Command, char AChar, void* Data);
  virtual TPoint GetNextWordStart();
  virtual TPoint GetPrevWordStart();
  virtual void GotoMatchingBracket();
  void ClearAll();

  TProcessCommandEvent OnProcessCommand;
  TProcessCommandEvent OnProcessUserCommand;
  TNotifyEvent OnCommandDone;

  // --- Undo and redo (qzCustomEditUndo.cpp) --------------------------------------------------------
  void Undo();
  void Redo();
  bool CanUndo() const;
  bool CanRedo() const;
  void ClearUndo();
  void LockUndo();
  void UnlockUndo();
  int MaxUndo() const;
  // 0 or more sets the limit of both lists; a negative value is ignored.
  void SetMaxUndo(int Value);
  TUndoList* UndoList() const { return undoList_.get(); }
  // Each record added to either list marks the text modified and fires OnChange. A change recorded
  // from outside Undo and Redo empties the redo list: its records no longer fit the text.
  void RecordedChange(const TUndoList& List);
  // The line ends noted by the editing operation running now (the outermost update lock); nullptr
  // outside one.
  std::shared_ptr<TLineTails> OperationTails();
  TUndoList* RedoList() const { return redoList_.get(); }

  // --- Clipboard (qzCustomEditMouse.cpp) ------------------------------------------------------------
  // The selection goes as text and as a block that keeps its selection mode; EqzEditError when the
  // clipboard refused it.
  void CopyToClipboard();
  void CutToClipboard();
  // The block when the clipboard holds one, else the text as a stream; EqzEditError for a block
  // without data.
  void PasteFromClipboard();
  bool CanPaste() const;

  // --- Marks and bookmarks (qzCustomEditMarks.cpp) -------------------------------------------------
  TMarkList* Marks() const { return markList_.get(); }
  // Bookmark numbers are 0..9; X is a column and Y a line, both 1-based.
  void SetBookMark(int BookMark, int X, int Y);
  void GotoBookMark(int BookMark);
  void ClearBookMark(int BookMark);
  bool GetBookMark(int BookMark, int& X, int& Y) const;
  // A click at client pixel (X, Y) in the gutter; reported through OnGutterClick with the mark hit.
  virtual void DoOnGutterClick(int X, int Y);
  TGutterClickEvent OnGutterClick;
  TPlaceMarkEvent OnPlaceBookmark;

  // --- Search and replace (qzCustomEditSearch.cpp) --------------------------------------------------
  // Returns the number of hits handled.
  int SearchReplace(const std::string& ASearch, const std::string& AReplace, TqzSearchOptions Options);
  TReplaceTextEvent OnReplaceText;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  virtual void DoOnProcessCommand(TqzEditorCommand& Command, char& AChar, void* Data);
  void MoveCaretAndSelection(TPoint From, TPoint To, bool WithSelection);
  void MoveCaretHorz(int DX, bool WithSelection);
  void MoveCaretVert(int DY, bool WithSelection);
  // The window messages of caret, scrolling and focus; false for any other message.
  bool CaretMessage(TMessage& Message);
  // Mouse, drag and drop, dropped files and input method (qzCustomEditMouse.cpp).
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  // The window messages of dropped files, the input method, characters the code page lacks and the
  // cursor; false for any other.
  bool MouseMessage(TMessage& Message);

 private:
  // Releases the update lock when a scope ends, also by an exception.
  class TUpdateGuard {
   public:
    explicit TUpdateGuard(TqzCustomEdit* Edit) : edit_(Edit) {}
    ~TUpdateGuard() { edit_->EndUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

   private:
    TqzCustomEdit* edit_;
  };

  std::string LineRef(int Index) const;  // 0-based; empty past the text
  int LineLength(int Index) const;
  void InternalSetCaret(int X, int Y);  // 0-based, already clamped
  void PlaceCaret(TPoint Value);        // 1-based, only kept inside the line range and column limit
  TPoint ClampBlockPoint(TPoint P) const;
  void DeleteSelection();
  int InsertText(TSelectionMode Mode, std::string_view Value, int* ColumnWidth);
  int InsertNormal(std::string_view Value);
  void InsertColumn(const std::vector<std::string>& Segments, int* ColumnWidth);
  int InsertLines(const std::vector<std::string>& Segments);
  TPoint InsertionPoint() const;
  TSelectionMode InsertRecordMode() const;
  static std::string EvenColumnBlock(const std::string& Value);
  void AppendLinesUpTo(int Line);
  int VerticalScrollExtent() const;
  void WMHScroll(TMessage& Message);
  void WMVScroll(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void ShowTopLineHint();

  // Marks on lines from First on move by Delta. Lines First..Last are gone: their marks go with them
  // and the marks below move up by Delta.
  void MoveMarksFrom(int First, int Delta);
  void MoveMarksOfRemovedLines(int First, int Last, int Delta);
  void RemoveMarksOfLines(int First, int Last);
  // The list changed: a bookmark slot whose mark left the list is emptied, and the gutter repaints.
  void MarkListChanged(TObject* Sender);
  void RunMarkerCommand(TqzEditorCommand Command);
  // Search and replace helpers (qzCustomEditSearch.cpp).
  void SelectHit(int Column, int Line, int Length, bool Backwards);
  void ReplaceHit(const std::string& AReplace);
  // Puts each encoded line back and returns the encoding of the lines it replaced.
  std::string SwapRecordedLines(const std::string& Encoded);

  bool RunCommand(TqzEditorCommand Command, char AChar, void* Data);
  bool RunMotion(TqzEditorCommand Command, void* Data);
  bool RunDeleteLastChar();
  bool RunDeleteChar();
  void RunDeleteWord(bool Forward);
  void RunDeleteBOL();
  void RunDeleteEOL();
  void RunDeleteLine();
  void RunLineBreak(bool InsertLineOnly);
  void RunTyping(const std::string& Text);
  void RunScroll(TqzEditorCommand Command);
  void DoTabKey();
  void DoBlockIndent();
  void DoBlockUnindent();
  void RecordSelectionDeletion(TUndoKind Kind);
  // Records and deletes the selection; false when there is none.
  bool DeleteRecordedSelection(TUndoKind Kind);
  void DeleteSelectionKeepingMode(TPoint From, TPoint To);
  void WordCharSets(TqzCharSet& Ident, TqzCharSet& Separators) const;

  bool StepRestoringTails(const TUndoList& List, bool (TqzCustomEdit::*Step)());
  bool UndoStep();
  bool ReverseUndoRecord();
  void SelectRecorded(TPoint Start, TPoint End);
  bool RedoStep();
  bool RepeatRedoRecord();

  void DblClick(int X, int Y);
  TRect TextArea() const;
  void SelectByMouse(int X, int Y);
  void AutoScrollStep();
  void AutoScrollTimer(TObject* Sender);
  void StopAutoScroll();
  void PasteBlock(std::string_view Data);
  void PasteText(const std::string& Text);
  TPoint DropPosition(TPoint Drop) const;
  void WMDropFiles(TMessage& Message);
  void WMImeComposition(TMessage& Message);
  void WMImeNotify(TMessage& Message);
  void CMUnmappedChars(TMessage& Message);
  // A beep, and OnUnmappedChars once the update running now is over.
  void UnmappedChars(const TUnmappedChars& Chars, bool Replaced);
  void TellUnmappedChars();
  void WMSetCursor(TMessage& Message);


 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Paint() override;
  // Every repaint request of the editor ends here: the area goes to the window.
  virtual void InvalidateClientRect(const TRect& Rect);

  virtual void PaintGutter(const TRect& AClip, int FirstLine, int LastLine);
  virtual void PaintTextLines(const TRect& AClip, int FirstLine, int LastLine, int FirstCol, int LastCol);
  virtual void DoOnSelectionChange();
  virtual bool DoOnSpecialLineColors(int Line, TColor& Foreground, TColor& Background);

  // --- Metrics and geometry ------------------------------------------------------------------------
  void RecalcCharExtent();
  void FontChanged() override;
  void SizeOrFontChanged(bool FontChanged);
  void GutterChanged();
  void SetGutterWidth(int Value);

  // --- Range rescan after a change; returns the last line whose text was scanned or state changed ---
  int RescanFrom(int Index);
  void ScanAllRanges();
  void ScanRanges(int First, int Last);
  // Makes the states of lines 0..Index known; the idle scan makes the rest known in slices.
  void KnowRangesTo(int Index);
  void ScanRangesWhenIdle();
  void RangeScanSlice(TObject* Sender);

  // --- Caret and scroll bars -----------------------------------------------------------------------
  // Under the update lock or without a window these only mark the work pending; it runs at EndUpdate.
  void UpdateScrollBars(bool Force = false);
  void UpdateCaret();
  void InitializeCaret();

  // State flags.
  static constexpr unsigned sfCaretChanged = 1;
  static constexpr unsigned sfScrollbarChanged = 2;
  static constexpr unsigned sfLinesChanging = 4;
  static constexpr unsigned sfCaretVisible = 32;
  bool HasState(unsigned flag) const { return (stateFlags_ & flag) != 0; }
  void IncludeState(unsigned flag) { stateFlags_ |= flag; }
  void ExcludeState(unsigned flag) { stateFlags_ &= ~flag; }

 private:
  // Line-list callbacks.
  void ListAdded();
  void ListCleared();
  // Back to the top of the text: caret, selection, first line and column (the whole text went).
  void ResetView();
  bool SetCursorForMouse();
  void ListDeleting(int Index, int Count);
  void ListDeleted(int Index);
  void ListPutting(int Index);
  void ListInserted(int Index);
  void ListLinesInserted(int Index, int Count);
  void ListTextSet();
  void ListPutted(int Index);
  void ListStringsLoaded();
  void ListRangesAfterRemovalOrInsertion(int Index);
  void LinesChanging(TObject* Sender);
  void LinesChanged(TObject* Sender);

  void GutterChangedEvent(TObject* Sender);
  void SelectedColorChanged(TObject* Sender);
  void BookMarkOptionsChanged(TObject* Sender);
  void HighlighterAttributesChanged(TObject* Sender);

  // Painting helpers.
  struct TPaintSelection;
  void PaintTextLine(int Line, const TRect& LineRect, int FirstCol, int LastCol, const TPaintSelection& Sel,
                     TColor EditorBackground);
  void PaintMarks(int FirstLine, int LastLine);
  // Draws a mark in its line's row at the row's x offset, which grows when something was drawn.
  void PaintMark(const TMark& Mark, int& XOffset);

 protected:
  // The fields, in the order of the component's data model. Text positions are 1-based (column, line)
  // unless said otherwise.
  TPoint blockBegin_{1, 1};
  TPoint blockEnd_{1, 1};
  int caretX_ = 0;  // 0-based; CaretX = caretX_ + 1
  int caretY_ = 0;  // 0-based
  int charsInWindow_ = 0;
  int charWidth_ = 0;
  std::unique_ptr<TFont> ownFont_;  // the editor's own font: its face replaces a proportional one
  int gutterWidth_ = 0;
  int imeCount_ = 0;
  bool mbcsStepAside_ = false;  // the caret stepped off the trail byte of a double-byte character
  bool insertMode_ = true;
  std::unique_ptr<TqzEditList> lines_;
  int linesInWindow_ = 0;
  int leftChar_ = 1;  // first visible column, 1-based
  int maxColumn_ = 1024;
  int updateLock_ = 0;
  bool readOnly_ = false;
  int rightEdge_ = 80;
  TColor rightEdgeColor_ = clSilver;
  TScrollStyle scrollBars_ = ssBoth;
  int lineHeight_ = 0;
  int textOffsetX_ = 0;
  int topLine_ = 1;  // first visible line, 1-based
  TqzCustomHighLighter* highLighter_ = nullptr;  // not owned
  std::unique_ptr<TqzSelectedColor> selectedColor_;
  std::unique_ptr<TqzBookMarkOpt> bookMarkOpt_;
  std::unique_ptr<TqzInternalImage> internalImage_;  // made the first time a mark needs it
  TPoint mouseDownPos_;
  TPoint dragPos_;
  int mouseDownX_ = 0;
  int mouseDownY_ = 0;
  TBorderStyle borderStyle_ = bsSingle;
  bool hideSelection_ = false;
  int mouseWheelAccumulator_ = 0;
  TCaretType overwriteCaret_ = ctBlock;
  TCaretType insertCaret_ = ctVerticalLine;
  TPoint caretOffset_;
  bool modified_ = false;
  int extraLineSpacing_ = 0;
  TSelectionMode selectionMode_ = smNormal;
  bool wantTabs_ = false;
  std::unique_ptr<TqzGutter> gutter_;
  int tabWidth_ = 8;
  std::unique_ptr<TheTextDrawer> textDrawer_;
  TRect invalidateRect_;  // collected while the line list changes
  unsigned stateFlags_ = 0;
  TqzEditorOptions options_ = QZ_DEFAULT_OPTIONS;
  TqzStatusChanges statusChanges_;  // raised but not yet sent
  WORD lastKey_ = 0;                // the first stroke of a two-stroke binding
  TShiftState lastShiftState_;

 protected:
  std::unique_ptr<TUndoList> undoList_;
  std::unique_ptr<TUndoList> redoList_;
  bool reversing_ = false;  // inside Undo or Redo
  std::shared_ptr<TLineTails> operationTails_;
  std::unique_ptr<TqzKeyStrokes> keystrokes_;
  std::unique_ptr<TMarkList> markList_;
  std::array<TMark*, 10> bookmarks_{};  // the marks of the list numbered 0..9, or nil
  std::unique_ptr<TqzEditSearch> searchEngine_ = std::make_unique<TqzEditSearch>();
  bool keyHandled_ = false;  // the key-down made a command: drop the character it types
  int imeSkipCount_ = 0;     // typed characters to drop after an input-method string
  TUnmappedChars untoldChars_;  // unmapped characters OnUnmappedChars has yet to hear of
  bool untoldReplaced_ = false;
  bool scrolling_ = false;   // a scroll-bar action is in progress
  // Mouse state between a left press and its release.
  bool dragPending_ = false;   // the press was on the selection: a drag or, released in place, a click
  bool gutterPress_ = false;   // the press was left of the gutter's right edge
  bool wordSelected_ = false;  // a double-click selected a word; the next release clears it
  bool autoScrolling_ = false;
  TPoint mousePoint_;          // client point of the last mouse move, which auto-scrolling follows
  TTimer* autoScrollTimer_ = nullptr;  // owned as a component, made on first use
  // A whole new text has its first lines' states scanned at once and the rest in idle slices, so a big
  // file shows before its last line is tokenized: the states of lines 0..rangesKnown_-1 are stored.
  int rangesKnown_ = 0;
  TTimer* rangeScanTimer_ = nullptr;  // owned as a component, made on first use
};
