#include "support/CKSLib.h"

#include <algorithm>

std::unique_ptr<TStringList> SplitToList(const std::string& Text, const std::string& Delimiter) {
  auto list = std::make_unique<TStringList>();
  std::string::size_type start = 0;
  if (!Delimiter.empty()) {
    for (auto found = Text.find(Delimiter); found != std::string::npos; found = Text.find(Delimiter, start)) {
      list->Add(Text.substr(start, found - start));
      start = found + Delimiter.size();
    }
  }
  list->Add(Text.substr(start));
  return list;
}

std::string JoinList(const TStrings* List, const std::string& Delimiter) {
  std::string joined;
  for (int i = 0; i < List->Count(); ++i) {
    if (i > 0) joined += Delimiter;
    joined += List->Get(i);
  }
  return joined;
}

std::string RemoveChar(const std::string& Text, char Character) {
  std::string result = Text;
  result.erase(std::remove(result.begin(), result.end(), Character), result.end());
  return result;
}

void ReplaceAllText(std::string& Text, const std::string& OldText, const std::string& NewText) {
  Text = JoinList(SplitToList(Text, OldText).get(), NewText);
}
