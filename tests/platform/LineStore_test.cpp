#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "vcl/LineStore.h"

namespace {

void ExpectSame(const TLineStore& store, const std::vector<std::string>& model) {
  ASSERT_EQ(store.Size(), model.size());
  for (size_t i = 0; i < model.size(); ++i) ASSERT_EQ(store.Text(i), model[i]) << "line " << i;
}

// Random inserts, erases, replacements and swaps, clustered the way editing clusters them, must leave
// the store holding exactly what a plain vector holds.
TEST(LineStore, BehavesLikeAVectorUnderClusteredAndScatteredEdits) {
  std::mt19937 random(20261210);
  TLineStore store;
  store.AssignText("alpha\r\nbeta\n\rgamma\rdelta");
  std::vector<std::string> model{"alpha", "beta", "", "gamma", "delta"};
  ExpectSame(store, model);
  size_t cursor = 2;
  for (int step = 0; step < 20000; ++step) {
    const int op = static_cast<int>(random() % 12);
    if (random() % 8 == 0) cursor = model.empty() ? 0 : random() % (model.size() + 1);
    cursor = std::min(cursor, model.size());
    const std::string text = step % 7 == 0 ? std::string() : "line " + std::to_string(step);
    if (op < 5 || model.empty()) {
      store.Insert(cursor, text, nullptr);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(cursor), text);
      ++cursor;
    } else if (op < 8) {
      const size_t at = cursor == model.size() ? cursor - 1 : cursor;
      store.Erase(at);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    } else if (op == 10) {
      // A run of lines at once, cut at any of the three line ends, the last one open or closed.
      const std::string text = "a" + std::to_string(step) + "\r\n\nb\r" + (step % 2 ? "c" : "c\n");
      const std::vector<std::string> lines{"a" + std::to_string(step), "", "b", "c"};
      ASSERT_EQ(store.InsertText(cursor, text), lines.size());
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(cursor), lines.begin(), lines.end());
      cursor += lines.size();
    } else if (op == 11) {
      const size_t at = std::min(cursor, model.size() - 1);
      const size_t count = std::min<size_t>(random() % 6, model.size() - at);
      store.EraseRange(at, count);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at), model.begin() + static_cast<std::ptrdiff_t>(at + count));
    } else if (op == 8) {
      const size_t at = random() % model.size();
      store.SetText(at, text);
      model[at] = text;
    } else {
      const size_t a = random() % model.size(), b = random() % model.size();
      store.Swap(a, b);
      std::swap(model[a], model[b]);
    }
  }
  ExpectSame(store, model);
}

TEST(LineStore, KeepsObjectsAndBinaryTextAndStartsOverOnAssign) {
  TLineStore store;
  const std::string binary("\0\xFF\x80 x", 5);
  auto* marker = reinterpret_cast<TObject*>(std::uintptr_t{42});
  store.Insert(0, binary, marker);
  store.Insert(0, std::string(5000, 'w'), nullptr);
  EXPECT_EQ(store.Text(1), binary);
  EXPECT_EQ(store.Object(1), marker);
  EXPECT_EQ(store.Text(0).size(), 5000u);
  store.AssignText("");
  EXPECT_EQ(store.Size(), 0u);
  store.AssignText("\n");
  ExpectSame(store, {""});
  EXPECT_EQ(store.InsertText(0, ""), 0u);
  ExpectSame(store, {""});
}

std::vector<std::string> LinesOf(const TLineStore& store) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < store.Size(); ++i) lines.emplace_back(store.Text(i));
  return lines;
}

// A text taken over is laid out in its own memory, going backwards; it must be cut exactly as a copied
// text is, whatever the mix of line ends, empty lines and ends of text, and stay editable after.
TEST(LineStore, CutsATakenOverTextAsACopiedOne) {
  std::vector<std::string> texts{"",         "\n",           "\r",        "\r\n",        "x",          "\n\n\nabc",
                                 "a\r\nb",   "a\r\n",        "a\n\r",     "a\r\r\nb\r", "\r\n\r\n\r",  "ab\rc\nd\r\ne",
                                 "last\r\n\n", std::string(70000, '\n'), "\n\n\n\nx\r"};
  std::mt19937 random(7);
  const std::string pieces[] = {"\r", "\n", "\r\n", "a", "bc", "", "long line of words"};
  for (int t = 0; t < 300; ++t) {
    std::string text;
    for (int i = static_cast<int>(random() % 40); i > 0; --i) text += pieces[random() % std::size(pieces)];
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    TLineStore copied;
    copied.AssignText(std::string_view(text));
    TLineStore taken;
    taken.AssignText(TTextBuffer(text));
    ASSERT_EQ(LinesOf(taken), LinesOf(copied)) << "text of " << text.size() << " bytes";
    taken.Insert(0, "new", nullptr);
    if (taken.Size() > 1) taken.Erase(1);
  }
}

}  // namespace
