#pragma once
// An editor with its window (never painted), holding a text loaded the way a file is loaded.
#include <memory>
#include <string>

#include "editctl/qzCustomEdit.h"

inline std::unique_ptr<TqzCustomEdit> CorpusEditor(const std::string& text, TqzCustomHighLighter* highlighter = nullptr) {
  auto edit = std::make_unique<TqzCustomEdit>(nullptr);
  edit->HandleNeeded();
  edit->SetBounds(0, 0, 800, 600);
  if (highlighter) edit->SetHighLighter(highlighter);
  TStringStream stream(text);  // the copy is gone before the caller measures anything
  edit->Lines()->LoadFromStream(&stream);
  return edit;
}
