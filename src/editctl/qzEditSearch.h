#pragma once
// The editor's search engine: every occurrence of a pattern in one line, with optional case folding and
// whole-word test, found by a skip table so that a line scan seldom looks at every column.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "vcl/Events.h"
#include "vcl/Sets.h"

enum TqzSearchOption {
  qzsoMatchCase,     // case-sensitive
  qzsoWholeWord,     // whole words only
  qzsoBackwards,     // towards the start of the text
  qzsoEntireScope,   // the whole text (or selection) instead of starting at the caret
  qzsoSelectedOnly,  // only inside the selection; dropped when nothing is selected
  qzsoReplace,       // replace the hit
  qzsoReplaceAll,    // replace every hit
  qzsoPrompt         // ask the host before each replacement
};
using TqzSearchOptions = TSet<TqzSearchOption>;

enum TqzReplaceAction {
  raCancel,     // stop
  raSkip,       // leave this hit
  raReplace,    // replace it
  raReplaceAll  // replace it and every later hit without asking
};

// The host's answer before a replacement; Line and Column (1-based) are where the hit starts.
using TReplaceTextEvent = TEvent<void(TObject* Sender, const std::string& ASearch, const std::string& AReplace,
                                      int Line, int Column, TqzReplaceAction& Action)>;

class TqzEditSearch {
 public:
  TqzEditSearch();
  const std::string& Pattern() const { return pattern_; }
  // Raises Exception "Pattern is empty" for an empty pattern. Resets the hit count in any case.
  void SetPattern(const std::string& Value);
  bool Sensitive() const { return sensitive_; }
  void SetSensitive(bool Value);
  bool Whole() const { return whole_; }
  void SetWhole(bool Value) { whole_ = Value; }

  // FindFirst searches a copy of NewText, so the caller's line may change meanwhile. Results are 1-based
  // columns of hit starts, 0 when there is none; hits never overlap.
  int FindFirst(std::string_view NewText);
  int FindNext();
  // Gathers every hit of the line into the result list at once; returns how many.
  int FindAll(std::string_view NewText);
  // 0 outside the list.
  int GetResult(int Index) const;
  int GetResultCount() const { return static_cast<int>(results_.size()); }
  // Hits after Column move left by Delta, as when the text before them shrank by Delta.
  void FixResults(int Column, int Delta);
  // Hits found since the pattern was last set.
  int Count() const { return count_; }

 private:
  void InitSkipData();
  const std::array<unsigned char, 256>& Translation() const { return *translation_; }
  unsigned char At(int Index) const;  // translated; NUL at or past the end
  bool MatchesAt(int Start) const;
  bool IsWholeWordAt(int Start) const;

  int position_ = 0;  // index of the text character aligned with the pattern's last character
  std::string text_;        // FindFirst's copy of its text
  std::string_view view_;   // the text being searched: text_, or FindAll's text during the call
  int lookAt_ = 1;
  std::string pattern_;
  std::array<int, 256> skip_{};
  bool sensitive_ = false;
  const std::array<unsigned char, 256>* translation_;  // the table of the case rule in force
  bool whole_ = false;
  std::vector<int> results_;
  int count_ = 0;
};
