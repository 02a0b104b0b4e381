#pragma once
// The storage behind a string list. An editor holds a million lines and more, so each line costs one
// small item here: its text sits in a block [32-bit length][bytes], either carved from an arena that a
// whole text was loaded (or inserted) into at once or allocated alone when the line is set later. Items live in a gap
// buffer, so a run of inserts and deletes at one place (typing line breaks in a big file) moves only
// what lies between two edits, not everything behind them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TObject;
class TStream;

struct TFreeBytes {
  void operator()(char* bytes) const { std::free(bytes); }
};
using TByteBlock = std::unique_ptr<char[], TFreeBytes>;

// A whole text read into one block of memory, which a line store takes over and cuts into lines where
// it lies: a loaded file is in memory once, not once as read and once as lines.
class TTextBuffer {
 public:
  TTextBuffer() = default;
  explicit TTextBuffer(std::string_view text);
  // The bytes from the stream's position to its end; EReadError when it yields fewer than its size said.
  static TTextBuffer ReadFrom(TStream* Stream);
  std::string_view View() const { return {bytes_.get(), size_}; }
  // The bytes to rewrite where they lie, and the text cut to its first Size bytes after that.
  char* Data() { return bytes_.get(); }
  void Shrink(size_t Size) { size_ = std::min(Size, size_); }

 private:
  friend class TLineStore;
  TByteBlock bytes_;
  size_t size_ = 0;
};

class TLineStore {
 public:
  TLineStore() = default;
  TLineStore(const TLineStore&) = delete;
  TLineStore& operator=(const TLineStore&) = delete;
  ~TLineStore();

  size_t Size() const { return slots_.size() - GapLength(); }
  std::string_view Text(size_t index) const { return BlockText(At(index).block); }
  TObject* Object(size_t index) const { return At(index).object; }
  void SetText(size_t index, std::string_view text);
  void SetObject(size_t index, TObject* object) { At(index).object = object; }

  void Insert(size_t index, std::string_view text, TObject* object);
  // Inserts the lines of one text at index, cut as AssignText cuts them, in one arena and one move of
  // the items behind; returns how many lines went in.
  size_t InsertText(size_t index, std::string_view text);
  void Erase(size_t index);
  // Erases count lines from index on in one move.
  void EraseRange(size_t index, size_t count);
  void Swap(size_t a, size_t b);
  void Clear();
  // Replaces everything with the lines of one text, cut at CR LF, LF or a lone CR, in one arena.
  void AssignText(std::string_view text);
  // The same, taking the text's memory over: the lines are laid out in it, which grows by a few bytes a
  // line, without a second copy of the text.
  void AssignText(TTextBuffer&& text);
  // Reorders the lines: the line at order[i] becomes line i.
  void Permute(const std::vector<size_t>& order);

 private:
  struct Item {
    char* block = nullptr;  // nullptr: the empty line
    TObject* object = nullptr;
  };
  static std::string_view BlockText(const char* block);
  char* NewBlock(std::string_view text);
  void FreeBlock(char* block);
  struct Arena;
  Arena* ArenaOf(const char* block);
  size_t GapLength() const { return gapEnd_ - gapBegin_; }
  Item& At(size_t index) { return slots_[index < gapBegin_ ? index : index + GapLength()]; }
  const Item& At(size_t index) const { return slots_[index < gapBegin_ ? index : index + GapLength()]; }
  void MoveGapTo(size_t index);
  // Makes the gap at least needed items long and puts it at index.
  void GrowGap(size_t index, size_t needed);
  // Fills the front of the gap with the text's count lines, carved from a new arena.
  void WriteLines(std::string_view text, size_t count);

  std::vector<Item> slots_;
  size_t gapBegin_ = 0;
  size_t gapEnd_ = 0;
  // An arena goes when the last of its lines is deleted or set anew; until then deleted lines leave
  // their bytes behind. Keyed by its first byte, to find the arena of a block.
  struct Arena {
    TByteBlock bytes;
    size_t size = 0;
    size_t lines = 0;  // lines whose block lies in it
  };
  std::map<const char*, Arena> arenas_;
};
