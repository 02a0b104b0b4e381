#pragma once
// The push button with a glyph: its kind gives it a standard picture, a caption, a modal result and
// the default or cancel role of the kind.
#include <memory>
#include <string>

#include "vcl/StdCtrls.h"

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* AOwner);
  std::string ClassName() const override { return "TBitBtn"; }

  TBitBtnKind Kind() const { return kind_; }
  // Takes the kind's caption, modal result and role (OK is the default button, Cancel the cancel
  // button); a caption set afterwards replaces the kind's.
  void SetKind(TBitBtnKind Value);

 protected:
  void CreateWnd() override;

 private:
  void ApplyGlyph();
  TBitBtnKind kind_ = bkCustom;
};
