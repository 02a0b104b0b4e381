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

bool TLineStore::InArena(const char* block) const {
  for (const Arena& arena : arenas_)
    if (block >= arena.bytes.get() && block < arena.bytes.get() + arena.size) return true;
  return false;
}

void TLineStore::FreeBlock(char* block) {
  if (block && !InArena(block)) delete[] block;
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

void TLineStore::GrowGap(size_t index) {
  const size_t size = Size();
  const size_t gap = std::max(kMinimumGap, size / 8);
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
    GrowGap(index);
  else
    MoveGapTo(index);
  slots_[gapBegin_++] = Item{block, object};
}

void TLineStore::Erase(size_t index) {
  MoveGapTo(index);
  FreeBlock(slots_[gapEnd_].block);
  slots_[gapEnd_++] = Item{};
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
  // Each line break is at least one byte, which the header's four bytes replace: the arena needs at
  // most the text plus four bytes for every line.
  size_t lines = 0;
  for (char c : text)
    if (c == '\n' || c == '\r') ++lines;
  ++lines;
  Arena arena{std::make_unique<char[]>(text.size() + kHeader * lines), 0};
  slots_.reserve(lines + kMinimumGap);
  size_t start = 0;
  const size_t n = text.size();
  auto add = [&](size_t end) {
    const std::string_view line = text.substr(start, end - start);
    char* block = nullptr;
    if (!line.empty()) {
      block = arena.bytes.get() + arena.size;
      WriteBlock(block, line);
      arena.size += kHeader + line.size();
    }
    slots_.push_back(Item{block, nullptr});
  };
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    add(i);
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) add(n);
  arenas_.push_back(std::move(arena));
  gapBegin_ = gapEnd_ = slots_.size();
}

void TLineStore::Permute(const std::vector<size_t>& order) {
  std::vector<Item> sorted;
  sorted.reserve(order.size() + kMinimumGap);
  for (size_t i : order) sorted.push_back(At(i));
  slots_ = std::move(sorted);
  gapBegin_ = gapEnd_ = slots_.size();
}
