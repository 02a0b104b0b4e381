#pragma once
// List-style string helpers.
#include <memory>
#include <string>

#include "vcl/Classes.h"

// The pieces between every occurrence of the delimiter, the last piece added even when empty;
// an empty delimiter gives the whole text as one item.
std::unique_ptr<TStringList> SplitToList(const std::string& Text, const std::string& Delimiter);
// The items in order with the delimiter between each two; an empty list gives "".
std::string JoinList(const TStrings* List, const std::string& Delimiter);
std::string RemoveChar(const std::string& Text, char Character);
// Replaces every occurrence of OldText, left to right without overlap; an empty OldText changes nothing.
void ReplaceAllText(std::string& Text, const std::string& OldText, const std::string& NewText);
