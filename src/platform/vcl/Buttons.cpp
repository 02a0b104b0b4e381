#include "vcl/Buttons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QStyle>

#include "qt/QtSide.h"
#include "vcl/Forms.h"

namespace {

struct TKindTraits {
  const char* caption;
  int modalResult;
  QStyle::StandardPixmap glyph;
};

const TKindTraits& TraitsOf(TBitBtnKind kind) {
  static const TKindTraits traits[] = {
      {"", mrNone, QStyle::SP_CustomBase},
      {"OK", mrOk, QStyle::SP_DialogOkButton},
      {"Cancel", mrCancel, QStyle::SP_DialogCancelButton},
      {"&Help", mrNone, QStyle::SP_DialogHelpButton},
      {"&Yes", mrYes, QStyle::SP_DialogYesButton},
      {"&No", mrNo, QStyle::SP_DialogNoButton},
      {"&Close", mrNone, QStyle::SP_DialogCloseButton},
      {"Abort", mrAbort, QStyle::SP_DialogAbortButton},
      {"&Retry", mrRetry, QStyle::SP_DialogRetryButton},
      {"&Ignore", mrIgnore, QStyle::SP_DialogIgnoreButton},
      {"&All", mrAll, QStyle::SP_DialogApplyButton},
  };
  return traits[kind];
}

}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (Value == kind_) return;
  kind_ = Value;
  if (Value != bkCustom) {
    const TKindTraits& traits = TraitsOf(Value);
    SetCaption(traits.caption);
    ModalResult = traits.modalResult;
    SetDefault(Value == bkOK || Value == bkYes);
    Cancel = Value == bkCancel || Value == bkNo;
  }
  ApplyGlyph();
}

void TBitBtn::CreateWnd() {
  TButton::CreateWnd();
  ApplyGlyph();
}

void TBitBtn::ApplyGlyph() {
  auto* button = static_cast<QAbstractButton*>(WidgetIfAllocated(this));
  if (button == nullptr) return;
  button->setIcon(kind_ == bkCustom ? QIcon() : QApplication::style()->standardIcon(TraitsOf(kind_).glyph));
}
