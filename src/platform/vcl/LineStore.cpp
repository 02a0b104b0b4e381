#include "vcl/LineStore.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "vcl/Classes.h"

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

// A block for a whole text. A big one has its pages made at once: filled page by page, each of its
// 4 KB pages would cost a fault of its own, most of the time a big file takes to read.
TByteBlock AllocateBytes(size_t size) {
  constexpr size_t kPage = 4096;
  TByteBlock bytes(static_cast<char*>(std::malloc(std::max<size_t>(size, 1))));
  if (!bytes) throw std::bad_alloc();
  if (size >= 256 * kPage) {
    const auto first = (reinterpret_cast<std::uintptr_t>(bytes.get()) + kPage - 1) & ~(kPage - 1);
    const auto last = (reinterpret_cast<std::uintptr_t>(bytes.get()) + size) & ~(kPage - 1);
    madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);  // a hint: failure is harmless
  }
  return bytes;
}

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

// The number of lines AssignText cuts a text into: one a line break (CR LF counts once), plus the
// unended rest.
size_t CountLines(std::string_view text) {
  size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  for (const char* cr = static_cast<const char*>(std::memchr(text.data(), '\r', text.size())); cr;) {
    const size_t at = static_cast<size_t>(cr - text.data());
    if (at + 1 == text.size() || text[at + 1] != '\n') ++lines;
    cr = static_cast<const char*>(std::memchr(cr + 1, '\r', text.size() - at - 1));
  }
  if (!text.empty() && !IsBreak(text.back())) ++lines;
  return lines;
}

// Finds line-break characters going back through a text, remembering where each kind was last seen:
// a text with LF ends searches for CR once.
class TBreaksBackward {
 public:
  explicit TBreaksBackward(const char* text) : text_(text) {}
  // The position of the last CR or LF before `end`, or -1.
  std::ptrdiff_t Before(size_t end) {
    lf_ = Refresh(lf_, '\n', end);
    cr_ = Refresh(cr_, '\r', end);
    return std::max(lf_, cr_);
  }

 private:
  std::ptrdiff_t Refresh(std::ptrdiff_t seen, char c, size_t end) const {
    if (seen < static_cast<std::ptrdiff_t>(end)) return seen;
    const void* found = memrchr(text_, c, end);
    return found ? static_cast<const char*>(found) - text_ : -1;
  }
  const char* text_;
  std::ptrdiff_t lf_ = PTRDIFF_MAX;
  std::ptrdiff_t cr_ = PTRDIFF_MAX;
};

}  // namespace

TTextBuffer::TTextBuffer(std::string_view text) : bytes_(AllocateBytes(text.size())), size_(text.size()) {
  if (!text.empty()) std::memcpy(bytes_.get(), text.data(), text.size());
}

TTextBuffer TTextBuffer::ReadFrom(TStream* Stream) {
  const std::int64_t size = Stream->Size();
  const std::int64_t here = Stream->Position();
  const size_t expected = size > here ? static_cast<size_t>(size - here) : 0;
  TTextBuffer text;
  // One byte beyond the size the stream gives, so the read that finds its end needs no growth.
  size_t capacity = std::max<size_t>(expected + 1, 1 << 16);
  text.bytes_ = AllocateBytes(capacity);
  for (;;) {
    if (text.size_ == capacity) {
      capacity *= 2;
      char* grown = static_cast<char*>(std::realloc(text.bytes_.get(), capacity));
      if (!grown) throw std::bad_alloc();
      static_cast<void>(text.bytes_.release());
      text.bytes_.reset(grown);
    }
    const std::int64_t got = Stream->Read(text.bytes_.get() + text.size_, static_cast<std::int64_t>(capacity - text.size_));
    if (got <= 0) break;
    text.size_ += static_cast<size_t>(got);
  }
  // Fewer bytes than the stream holds: it shrank while it was read, and the text would be cut short.
  if (text.size_ < expected) Stream->ShrankWhileRead();
  return text;
}

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
  Arena arena{AllocateBytes(text.size() + kHeader * count), 0, 0};
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

void TLineStore::AssignText(TTextBuffer&& text) {
  Clear();
  const size_t length = text.size_;
  const size_t lines = CountLines(text.View());
  if (lines == 0) return;
  // Every line gets a four-byte header where its line break (one or two bytes) was. Laid out from the
  // end of the grown block backwards, a line never lands before where it was read: each line's new
  // place lies at or after its old one, so moving the last line first overwrites nothing unmoved.
  const size_t size = length + kHeader * lines;
  char* bytes = static_cast<char*>(std::realloc(text.bytes_.get(), size));
  if (!bytes) throw std::bad_alloc();
  static_cast<void>(text.bytes_.release());
  Arena arena{TByteBlock(bytes), size, lines};
  slots_.reserve(lines + kMinimumGap);
  slots_.resize(lines);
  TBreaksBackward breaks(bytes);
  size_t stop = length;  // where the current line's break starts
  if (stop > 0 && IsBreak(bytes[stop - 1])) {
    --stop;
    if (bytes[stop] == '\n' && stop > 0 && bytes[stop - 1] == '\r') --stop;
  }
  size_t out = size;
  for (size_t i = lines; i-- > 0;) {
    const std::ptrdiff_t previous = breaks.Before(stop);
    const size_t start = static_cast<size_t>(previous + 1);
    const size_t count = stop - start;
    out -= kHeader + count;
    std::memmove(bytes + out + kHeader, bytes + start, count);
    const auto header = static_cast<std::uint32_t>(count);
    std::memcpy(bytes + out, &header, kHeader);
    slots_[i].block = bytes + out;
    if (previous < 0) break;
    stop = static_cast<size_t>(previous);
    if (bytes[stop] == '\n' && stop > 0 && bytes[stop - 1] == '\r') --stop;
  }
  arenas_.emplace(bytes, std::move(arena));
  gapBegin_ = gapEnd_ = slots_.size();
}

void TLineStore::Permute(const std::vector<size_t>& order) {
  std::vector<Item> sorted;
  sorted.reserve(order.size() + kMinimumGap);
  for (size_t i : order) sorted.push_back(At(i));
  slots_ = std::move(sorted);
  gapBegin_ = gapEnd_ = slots_.size();
}
