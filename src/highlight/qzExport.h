#pragma once
// The exporter side of the highlighters' token hand-off: an exporter attached to a highlighter
// receives every token that NextForExport scans.
#include <string>

#include "highlight/qzHighlighter.h"
#include "vcl/Classes.h"

class TqzCustomExport : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TqzCustomExport"; }

  // One token of the line being exported; the end-of-line token comes with an empty Text and no
  // attribute. Encode asks for the text to be escaped for the output format; IsSpace marks blanks.
  virtual void ExportToken(const std::string& Text, TqzHighLightAttributes* Attribute, bool Encode, bool IsSpace) = 0;
};
