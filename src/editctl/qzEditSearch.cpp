#include "editctl/qzEditSearch.h"

#include "vcl/SysUtils.h"
#include "win/CharType.h"

namespace {

using TTranslation = std::array<unsigned char, 256>;

// Each engine reads the table of its own case rule, so editors searching with different rules never
// disturb one another.
struct TSearchTables {
  TTranslation sensitive{};
  TTranslation insensitive{};
  std::array<bool, 256> delimiter{};
};

TSearchTables BuildTables() {
  TSearchTables tables;
  std::array<char, 256> lower{};
  for (int c = 0; c < 256; ++c) {
    tables.sensitive[c] = static_cast<unsigned char>(c);
    lower[c] = static_cast<char>(c);
    tables.delimiter[c] = !IsCharAlphaNumericA(static_cast<char>(c));
  }
  CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
  for (int c = 0; c < 256; ++c) tables.insensitive[c] = static_cast<unsigned char>(lower[c]);
  return tables;
}

const TSearchTables& Tables() {
  static const TSearchTables tables = BuildTables();
  return tables;
}

bool IsDelimiter(char c) { return Tables().delimiter[static_cast<unsigned char>(c)]; }

}  // namespace

TqzEditSearch::TqzEditSearch() : translation_(&Tables().insensitive) {}

void TqzEditSearch::SetPattern(const std::string& Value) {
  if (Value.empty()) throw Exception("Pattern is empty");
  if (Value != pattern_) {
    pattern_ = Value;
    InitSkipData();
  }
  count_ = 0;
}

void TqzEditSearch::SetSensitive(bool Value) {
  if (Value == sensitive_) return;
  sensitive_ = Value;
  translation_ = sensitive_ ? &Tables().sensitive : &Tables().insensitive;
  if (!pattern_.empty()) InitSkipData();
}


void TqzEditSearch::InitSkipData() {
  const TTranslation& trans = Translation();
  const int m = static_cast<int>(pattern_.size());
  skip_.fill(m + 1);
  for (int j = 1; j <= m; ++j) skip_[trans[static_cast<unsigned char>(pattern_[j - 1])]] = m + 1 - j;
  // How far the last character must move before it meets an equal one of the pattern.
  const auto patternAt = [&](int j) { return trans[static_cast<unsigned char>(pattern_[j - 1])]; };
  lookAt_ = 1;
  while (lookAt_ < m && patternAt(m) != patternAt(m - lookAt_)) ++lookAt_;
}

unsigned char TqzEditSearch::At(int Index) const {
  if (Index >= static_cast<int>(view_.size())) return 0;
  return Translation()[static_cast<unsigned char>(view_[static_cast<size_t>(Index)])];
}

bool TqzEditSearch::MatchesAt(int Start) const {
  const TTranslation& trans = Translation();
  for (size_t j = 0; j < pattern_.size(); ++j)
    if (At(Start + static_cast<int>(j)) != trans[static_cast<unsigned char>(pattern_[j])]) return false;
  return true;
}

bool TqzEditSearch::IsWholeWordAt(int Start) const {
  const size_t after = static_cast<size_t>(Start) + pattern_.size();
  if (Start > 0 && !IsDelimiter(view_[static_cast<size_t>(Start) - 1])) return false;
  return after >= view_.size() || IsDelimiter(view_[after]);
}

int TqzEditSearch::FindFirst(std::string_view NewText) {
  text_.assign(NewText);  // keeps its room from line to line
  view_ = text_;
  position_ = -1;
  return FindNext();
}

int TqzEditSearch::FindNext() {
  const int m = static_cast<int>(pattern_.size());
  const int end = static_cast<int>(view_.size());
  if (m == 0 || position_ >= end) return 0;
  const unsigned char last = Translation()[static_cast<unsigned char>(pattern_.back())];
  position_ += m;
  while (position_ < end) {
    if (At(position_) != last) {
      position_ += skip_[At(position_ + 1)];
      continue;
    }
    const int start = position_ - m + 1;
    if (MatchesAt(start) && (!whole_ || IsWholeWordAt(start))) {
      ++count_;
      return start + 1;
    }
    position_ += lookAt_ + skip_[At(position_ + lookAt_)] - 1;
  }
  return 0;
}

// The hits are gathered before the caller can change its text, so the text is searched where it lies.
int TqzEditSearch::FindAll(std::string_view NewText) {
  results_.clear();
  if (NewText.size() >= pattern_.size()) {
    view_ = NewText;
    position_ = -1;
    for (int column = FindNext(); column != 0; column = FindNext()) results_.push_back(column);
  }
  text_.clear();
  view_ = text_;
  position_ = 0;
  return GetResultCount();
}

int TqzEditSearch::GetResult(int Index) const {
  if (Index < 0 || Index >= GetResultCount()) return 0;
  return results_[static_cast<size_t>(Index)];
}

void TqzEditSearch::FixResults(int Column, int Delta) {
  if (Delta == 0) return;
  for (auto hit = results_.rbegin(); hit != results_.rend() && *hit > Column; ++hit) *hit -= Delta;
}
