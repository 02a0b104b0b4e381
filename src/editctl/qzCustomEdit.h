#pragma once
// The text-editing control: a list of byte lines coloured through an attached highlighter, painted in
// fixed character cells with a gutter, and edited by keyboard, mouse and clipboard.
//
// The unit is spread over several sources: qzCustomEdit.cpp holds the component, its line storage and
// its painting; the caret, selection, commands and undo live in sources of their own beside it.
#include <memory>
#include <string>

#include "vcl/Classes.h"
#include "vcl/CustomControl.h"
#include "vcl/Graphics.h"

class TCanvas;
class TheTextDrawer;
class TqzCustomEdit;
class TqzCustomHighLighter;
class TqzGutter;
class TqzSelectedColor;

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

// The editor's line list. Lines.Objects[i] holds the highlighter's range state at the start of line i
// (as a pointer-sized integer); the editor keeps it current through the callbacks below.
class TqzEditList : public TStringList {
 public:
  using TIndexEvent = TEvent<void(int Index)>;
  using TListEvent = TEvent<void()>;

  std::string ClassName() const override { return "TqzEditList"; }

  int Add(const std::string& S) override;
  void AddStrings(TStrings* Strings) override;
  void Assign(TPersistent* Source) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;
  void LoadFromStream(TStream* Stream) override;
  void Put(int Index, const std::string& S) override;
  void SetText(const std::string& Text) override;

  // The load lock: while held, an emptied list stays empty; its release restores the one empty line.
  void BeginLoad();
  void EndLoad();
  int LoadLock() const { return loadLock_; }

  // Set by the editor.
  TListEvent OnAdded;          // after Add
  TListEvent OnCleared;        // before Clear
  TIndexEvent OnDeleted;       // after Delete(Index)
  TIndexEvent OnInserted;      // after Insert(Index)
  TListEvent OnTextSet;        // after the whole text is set
  TIndexEvent OnPutted;        // after Put(Index)
  TListEvent OnStringsLoaded;  // after AddStrings or LoadFromStream

 private:
  int loadLock_ = 0;
};

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
  // A proportional font is replaced by the editor's fixed-pitch face with its size, style and colour.
  void SetFont(TFont* Value);
  int ExtraLineSpacing() const { return extraLineSpacing_; }
  void SetExtraLineSpacing(int Value);
  TqzGutter* Gutter() const { return gutter_.get(); }
  void SetGutter(TqzGutter* Value);
  TqzSelectedColor* SelectedColor() const { return selectedColor_.get(); }
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

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
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

  // --- Range rescan after a change; returns the last line whose text was scanned -------------------
  int RescanFrom(int Index);
  void ScanAllRanges();

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
  void ListDeleted(int Index);
  void ListInserted(int Index);
  void ListTextSet();
  void ListPutted(int Index);
  void ListStringsLoaded();
  void ListRangesAfterRemovalOrInsertion(int Index);
  void LinesChanging(TObject* Sender);
  void LinesChanged(TObject* Sender);

  void GutterChangedEvent(TObject* Sender);
  void SelectedColorChanged(TObject* Sender);
  void HighlighterAttributesChanged(TObject* Sender);
  // Without qzeoScrollPastEol the caret may not stand beyond the end of its line.
  void ClampCaretToLine();

  // Painting helpers.
  struct TPaintSelection;
  void PaintTextLine(int Line, const TRect& LineRect, int FirstCol, int LastCol, const TPaintSelection& Sel,
                     TColor EditorBackground);
  int ColumnToX(int Column) const { return textOffsetX_ + (Column - 1) * charWidth_; }

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
};
