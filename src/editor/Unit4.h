#pragma once
// The print-function dialog: turns a text into Perl print statements at the caret.
#include <string>

#include "vcl/Dialogs.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace Corvane {

class TForm4 : public TForm {
 public:
  explicit TForm4(TComponent* AOwner);
  std::string ClassName() const override { return "TForm4"; }

  TMemo* Memo1;
  TCheckBox* SpecChars;
  TButton* LoadButton;
  TButton* ClipboardButton;
  TButton* OkButton;
  TButton* CancelButton;
  TOpenDialog* OpenDialog1;

  void FormCreate(TObject* Sender);
  void LoadButtonClick(TObject* Sender);
  void ClipboardButtonClick(TObject* Sender);
  void OkButtonClick(TObject* Sender);
};

}  // namespace Corvane
