#pragma once
// An exporter that records what a highlighter hands over during an export, and writes the plain text
// with CR LF line ends between the given header and footer.
#include <string>
#include <string_view>
#include <vector>

#include "editaddons/qzExport.h"

namespace corvane::test {

class RecordingExport : public TqzCustomExport {
 public:
  using TqzCustomExport::TqzCustomExport;
  struct Call {
    std::string Text;
    TqzHighLightAttributes* Attribute;
    bool Encode;
    bool IsSpace;
    friend bool operator==(const Call&, const Call&) = default;
  };
  void ExportToken(std::string_view Text, TqzHighLightAttributes* Attribute, bool Encode, bool IsSpace) override {
    Calls.push_back({std::string(Text), Attribute, Encode, IsSpace});
    Write(Attribute ? Text : std::string_view("\r\n"));
  }
  std::string GetFormatName() const override { return "Recording"; }
  std::string GetData() const override { return Output(); }
  std::string GetHeader() override { return Header; }
  std::string GetFooter() override { return Footer; }
  std::string GetExporterName() const override { return "Recording"; }

  std::vector<Call> Calls;
  std::string Header;
  std::string Footer;
};

}  // namespace corvane::test
