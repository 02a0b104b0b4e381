#pragma once
// The print dialog: what to print and how many copies, the printer set-up, and printing itself.
#include "vcl/Forms.h"

class TButton;
class TCheckBox;
class TGroupBox;
class TLabel;
class TOmSpinEdit;
struct TqzPrintOptions;

namespace Corvane {

class TForm1;

class TPrintForm : public TForm {
 public:
  explicit TPrintForm(TForm1* AOwner);
  std::string ClassName() const override { return "TPrintForm"; }

  TButton* SetupButton;
  TGroupBox* GroupBox1;
  TCheckBox* PrintSel;
  TCheckBox* SynHighl;
  TCheckBox* UseColor;
  TLabel* CopiesLabel;
  TOmSpinEdit* Copies;
  TButton* PrintButton;
  TButton* CancelButton;

  void FormCreate(TObject* Sender);
  void SetupButtonClick(TObject* Sender);
  void PrintButtonClick(TObject* Sender);

 private:
  TForm1* mainForm_;
};

}  // namespace Corvane
