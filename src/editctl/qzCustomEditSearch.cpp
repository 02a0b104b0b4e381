// Search and replace over the whole text or the selection, line by line through the editor's search
// engine, with the host's prompt before each replacement.
#include <charconv>
#include <optional>
#include <string_view>

#include "editctl/qzCustomEdit.h"
#include "editctl/qzUndoList.h"

namespace {

int LengthOf(const TqzCustomEdit& Edit, int Line) {
  return Line >= 1 && Line <= Edit.LineCount() ? static_cast<int>(Edit.Lines()->GetRef(Line - 1).size()) : 0;
}

// Where a search may find hits: from Start to End, by the rule of Mode.
struct TSearchScope {
  TPoint Start;
  TPoint End;
  TSelectionMode Mode = smNormal;

  static TSearchScope Of(const TqzCustomEdit& Edit, TqzSearchOptions Options) {
    TSearchScope scope;
    if (Options.Contains(qzsoSelectedOnly) && Edit.SelectionAvailable()) {
      scope.Start = Edit.BlockBegin();
      scope.End = Edit.BlockEnd();
      scope.Mode = Edit.SelectionMode();
      if (scope.Mode == smLine) {
        scope.Start.x = 1;
        scope.End.x = LengthOf(Edit, scope.End.y) + 1;
      } else if (scope.Mode == smColumn && scope.Start.x > scope.End.x) {
        std::swap(scope.Start.x, scope.End.x);
      }
      return scope;
    }
    // The whole text is a stream, whatever mode the selection is in.
    scope.Start = TPoint{1, 1};
    scope.End = TPoint{LengthOf(Edit, Edit.LineCount()) + 1, Edit.LineCount()};
    if (!Options.Contains(qzsoEntireScope)) (Options.Contains(qzsoBackwards) ? scope.End : scope.Start) = Edit.CaretXY();
    return scope;
  }

  // Column is where the hit started before anything on its line was replaced.
  bool Excludes(int Column, int Line, int Length) const {
    switch (Mode) {
      case smNormal: return (Line == Start.y && Column < Start.x) || (Line == End.y && Column + Length > End.x);
      case smColumn: return Column < Start.x || Column + Length > End.x;
      case smLine: return false;
    }
    return false;
  }
};

// A changed line as an undo record keeps it: "<line> <length> <text>".
void AppendRecordedLine(std::string& Out, int Line, std::string_view Text) {
  Out += std::to_string(Line);
  Out += ' ';
  Out += std::to_string(Text.size());
  Out += ' ';
  Out.append(Text);
}

// Reads a number and the blank after it; false at a malformed record.
bool ReadNumber(std::string_view Encoded, std::size_t& Pos, std::size_t& Value) {
  const char* first = Encoded.data() + Pos;
  const auto [end, error] = std::from_chars(first, Encoded.data() + Encoded.size(), Value);
  if (error != std::errc{} || end == Encoded.data() + Encoded.size() || *end != ' ') return false;
  Pos = static_cast<std::size_t>(end - Encoded.data()) + 1;
  return true;
}

// Holds the update locks of a replace all and makes all of its replacements one undo step: each
// changed line is recorded with its text before, once, and the record is written when the work ends,
// also by an exception of the host.
class TReplaceAllRecord {
 public:
  explicit TReplaceAllRecord(TqzCustomEdit* Edit) : edit_(Edit) {
    edit_->BeginUpdate();
    edit_->Lines()->BeginUpdate();
  }
  ~TReplaceAllRecord() {
    if (!encoded_.empty()) {
      edit_->SetCaretXY(end_);
      edit_->UndoList()->AddChange(ukReplaceAll, start_, end_, encoded_, smNormal);
    }
    edit_->Lines()->EndUpdate();
    edit_->EndUpdate();
  }
  TReplaceAllRecord(const TReplaceAllRecord&) = delete;
  TReplaceAllRecord& operator=(const TReplaceAllRecord&) = delete;

  // Replaces Length characters at Column of Line, where the caret then stands.
  void Replace(int Line, int Column, int Length, const std::string& AReplace) {
    std::string text(edit_->Lines()->GetRef(Line - 1));
    if (Line != lastLine_) {
      AppendRecordedLine(encoded_, Line, text);
      lastLine_ = Line;
    }
    text.replace(static_cast<std::size_t>(Column - 1), static_cast<std::size_t>(Length), AReplace);
    edit_->Lines()->Put(Line - 1, text);
    if (start_.y == 0) start_ = TPoint{Column, Line};
    end_ = TPoint{Column + static_cast<int>(AReplace.size()), Line};
  }

 private:
  TqzCustomEdit* edit_;
  std::string encoded_;
  int lastLine_ = 0;
  TPoint start_;
  TPoint end_;
};

}  // namespace

void TqzCustomEdit::SelectHit(int Column, int Line, int Length, bool Backwards) {
  SetBlockBegin(TPoint{Column, Line});
  SetBlockEnd(TPoint{Column + Length, Line});
  SetCaretXY(TPoint{Backwards ? Column : Column + Length, Line});
}

// The hit is replaced as the characters it is, whatever mode the selection is in.
void TqzCustomEdit::ReplaceHit(const std::string& AReplace) {
  const TSelectionMode mode = std::exchange(selectionMode_, smNormal);
  SetSelText(AReplace);
  selectionMode_ = mode;
}

int TqzCustomEdit::SearchReplace(const std::string& ASearch, const std::string& AReplace, TqzSearchOptions Options) {
  if (ASearch.empty()) return 0;
  const bool backwards = Options.Contains(qzsoBackwards);
  const bool replace = Options.Contains(qzsoReplace) || Options.Contains(qzsoReplaceAll);
  bool replaceAll = Options.Contains(qzsoReplaceAll);
  bool prompt = Options.Contains(qzsoPrompt) && OnReplaceText;
  // A replacement with a line break changes the lines under the search: it is made and recorded hit by
  // hit, as a single replacement is.
  const bool asOneStep = AReplace.find_first_of("\r\n") == std::string::npos;
  const int searchLength = static_cast<int>(ASearch.size());
  const int replaceLength = static_cast<int>(AReplace.size());
  TSearchScope scope = TSearchScope::Of(*this, Options);

  searchEngine_->SetPattern(ASearch);
  searchEngine_->SetSensitive(Options.Contains(qzsoMatchCase));
  searchEngine_->SetWhole(Options.Contains(qzsoWholeWord));
  std::optional<TReplaceAllRecord> all;
  if (replaceAll) all.emplace(this);

  int result = 0;
  const int step = backwards ? -1 : 1;
  int line = backwards ? scope.End.y : scope.Start.y;
  int firstColumn = 1;  // hits left of it on the line were made by a replacement with a line break
  int shift = 0;        // how far replacements before them moved the later hits of the line
  while (backwards ? line >= scope.Start.y : line <= std::min(scope.End.y, LineCount())) {
    const int count = searchEngine_->FindAll(Lines()->GetRef(line - 1));
    bool lineSplit = false;
    for (int k = 0; k < count && !lineSplit; ++k) {
      const int column = searchEngine_->GetResult(backwards ? count - 1 - k : k);
      if (column < firstColumn || scope.Excludes(column - shift, line, searchLength)) continue;
      ++result;
      if (!(replaceAll && asOneStep) || prompt) SelectHit(column, line, searchLength, backwards);
      if (!replace) return result;
      TqzReplaceAction action = raReplace;
      if (prompt) {
        action = raCancel;
        OnReplaceText(this, ASearch, AReplace, line, column, action);
        if (action == raCancel) return result;
      }
      if (action == raReplaceAll) {
        replaceAll = true;
        prompt = false;
        if (!all) all.emplace(this);
      }
      if (action == raReplace || action == raReplaceAll) {
        const int lineCount = LineCount();
        if (replaceAll && asOneStep)
          all->Replace(line, column, searchLength, AReplace);
        else
          ReplaceHit(AReplace);
        const int breaks = LineCount() - lineCount;
        if (!backwards && breaks > 0) {
          // The rest of the line now follows the replacement's last line, where the search goes on.
          shift = CaretX() - (column - shift + searchLength);
          firstColumn = CaretX();
          scope.End.y += breaks;
          line = CaretY();
          lineSplit = true;
        } else if (!backwards) {
          if (!replaceAll || !asOneStep) SetCaretX(column + replaceLength);
          searchEngine_->FixResults(column, searchLength - replaceLength);
          shift += replaceLength - searchLength;
        }
      }
      if (!replaceAll) return result;
    }
    if (lineSplit) continue;
    firstColumn = 1;
    shift = 0;
    line += step;
  }
  return result;
}

std::string TqzCustomEdit::SwapRecordedLines(const std::string& Encoded) {
  std::string replaced;
  std::size_t pos = 0;
  std::size_t line = 0;
  std::size_t length = 0;
  BeginUpdate();
  const TUpdateGuard release(this);
  Lines()->BeginUpdate();
  const struct TLinesEnd {
    TStrings* lines;
    ~TLinesEnd() { lines->EndUpdate(); }
  } linesEnd{Lines()};
  while (pos < Encoded.size() && ReadNumber(Encoded, pos, line) && ReadNumber(Encoded, pos, length) &&
         length <= Encoded.size() - pos) {
    const std::string text = Encoded.substr(pos, length);
    pos += length;
    if (line < 1 || line > static_cast<std::size_t>(LineCount())) continue;
    const int index = static_cast<int>(line) - 1;
    AppendRecordedLine(replaced, index + 1, Lines()->GetRef(index));
    Lines()->Put(index, text);
  }
  return replaced;
}
