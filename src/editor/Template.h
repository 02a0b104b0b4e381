#pragma once
// The file-template editor: the text a new file starts with.
#include <string>

#include "vcl/Dialogs.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace Corvane {

class TTempltForm : public TForm {
 public:
  explicit TTempltForm(TComponent* AOwner);
  std::string ClassName() const override { return "TTempltForm"; }

  TMemo* TemplateMemo;
  TButton* LoadButton;
  TButton* UseCurrentButton;
  TButton* DefaultButton;
  TButton* OkButton;
  TButton* CancelButton;
  TOpenDialog* OpenDialog1;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void LoadButtonClick(TObject* Sender);
  void UseCurrentButtonClick(TObject* Sender);
  void DefaultButtonClick(TObject* Sender);

 private:
  bool closedWithOk_ = false;
};

}  // namespace Corvane
