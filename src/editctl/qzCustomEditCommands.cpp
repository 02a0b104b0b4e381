// The command executor: every built-in command, with the undo record each change writes.
#include <algorithm>
#include <cstring>

#include "editctl/qzCustomEdit.h"
#include "editctl/qzUndoList.h"
#include "editctl/qzSupportProcs.h"
#include "highlight/qzHighlighter.h"
#include "vcl/SysUtils.h"

namespace {

const char* const kLineBreak = "\r\n";
const char* const kBrackets = "()[]{}";

bool IsBlank(char c) { return c == ' '; }

// The commands a read-only editor ignores.
bool ChangesText(TqzEditorCommand Command) {
  switch (Command) {
    case ecDeleteLastChar:
    case ecDeleteChar:
    case ecDeleteWord:
    case ecDeleteLastWord:
    case ecDeleteBOL:
    case ecDeleteEOL:
    case ecDeleteLine:
    case ecClearAll:
    case ecLineBreak:
    case ecInsertLine:
    case ecChar:
    case ecImeStr:
    case ecUndo:
    case ecRedo:
    case ecCut:
    case ecPaste:
    case ecBlockIndent:
    case ecBlockUnindent:
    case ecTab: return true;
    default: return false;
  }
}

}  // namespace

// ---- Frame

void TqzCustomEdit::ExecuteCommand(TqzEditorCommand Command, char AChar, void* Data) {
  DoOnProcessCommand(Command, AChar, Data);
  if (Command == ecNone || Command >= ecUserFirst) return;
  bool done = true;
  BeginUpdate();
  {
    const TUpdateGuard release(this);
    done = RunCommand(Command, AChar, Data);
  }
  if (done) Fire(OnCommandDone, this);
}

// False when the command left early, which skips OnCommandDone.
bool TqzCustomEdit::RunCommand(TqzEditorCommand Command, char AChar, void* Data) {
  if ((Command >= ecLeft && Command <= ecGotoXY) || (Command >= ecSelLeft && Command <= ecSelGotoXY))
    return RunMotion(Command, Data);
  if (ChangesText(Command) && ReadOnly()) return true;
  if ((Command >= ecGotoMarker0 && Command <= ecGotoMarker9) || (Command >= ecSetMarker0 && Command <= ecSetMarker9)) {
    RunMarkerCommand(Command);
    return true;
  }
  switch (Command) {
    case ecSelectAll: SelectAll(); break;
    case ecDeleteLastChar: return RunDeleteLastChar();
    case ecDeleteChar: return RunDeleteChar();
    case ecDeleteWord:
    case ecDeleteLastWord: RunDeleteWord(Command == ecDeleteWord); break;
    case ecDeleteBOL: RunDeleteBOL(); break;
    case ecDeleteEOL: RunDeleteEOL(); break;
    case ecDeleteLine: RunDeleteLine(); break;
    case ecClearAll: ClearAll(); break;
    case ecLineBreak:
    case ecInsertLine: RunLineBreak(Command == ecInsertLine); break;
    case ecChar:
      if (static_cast<unsigned char>(AChar) >= 32 && AChar != 127) RunTyping(std::string(1, AChar));
      break;
    case ecImeStr:
      if (Data) RunTyping(static_cast<const char*>(Data));
      break;
    case ecUndo: Undo(); break;
    case ecRedo: Redo(); break;
    case ecCut: CutToClipboard(); break;
    case ecCopy: CopyToClipboard(); break;
    case ecPaste: PasteFromClipboard(); break;
    case ecScrollUp:
    case ecScrollDown:
    case ecScrollLeft:
    case ecScrollRight: RunScroll(Command); break;
    case ecInsertMode: SetInsertMode(true); break;
    case ecOverwriteMode: SetInsertMode(false); break;
    case ecToggleMode: SetInsertMode(!InsertMode()); break;
    case ecBlockIndent: DoBlockIndent(); break;
    case ecBlockUnindent: DoBlockUnindent(); break;
    case ecTab: DoTabKey(); break;
    case ecNormalSelect: SetSelectionMode(smNormal); break;
    case ecColumnSelect: SetSelectionMode(smColumn); break;
    case ecLineSelect: SetSelectionMode(smLine); break;
    case ecMatchBracket: GotoMatchingBracket(); break;
    // The bookmark keys reach the marks, which come with their own unit; ecShiftTab and the codes
    // without a branch do nothing.
    default: break;
  }
  return true;
}

// ---- Motion

bool TqzCustomEdit::RunMotion(TqzEditorCommand Command, void* Data) {
  const bool select = Command >= ecSelection;
  const TqzEditorCommand motion = select ? static_cast<TqzEditorCommand>(Command - ecSelection) : Command;
  const TPoint caret = CaretXY();
  const int page = options_.Contains(qzeoHalfPageScroll) ? linesInWindow_ >> 1 : linesInWindow_;
  auto moveTo = [&](TPoint to) { MoveCaretAndSelection(caret, to, select); };
  switch (motion) {
    case ecLeft: MoveCaretHorz(-1, select); break;
    case ecRight: MoveCaretHorz(1, select); break;
    case ecPageLeft: MoveCaretHorz(-charsInWindow_, select); break;
    case ecPageRight: MoveCaretHorz(charsInWindow_, select); break;
    case ecUp: MoveCaretVert(-1, select); break;
    case ecDown: MoveCaretVert(1, select); break;
    case ecPageUp: MoveCaretVert(-page, select); break;
    case ecPageDown: MoveCaretVert(page, select); break;
    case ecWordLeft: moveTo(GetPrevWordStart()); break;
    case ecWordRight: moveTo(GetNextWordStart()); break;
    case ecLineStart: moveTo(TPoint{1, caret.y}); break;
    case ecLineEnd: moveTo(TPoint{LineLength(caretY_) + 1, caret.y}); break;
    case ecPageTop: moveTo(TPoint{caret.x, topLine_}); break;
    case ecPageBottom: moveTo(TPoint{caret.x, topLine_ + linesInWindow_ - 1}); break;
    case ecEditorTop: moveTo(TPoint{1, 1}); break;
    case ecEditorBottom:
      moveTo(LineCount() > 0 ? TPoint{LineLength(LineCount() - 1) + 1, LineCount()} : TPoint{1, 0});
      break;
    case ecGotoXY:
      if (Data) moveTo(*static_cast<const TPoint*>(Data));
      break;
    default: break;
  }
  const bool horizontal = motion == ecLeft || motion == ecRight || motion == ecPageLeft || motion == ecPageRight ||
                          motion == ecWordLeft || motion == ecWordRight || motion == ecLineStart || motion == ecLineEnd;
  if (!horizontal) Update();
  return true;
}

// Identifier characters are the highlighter's, else every non-blank one; separators are the rest but NUL.
void TqzCustomEdit::WordCharSets(TqzCharSet& Ident, TqzCharSet& Separators) const {
  Ident.reset();
  if (highLighter_) {
    TqzIdentChars chars;
    highLighter_->GetIdentifierChars(chars);
    for (std::size_t c = 1; c < 256; ++c) Ident.set(c, chars.test(c));
  } else {
    for (std::size_t c = 33; c < 256; ++c) Ident.set(c);
  }
  Separators = ~Ident;
  Separators.reset(0);
}

TPoint TqzCustomEdit::GetNextWordStart() {
  int x = CaretX();
  int y = CaretY();
  if (y < 1 || y > LineCount()) return TPoint{x, y};
  TqzCharSet ident;
  TqzCharSet separators;
  WordCharSets(ident, separators);
  const std::string& line = LineRef(y - 1);
  const int length = static_cast<int>(line.size());
  if (x < length) {
    if (ident.test(static_cast<unsigned char>(line[static_cast<std::size_t>(x - 1)])))
      x = ScanForCharInSet(line, x, separators);
    if (x > 0) x = ScanForCharInSet(line, x, ident);
    // No further word on the line: the line end, not its start.
    if (x == 0) x = length + 1;
  } else if (y < LineCount()) {
    ++y;
    x = std::max(1, ScanForCharInSet(LineRef(y - 1), 1, ident));
  }
  return TPoint{x, y};
}

TPoint TqzCustomEdit::GetPrevWordStart() {
  int x = CaretX();
  int y = CaretY();
  if (y < 1 || y > LineCount()) return TPoint{x, y};
  TqzCharSet ident;
  TqzCharSet separators;
  WordCharSets(ident, separators);
  const std::string& line = LineRef(y - 1);
  const TPoint previousLineEnd{y > 1 ? LineLength(y - 2) + 1 : 1, std::max(y - 1, 1)};
  x = std::min(x, static_cast<int>(line.size()) + 1);
  if (x <= 1) return y > 1 ? previousLineEnd : TPoint{1, y};
  if (separators.test(static_cast<unsigned char>(line[static_cast<std::size_t>(x - 2)])))
    x = ScanBackForCharInSet(line, x - 1, ident);
  if (x > 0) return TPoint{ScanBackForCharInSet(line, x - 1, separators) + 1, y};
  return y > 1 ? previousLineEnd : TPoint{1, y};
}

// ---- Deletion

// The undo record of a selection about to be deleted: the stored ends, the mode and the text.
void TqzCustomEdit::RecordSelectionDeletion(TUndoKind Kind) {
  undoList_->AddChange(Kind, blockBegin_, blockEnd_, GetSelText(), selectionMode_);
}

bool TqzCustomEdit::DeleteRecordedSelection(TUndoKind Kind) {
  if (!SelectionAvailable()) return false;
  RecordSelectionDeletion(Kind);
  SetSelTextPrimitive(selectionMode_, "");
  return true;
}

bool TqzCustomEdit::RunDeleteLastChar() {
  if (DeleteRecordedSelection(ukDelete)) return false;
  const std::string line = LineText();
  const int length = static_cast<int>(line.size());
  if (CaretX() > length + 1) {
    undoList_->AddChange(ukDelete, CaretXY(), CaretXY(), "", smNormal);
    SetCaretX(CaretX() - 1);
    return true;
  }
  if (CaretX() == 1) {
    if (caretY_ == 0) return true;
    Lines()->Delete(caretY_);
    MoveMarksFrom(caretY_ + 1, -1);
    const std::string previous = LineRef(caretY_ - 1);
    SetCaretXY(TPoint{static_cast<int>(previous.size()) + 1, CaretY() - 1});
    Lines()->Put(caretY_, TrimRight(previous + line));
    undoList_->AddChange(ukDelete, CaretXY(), CaretXY(), kLineBreak, smNormal);
    return true;
  }
  const int indent = LeftSpaces(line);
  if (static_cast<unsigned char>(line[static_cast<std::size_t>(caretX_ - 1)]) <= 32 && caretX_ == indent) {
    int target = 0;
    for (int y = caretY_ - 1; y >= 0; --y) {
      const int above = LeftSpaces(LineRef(y));
      if (above < indent) {
        target = above;
        break;
      }
    }
    const int count = indent - target;
    const std::string removed = line.substr(0, static_cast<std::size_t>(count));
    Lines()->Put(caretY_, TrimRight(line.substr(static_cast<std::size_t>(count))));
    InternalSetCaret(caretX_ - count, caretY_);
    EnsureCaretVisible();  // the caret was stored directly, past the scrolling that SetCaretXY does
    undoList_->AddChange(ukDelete, CaretXY(), CaretXY(), removed, smNormal);
    return true;
  }
  const std::string removed(1, line[static_cast<std::size_t>(caretX_ - 1)]);
  SetCaretX(CaretX() - 1);
  std::string rest = line;
  rest.erase(static_cast<std::size_t>(caretX_), 1);
  Lines()->Put(caretY_, TrimRight(rest));
  undoList_->AddChange(ukDelete, CaretXY(), CaretXY(), removed, smNormal);
  return true;
}

bool TqzCustomEdit::RunDeleteChar() {
  if (DeleteRecordedSelection(ukDeleteCommand)) return false;
  const std::string line = LineText();
  const int length = static_cast<int>(line.size());
  if (CaretX() <= length) {
    std::string rest = line;
    const std::string removed(1, rest[static_cast<std::size_t>(caretX_)]);
    rest.erase(static_cast<std::size_t>(caretX_), 1);
    undoList_->AddChange(ukDeleteCommand, CaretXY(), CaretXY(), removed, smNormal);
    Lines()->Put(caretY_, TrimRight(rest));
  } else if (CaretY() < LineCount()) {
    const std::string joined = line + std::string(static_cast<std::size_t>(caretX_ - length), ' ') + LineRef(caretY_ + 1);
    Lines()->Put(caretY_, TrimRight(joined));
    undoList_->AddChange(ukDeleteCommand, CaretXY(), CaretXY(), kLineBreak, smNormal);
    Lines()->Delete(caretY_ + 1);
    MoveMarksFrom(CaretY() + 1, -1);
  }
  return true;
}

// Deletes From..To as a stream whatever the selection mode is.
void TqzCustomEdit::DeleteSelectionKeepingMode(TPoint From, TPoint To) {
  const TRestore<TSelectionMode> normal(selectionMode_, smNormal);
  SetBlockBegin(From);
  SetBlockEnd(To);
  SetSelTextPrimitive(smNormal, "");
}

void TqzCustomEdit::RunDeleteWord(bool Forward) {
  const TPoint caret = CaretXY();
  const TPoint word = Forward ? GetNextWordStart() : GetPrevWordStart();
  if (word == caret) return;
  {
    const TRestore<TSelectionMode> normal(selectionMode_, smNormal);
    SetBlockBegin(Forward ? caret : word);
    SetBlockEnd(Forward ? word : caret);
    // The record spans what is deleted: from past a line end the deletion starts at that end.
    undoList_->AddChange(ukDeleteCommand, BlockBegin(), Forward ? caret : BlockEnd(), GetSelText(), smNormal);
    SetSelTextPrimitive(smNormal, "");
  }
  SetCaretXY(CaretXY());
}

void TqzCustomEdit::RunDeleteBOL() {
  const TPoint lineStart{1, CaretY()};
  undoList_->AddChange(ukDelete, TPoint{0, CaretY()}, TPoint{0, CaretY()}, Copy(LineText(), 1, caretX_), smNormal);
  DeleteSelectionKeepingMode(lineStart, CaretXY());
  SetCaretXY(lineStart);
}

void TqzCustomEdit::RunDeleteEOL() {
  const TPoint caret = CaretXY();
  undoList_->AddChange(ukDeleteCommand, caret, caret, Copy(LineText(), CaretX(), LineLength(caretY_)), smNormal);
  DeleteSelectionKeepingMode(caret, TPoint{LineLength(caretY_) + 1, CaretY()});
  SetCaretXY(caret);
}

void TqzCustomEdit::RunDeleteLine() {
  if (LineCount() == 1 && LineRef(0).empty()) return;
  SetBlockBegin(CaretXY());
  const TPoint lineStart{1, CaretY()};
  if (LineCount() == 1) {
    undoList_->AddChange(ukDeleteCommand, lineStart, CaretXY(), LineText(), smNormal);
    Lines()->Put(0, "");
  } else {
    undoList_->AddChange(ukDeleteCommand, lineStart, CaretXY(), LineText() + kLineBreak, smNormal);
    Lines()->Delete(caretY_);
    MoveMarksOfRemovedLines(CaretY(), CaretY(), 1);
  }
  SetCaretXY(lineStart);
}

void TqzCustomEdit::ClearAll() { Lines()->Clear(); }

// ---- Line break

void TqzCustomEdit::RunLineBreak(bool InsertLineOnly) {
  DeleteRecordedSelection(ukDelete);
  const bool pastEol = options_.Contains(qzeoScrollPastEol);
  const std::string line = LineText();
  const int length = static_cast<int>(line.size());
  const TPoint caret = CaretXY();
  if (length > 0 && caret.x <= length) {
    const int indent = LeftSpaces(line);
    if (caret.x > 1 && caretX_ > indent) {
      const std::string rest = line.substr(static_cast<std::size_t>(caretX_));
      Lines()->Put(caretY_, TrimRight(line.substr(0, static_cast<std::size_t>(caretX_))));
      undoList_->AddChange(ukLineBreak, caret, caret, rest, smNormal);
      Lines()->Insert(caretY_ + 1, std::string(static_cast<std::size_t>(indent), ' ') + rest);
      if (!InsertLineOnly) SetCaretXY(TPoint{indent + 1, caret.y + 1});
    } else {
      // At the line start or inside its indentation the whole line moves down. The record's start is
      // the caret itself, so that undoing joins the line back here and not into the line above.
      Lines()->Put(caretY_, "");
      Lines()->Insert(caretY_ + 1, line);
      undoList_->AddChange(ukLineBreak, caret, caret, line, smNormal);
      if (!InsertLineOnly) SetCaretXY(TPoint{caret.x, caret.y + 1});
    }
  } else if (length > 0) {
    const int indent = LeftSpaces(line);
    undoList_->AddChange(ukLineBreak, caret, caret, "", smNormal);
    if (!InsertLineOnly) SetCaretX(indent + 1);
    if (InsertLineOnly || pastEol) Lines()->Insert(caretY_ + 1, "");
    if (!InsertLineOnly) {
      InternalSetCaret(caretX_, caretY_ + 1);
      EnsureCaretVisible();  // stored directly: the new line may lie below the window
      if (!pastEol) {
        Lines()->Insert(caretY_, options_.Contains(qzeoAutoIndent) ? std::string(static_cast<std::size_t>(indent), ' ') : "");
        SetCaretX(indent + 1);
      }
    }
  } else {
    int indent = 0;
    for (int y = caretY_ - 1; y >= 0; --y) {
      if (!LineRef(y).empty()) {
        indent = LeftSpaces(LineRef(y));
        break;
      }
    }
    undoList_->AddChange(ukLineBreak, caret, caret, "", smNormal);
    if (!InsertLineOnly) SetCaretX(pastEol ? indent + 1 : 1);
    Lines()->Insert(caretY_, "");
    if (!InsertLineOnly) SetCaretXY(TPoint{CaretX(), CaretY() + 1});
  }
  MoveMarksFrom(CaretY(), 1);
}

// ---- Typing

// The insertion point of the text that replaces the selection: where its deletion leaves the caret
// (a line-mode insertion starts at column 1 of its line).
TPoint TqzCustomEdit::InsertionPoint() const {
  if (selectionMode_ == smLine) return TPoint{1, SelectionAvailable() ? BlockBegin().y : CaretY()};
  if (!SelectionAvailable()) return CaretXY();
  if (selectionMode_ == smColumn) return TPoint{std::min(blockBegin_.x, blockEnd_.x), blockEnd_.y};
  return BlockBegin();
}

// The mode an insertion is undone in: text put in by lines may share its last line with old text, so
// it is taken out as a stream from its start to where the caret ended.
TSelectionMode TqzCustomEdit::InsertRecordMode() const { return selectionMode_ == smLine ? smNormal : selectionMode_; }

void TqzCustomEdit::RunTyping(const std::string& Text) {
  if (Text.empty()) return;
  if (SelectionAvailable()) {
    RecordSelectionDeletion(ukReplaceDelete);
    const TPoint start = InsertionPoint();
    SetSelTextPrimitive(selectionMode_, Text);
    undoList_->AddChange(ukInsert, start, CaretXY(), "", smNormal);
  } else {
    const TRestore<TqzEditorOptions> pastEol(options_, options_ + TqzEditorOptions{qzeoScrollPastEol});
    const TPoint start = CaretXY();
    const std::string original = LineText();
    std::string line = original;
    if (static_cast<int>(line.size()) < caretX_) line.append(static_cast<std::size_t>(caretX_) - line.size(), ' ');
    const auto at = static_cast<std::size_t>(caretX_);
    const int length = static_cast<int>(Text.size());
    if (InsertMode()) {
      line.insert(at, Text);
      SetCaretX(CaretX() + length);
      Lines()->Put(caretY_, TrimRight(line));
      undoList_->AddChange(ukInsert, start, CaretXY(), "", smNormal);
    } else {
      // Only the line's own bytes were replaced; blanks that merely filled up to the caret were not.
      const std::string replaced = Copy(original, CaretX(), length);
      line.replace(at, std::min(Text.size(), line.size() - at), Text);
      Lines()->Put(caretY_, TrimRight(line));
      undoList_->AddChange(ukInsert, start, TPoint{start.x + length, start.y}, replaced, smNormal);
      SetCaretX(CaretX() + length);
    }
  }
  if (CaretX() >= leftChar_ + charsInWindow_) SetLeftColumn(leftChar_ + std::min(25, charsInWindow_ - 1));
}

void TqzCustomEdit::SetSelText(const std::string& Value) {
  if (!SelectionAvailable() && Value.empty()) return;
  BeginUpdate();
  const TUpdateGuard release(this);
  if (SelectionAvailable()) RecordSelectionDeletion(ukReplaceDelete);
  const TPoint start = InsertionPoint();
  if (selectionMode_ == smColumn) {
    const std::string block = EvenColumnBlock(Value);
    SetSelTextPrimitive(smColumn, "");
    AppendLinesUpTo(start.y + static_cast<int>(std::count(block.begin(), block.end(), '\n')));
    PlaceCaret(start);
    SetSelTextPrimitive(smColumn, block);
  } else {
    SetSelTextPrimitive(selectionMode_, Value);
  }
  undoList_->AddChange(ukInsert, start, CaretXY(), "", InsertRecordMode());
}

// A column block running past the last line needs lines to land on; they are added as a change of
// their own, so that undoing the block does not leave them behind.
void TqzCustomEdit::AppendLinesUpTo(int Line) {
  const int missing = Line - LineCount();
  if (missing <= 0) return;
  const TPoint textEnd{LineLength(LineCount() - 1) + 1, LineCount()};
  PlaceCaret(textEnd);
  std::string breaks;
  for (int i = 0; i < missing; ++i) breaks += kLineBreak;
  SetSelTextPrimitive(smNormal, breaks);
  undoList_->AddChange(ukInsert, textEnd, CaretXY(), "", smNormal);
}

// A column block is a rectangle: shorter rows are filled with blanks to the widest one, so that the
// block taken out again is the block put in.
std::string TqzCustomEdit::EvenColumnBlock(const std::string& Value) {
  std::vector<std::string> rows(1);
  for (std::size_t i = 0; i < Value.size(); ++i) {
    if (Value[i] == '\r' && i + 1 < Value.size() && Value[i + 1] == '\n') ++i;
    if (Value[i] == '\r' || Value[i] == '\n')
      rows.emplace_back();
    else
      rows.back() += Value[i];
  }
  std::size_t width = 0;
  for (const std::string& row : rows) width = std::max(width, row.size());
  std::string block;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    block += rows[i] + std::string(width - rows[i].size(), ' ');
    if (i + 1 < rows.size()) block += kLineBreak;
  }
  return block;
}

// ---- Tab and blocks

void TqzCustomEdit::DoTabKey() {
  int width = 0;
  if (options_.Contains(qzeoSmartTabs) && caretY_ > 0) {
    for (int y = caretY_ - 1; y >= 0; --y) {
      const std::string& above = LineRef(y);
      if (static_cast<int>(above.size()) < CaretX()) continue;
      std::size_t i = static_cast<std::size_t>(caretX_);
      while (i < above.size() && !IsBlank(above[i])) ++i;
      while (i < above.size() && IsBlank(above[i])) ++i;
      width = static_cast<int>(i) - caretX_;
      break;
    }
  }
  // A tab width of 0 has no tab stops: the tab then inserts nothing.
  if (width == 0 && tabWidth_ > 0) width = tabWidth_ - (caretX_ % tabWidth_);
  const bool selected = SelectionAvailable();
  if (selected) RecordSelectionDeletion(ukDelete);
  const TPoint start = InsertionPoint();
  const int ownLength = LineLength(caretY_);
  SetSelTextPrimitive(selectionMode_, std::string(static_cast<std::size_t>(width), ' '));
  // Without room past the line end the caret stands on the blanks, so they stay.
  if (options_.Contains(qzeoScrollPastEol)) Lines()->Put(caretY_, TrimRight(LineText()));
  // Blanks left at the line's end go again and leave nothing to undo, unless the line's own blanks
  // went with them.
  if (LineLength(caretY_) >= start.x || (!selected && LineLength(caretY_) < ownLength))
    undoList_->AddChange(ukInsert, start, CaretXY(), "", InsertRecordMode());
}

void TqzCustomEdit::DoBlockIndent() {
  if (!SelectionAvailable()) return;
  const TPoint b = BlockBegin();
  const TPoint e = BlockEnd();
  const int last = e.x == 1 ? e.y - 1 : e.y;
  const TPoint caret = CaretXY();
  const TSelectionMode mode = selectionMode_;
  const std::string indent(static_cast<std::size_t>(tabWidth_), ' ');
  std::string text;
  for (int y = b.y; y <= last; ++y) text += y < last ? indent + kLineBreak : indent;
  struct TFinish {
    TqzCustomEdit* edit;
    TSelectionMode mode;
    TPoint b, e, caret;
    ~TFinish() {
      edit->SetSelectionMode(mode);
      edit->SetBlockBegin(TPoint{b.x + edit->tabWidth_, b.y});
      edit->SetBlockEnd(TPoint{e.x == 1 ? 1 : e.x + edit->tabWidth_, e.y});
      edit->SetCaretXY(caret);
    }
  } finish{this, mode, b, e, caret};
  InsertColumnText(TPoint{1, b.y}, TPoint{1, b.y}, text);
  undoList_->AddChange(ukIndent, b, e, "", smColumn);
}

void TqzCustomEdit::DoBlockUnindent() {
  if (!SelectionAvailable()) return;
  const TPoint b = BlockBegin();
  const TPoint e = BlockEnd();
  const int last = e.x == 1 ? e.y - 1 : e.y;
  const TPoint caret = CaretXY();
  std::vector<int> removed;
  std::string text;
  int firstCut = 0;
  int lastCut = 0;
  for (int y = b.y; y <= last; ++y) {
    const std::string& line = LineRef(y - 1);
    int m = 0;
    while (m < tabWidth_ && m < static_cast<int>(line.size()) && IsBlank(line[static_cast<std::size_t>(m)])) ++m;
    removed.push_back(m);
    text += std::string(static_cast<std::size_t>(m), ' ');
    if (y < last) text += kLineBreak;
    if (m > 0) {
      if (firstCut == 0) firstCut = m;
      lastCut = m;
    }
  }
  if (lastCut > 0) {
    InternalSetCaret(caretX_, b.y - 1);
    for (int y = b.y; y <= last; ++y) {
      const int m = removed[static_cast<std::size_t>(y - b.y)];
      if (m > 0) Lines()->Put(y - 1, LineRef(y - 1).substr(static_cast<std::size_t>(m)));
    }
    undoList_->AddChange(ukUnindent, b, e, text, smColumn);
  }
  SetBlockBegin(TPoint{b.x - firstCut, b.y});
  SetBlockEnd(TPoint{e.x - lastCut, e.y});
  SetCaretXY(caret);
}

// ---- Brackets

void TqzCustomEdit::GotoMatchingBracket() {
  const std::string& line = LineRef(caretY_);
  if (caretX_ >= static_cast<int>(line.size())) return;
  const char* found = std::strchr(kBrackets, line[static_cast<std::size_t>(caretX_)]);
  if (!found || *found == '\0') return;
  const int index = static_cast<int>(found - kBrackets);
  const bool opener = index % 2 == 0;
  const char self = kBrackets[index];
  const char partner = kBrackets[opener ? index + 1 : index - 1];
  int level = 1;
  int y = caretY_;
  int x = caretX_;
  while (true) {
    const std::string& text = LineRef(y);
    x += opener ? 1 : -1;
    while (x >= 0 && x < static_cast<int>(text.size())) {
      const char c = text[static_cast<std::size_t>(x)];
      if (c == self) ++level;
      if (c == partner && --level == 0) {
        SetCaretXY(TPoint{x + 1, y + 1});
        return;
      }
      x += opener ? 1 : -1;
    }
    y += opener ? 1 : -1;
    if (y < 0 || y >= LineCount()) return;
    x = opener ? -1 : static_cast<int>(LineRef(y).size());
  }
}

// ---- Scrolling

void TqzCustomEdit::RunScroll(TqzEditorCommand Command) {
  switch (Command) {
    case ecScrollUp:
      SetTopLine(topLine_ - 1);
      if (CaretY() > topLine_ + linesInWindow_ - 1) SetCaretY(topLine_ + linesInWindow_ - 1);
      break;
    case ecScrollDown:
      SetTopLine(topLine_ + 1);
      if (CaretY() < topLine_) SetCaretY(topLine_);
      break;
    case ecScrollLeft:
      SetLeftColumn(leftChar_ - 1);
      if (CaretX() > leftChar_ + charsInWindow_) SetCaretX(leftChar_ + charsInWindow_);
      break;
    case ecScrollRight:
      SetLeftColumn(leftChar_ + 1);
      if (CaretX() < leftChar_) SetCaretX(leftChar_);
      break;
    default: break;
  }
  Update();
}
