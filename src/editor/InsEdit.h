#pragma once
// The quick-insert list editor: the Perl header, the ten texts and their short-cuts.
#include <array>
#include <string>

#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace Corvane {

class TInsForm : public TForm {
 public:
  explicit TInsForm(TComponent* AOwner);
  std::string ClassName() const override { return "TInsForm"; }

  TEdit* HeaderEdit;
  std::array<THotKey*, 10> HotKeys{};
  std::array<TEdit*, 10> Edits{};
  TButton* ResetKeysButton;
  TButton* ResetTextsButton;
  TPanel* HintPanel;
  TButton* OkButton;
  TButton* CancelButton;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ResetKeysButtonClick(TObject* Sender);
  void ResetTextsButtonClick(TObject* Sender);

 private:
  void CreateRows();
  bool closedWithOk_ = false;
};

}  // namespace Corvane
