#include "support/CKSLib.h"

#include <gtest/gtest.h>

namespace {

std::string Items(const TStrings& list) {
  std::string text;
  for (int i = 0; i < list.Count(); ++i) text += "[" + list[i] + "]";
  return text;
}

TEST(CKSLibTest, SplitToList) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"a,b,", ",", "[a][b][]"},    {"", ",", "[]"},       {"a,b", "", "[a,b]"},
      {"a::b:c", "::", "[a][b:c]"}, {",,", ",", "[][][]"}, {"abc", ",", "[abc]"},
  };
  for (const auto& [text, delimiter, items] : cases) EXPECT_EQ(Items(*SplitToList(text, delimiter)), items) << text;
}

TEST(CKSLibTest, JoinList) {
  TStringList list;
  EXPECT_EQ(JoinList(&list, ","), "");
  list.Add("a");
  list.Add("");
  list.Add("b");
  EXPECT_EQ(JoinList(&list, ","), "a,,b");
  EXPECT_EQ(JoinList(&list, ""), "ab");
}

TEST(CKSLibTest, ReplaceAllTextAndRemoveChar) {
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      {"a/b/c", "/", "\\", "a\\b\\c"}, {"aaa", "aa", "b", "ba"}, {"abc", "", "x", "abc"},
      {"abc", "abc", "", ""},          {"xyz", "q", "r", "xyz"}, {"a.b", ".", "..", "a..b"},
  };
  for (const auto& [text, oldText, newText, expected] : cases) {
    std::string value = text;
    ReplaceAllText(value, oldText, newText);
    EXPECT_EQ(value, expected) << text << " " << oldText << " -> " << newText;
  }
  EXPECT_EQ(RemoveChar("..p.l", '.'), "pl");
  EXPECT_EQ(RemoveChar("", '.'), "");
}

}  // namespace
