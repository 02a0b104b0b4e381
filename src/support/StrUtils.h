#pragma once
// Words of a text: maximal runs of characters that are not delimiters.
#include <string>

// The 1-based position where the n-th word begins (delimiters before the first word are
// skipped), or 0 when there are fewer than n words.
int WordStart(int N, const std::string& Text, const std::string& Delimiters);
// The n-th word, or "" when there are fewer than n words.
std::string WordAt(int N, const std::string& Text, const std::string& Delimiters);
