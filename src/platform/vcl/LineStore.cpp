#include "vcl/LineStore.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kHeader = sizeof(std::uint32_t);
constexpr size_t kMinimumGap = 16;

std::uint32_t ReadLength(const char* block) {
  std::uint32_t length = 0;
  std::memcpy(&length, block, kHeader);
  return length;
}

void WriteBlock(char* block, std::string_view text) {
  const auto length = static_cast<std::uint32_t>(text.size());
  std::memcpy(block, &length, kHeader);
  if (!text.empty()) std::memcpy(block + kHeader, text.data(), text.size());
}

// Lines as AssignText cuts them: each CR LF, LF or lone CR ends one, and text after the last break
// is one more.
size_t CountLines(std::string_view text) {
  size_t lines = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    ++lines;
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
  }
  const char last = n == 0 ? '\n' : text[n - 1];
  return lines + (last == '\r' || last == '\n' ? 0 : 1);
}

}  // namespace

TLineStore::~TLineStore() { Clear(); }

std::string_view TLineStore::BlockText(const char* block) {
  return block ? std::string_view(block + kHeader, ReadLength(block)) : std::string_view();
}

char* TLineStore::NewBlock(std::string_view text) {
  if (text.empty()) return nullptr;
  char* block = new char[kHeader + text.size()];
  WriteBlock(block, text);
  return block;
}

TLineStore::Arena* TLineStore::ArenaOf(const char* block) {
  auto it = arenas_.upper_bound(block);
  if (it == arenas_.begin()) return nullptr;
  --it;
  return block < it->first + it->second.size ? &it->second : nullptr;
}

void TLineStore::FreeBlock(char* block) {
  if (!block) return;
  Arena* arena = ArenaOf(block);
  if (!arena)
    delete[] block;
  else if (--arena->lines == 0)
    arenas_.erase(arena->bytes.get());
}

void TLineStore::SetText(size_t index, std::string_view text) {
  Item& item = At(index);
  char* fresh = NewBlock(text);
  FreeBlock(item.block);
  item.block = fresh;
}

void TLineStore::MoveGapTo(size_t index) {
  if (index == gapBegin_) return;
  const size_t gap = GapLength();
  if (gap == 0) {
    gapBegin_ = gapEnd_ = index;
    return;
  }
  if (index < gapBegin_) {
    std::move_backward(slots_.begin() + static_cast<std::ptrdiff_t>(index), slots_.begin() + static_cast<std::ptrdiff_t>(gapBegin_),
                       slots_.begin() + static_cast<std::ptrdiff_t>(gapEnd_));
  } else {
    std::move(slots_.begin() + static_cast<std::ptrdiff_t>(gapEnd_), slots_.begin() + static_cast<std::ptrdiff_t>(index + gap),
              slots_.begin() + static_cast<std::ptrdiff_t>(gapBegin_));
  }
  gapBegin_ = index;
  gapEnd_ = index + gap;
}

void TLineStore::GrowGap(size_t index, size_t needed) {
  const size_t size = Size();
  const size_t gap = needed + std::max(kMinimumGap, size / 8);
  std::vector<Item> grown;
  grown.reserve(size + gap);
  for (size_t i = 0; i < index; ++i) grown.push_back(At(i));
  grown.resize(index + gap);
  for (size_t i = index; i < size; ++i) grown.push_back(At(i));
  slots_ = std::move(grown);
  gapBegin_ = index;
  gapEnd_ = index + gap;
}

void TLineStore::Insert(size_t index, std::string_view text, TObject* object) {
  char* block = NewBlock(text);
  if (GapLength() == 0)
    GrowGap(index, 1);
  else
    MoveGapTo(index);
  slots_[gapBegin_++] = Item{block, object};
}

size_t TLineStore::InsertText(size_t index, std::string_view text) {
  const size_t count = CountLines(text);
  if (count == 0) return 0;
  if (GapLength() < count)
    GrowGap(index, count);
  else
    MoveGapTo(index);
  WriteLines(text, count);
  return count;
}

void TLineStore::Erase(size_t index) {
  MoveGapTo(index);
  FreeBlock(slots_[gapEnd_].block);
  slots_[gapEnd_++] = Item{};
}

void TLineStore::EraseRange(size_t index, size_t count) {
  if (count == 0) return;
  MoveGapTo(index);
  for (size_t i = 0; i < count; ++i) {
    FreeBlock(slots_[gapEnd_].block);
    slots_[gapEnd_++] = Item{};
  }
}

void TLineStore::Swap(size_t a, size_t b) { std::swap(At(a), At(b)); }

void TLineStore::Clear() {
  for (size_t i = 0; i < Size(); ++i) FreeBlock(At(i).block);
  slots_.clear();
  slots_.shrink_to_fit();
  gapBegin_ = gapEnd_ = 0;
  arenas_.clear();
}

void TLineStore::AssignText(std::string_view text) {
  Clear();
  const size_t count = CountLines(text);
  slots_.resize(count + kMinimumGap);
  gapEnd_ = slots_.size();
  WriteLines(text, count);
}

void TLineStore::WriteLines(std::string_view text, size_t count) {
  // Each line break is at least one byte, which the header's four bytes replace: the arena needs at
  // most the text plus four bytes for every line.
  Arena arena{std::make_unique<char[]>(text.size() + kHeader * count), 0, 0};
  size_t start = 0;
  const size_t n = text.size();
  auto add = [&](size_t end) {
    const std::string_view line = text.substr(start, end - start);
    char* block = nullptr;
    if (!line.empty()) {
      block = arena.bytes.get() + arena.size;
      WriteBlock(block, line);
      arena.size += kHeader + line.size();
      ++arena.lines;
    }
    slots_[gapBegin_++] = Item{block, nullptr};
  };
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    add(i);
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) add(n);
  if (arena.lines > 0) {
    const char* first = arena.bytes.get();
    arenas_.emplace(first, std::move(arena));
  }
}

void TLineStore::Permute(const std::vector<size_t>& order) {
  std::vector<Item> sorted;
  sorted.reserve(order.size() + kMinimumGap);
  for (size_t i : order) sorted.push_back(At(i));
  slots_ = std::move(sorted);
  gapBegin_ = gapEnd_ = slots_.size();
}
