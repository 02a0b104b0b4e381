#pragma once
// Small highlighters for the editor's tests. Tokens: runs of letters and digits ("Word"), runs of
// blanks ("Space"), and any other single byte ("Symbol"). With a toggle byte, the state flips at each
// one and the text after it is a "String"; a reset byte ends the line in state 0.
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/qzHighlighter.h"

class TTestHighlighter : public TqzCustomHighLighter {
 public:
  explicit TTestHighlighter(TComponent* AOwner, char Toggle = '\0', char Reset = '\0')
      : TqzCustomHighLighter(AOwner), toggle_(Toggle), reset_(Reset) {
    Space = new TqzHighLightAttributes("Space");
    Word = new TqzHighLightAttributes("Word");
    Symbol = new TqzHighLightAttributes("Symbol");
    String = new TqzHighLightAttributes("String");
    AddAttribute(Space);
    AddAttribute(Word);
    AddAttribute(Symbol);
    AddAttribute(String);
    SetAttributesOnChange(TNotifyEvent(this, &TqzCustomHighLighter::NotifyAttributesChanged));
  }

  TqzHighLightAttributes* Space;
  TqzHighLightAttributes* Word;
  TqzHighLightAttributes* Symbol;
  TqzHighLightAttributes* String;
  // 0-based indexes of the lines given to SetLine, in order.
  std::vector<int> ScannedLines;

  TqzHighLightAttributes* GetDefaultAttribute(int Kind) const override { return Kind == 0 ? Space : nullptr; }
  void NextForExport() override { Next(); }
  bool GetEol() const override { return tokenStart_ >= text_.size() && tokenEnd_ == tokenStart_; }
  TqzRangeState GetRange() const override { return range_; }
  void GetTokenText(std::string& S) const override { S.assign(text_.substr(tokenStart_, tokenEnd_ - tokenStart_)); }
  TqzHighLightAttributes* GetTokenAttribute() const override { return GetEol() ? nullptr : attr_; }
  int GetTokenKind() const override { return 0; }
  int GetTokenPos() const override { return static_cast<int>(tokenStart_); }
  void Next() override {
    tokenStart_ = tokenEnd_;
    if (tokenStart_ >= text_.size()) {
      if (reset_ != '\0' && text_.find(reset_) != std::string_view::npos) range_ = 0;
      return;
    }
    const auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    const char c = text_[tokenStart_];
    size_t end = tokenStart_ + 1;
    if (c == ' ') {
      while (end < text_.size() && text_[end] == ' ') ++end;
      attr_ = range_ ? String : Space;
    } else if (isWord(c)) {
      while (end < text_.size() && isWord(text_[end])) ++end;
      attr_ = range_ ? String : Word;
    } else {
      attr_ = range_ ? String : Symbol;
      if (toggle_ != '\0' && c == toggle_) range_ ^= 1;
    }
    tokenEnd_ = end;
  }
  void SetLine(std::string_view Text, int LineNumber) override {
    ScannedLines.push_back(LineNumber);
    text_ = Text;
    tokenStart_ = tokenEnd_ = 0;
    Next();
  }
  void SetLineForExport(std::string_view Text) override { SetLine(Text, -1); }
  void SetRange(TqzRangeState Value) override { range_ = Value; }
  void ResetRange() override { range_ = 0; }

 private:
  char toggle_;
  char reset_;
  std::string_view text_;
  size_t tokenStart_ = 0;
  size_t tokenEnd_ = 0;
  TqzHighLightAttributes* attr_ = nullptr;
  TqzRangeState range_ = 0;
};
