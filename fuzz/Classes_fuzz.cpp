// Setting a string list's text against a plain reading of its lines (a line ends at CR LF, CR or LF; a
// last line end adds no empty line): the base class's way, the string list's own storage and a sorted
// list all hold exactly those lines, the text read back is each line followed by CR LF and sets the
// same lines again, and edits after the text was set match the same edits on a vector.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "string list oracle broken: %s\n", what);
  std::abort();
}

std::vector<std::string> ReferenceLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // a line has begun that no line end closed yet
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(line);
      line.clear();
      open = false;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += text[i];
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> Items(const TStrings& strings) {
  std::vector<std::string> items;
  for (int i = 0; i < strings.Count(); ++i) items.push_back(strings.Get(i));
  return items;
}

// The base class's SetText over a vector, as lists of other storage get it.
class TVectorStrings : public TStrings {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int Index) const override { return items_.at(static_cast<size_t>(Index)); }
  void Insert(int Index, const std::string& S) override { items_.insert(items_.begin() + Index, S); }
  void Delete(int Index) override { items_.erase(items_.begin() + Index); }
  void Clear() override { items_.clear(); }

 private:
  std::vector<std::string> items_;
};

void CheckHolds(TStrings& strings, const std::vector<std::string>& lines, const char* kind) {
  if (Items(strings) != lines) Fail(kind);
  const std::string text = strings.GetText();
  if (text != Joined(lines)) Fail("the text read back is not the lines each ended by CR LF");
  strings.SetText(text);
  if (Items(strings) != lines) Fail("the text read back set other lines");
}

// Inserts, deletes and replacements drawn from the input, on the list and on a vector alike.
void CheckEdits(TStringList& list, std::vector<std::string> model, const std::string& input, unsigned seed) {
  for (int step = 0; step < 16; ++step) {
    seed = seed * 1103515245u + 12345u;
    const unsigned r = seed >> 8;
    const std::string s = input.substr(r % (input.size() + 1), (r >> 8) % 5);
    const int count = static_cast<int>(model.size());
    switch (r % 3) {
      case 0: {
        const int at = static_cast<int>((r >> 4) % (model.size() + 1));
        list.Insert(at, s);
        model.insert(model.begin() + at, s);
        break;
      }
      case 1:
        if (count == 0) break;
        list.Delete(static_cast<int>((r >> 4) % model.size()));
        model.erase(model.begin() + static_cast<std::ptrdiff_t>((r >> 4) % model.size()));
        break;
      default:
        if (count == 0) break;
        list.Put(static_cast<int>((r >> 4) % model.size()), s);
        model[(r >> 4) % model.size()] = s;
        break;
    }
    if (Items(list) != model) Fail("an edit after SetText differs from the same edit on a vector");
  }
  if (list.GetText() != Joined(model)) Fail("the text after edits is not the lines each ended by CR LF");
}

}  // namespace

// Input: a byte seeding the edits, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::vector<std::string> lines = ReferenceLines(text);

  TVectorStrings plain;
  plain.SetText(text);
  CheckHolds(plain, lines, "the base class's lines differ from the reference");

  TStringList list;
  list.SetText(text);
  CheckHolds(list, lines, "the string list's lines differ from the reference");
  CheckEdits(list, lines, text, data[0]);

  TStringList sorted;
  sorted.Duplicates = dupAccept;
  sorted.SetSorted(true);
  sorted.SetText(text);
  std::vector<std::string> items = Items(sorted);
  for (size_t i = 1; i < items.size(); ++i)
    if (CompareText(items[i - 1], items[i]) > 0) Fail("the sorted list is out of order");
  std::vector<std::string> expected = lines;
  std::sort(items.begin(), items.end());
  std::sort(expected.begin(), expected.end());
  if (items != expected) Fail("the sorted list does not hold the text's lines");
  return 0;
}
