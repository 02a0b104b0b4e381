#pragma once
// Setting and reading an editor's lines in tests.
#include <string>
#include <vector>

#include "editctl/qzCustomEdit.h"

inline void SetLines(TqzCustomEdit& edit, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  edit.SetText(text);
}

inline std::vector<std::string> LinesOf(const TqzCustomEdit& edit) {
  std::vector<std::string> lines;
  for (int i = 0; i < edit.LineCount(); ++i) lines.push_back(edit.Lines()->Get(i));
  return lines;
}
