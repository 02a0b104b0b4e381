#pragma once
// The environment and script-parameter editor: the five CGI variables a run passes to the script,
// its query string and its parameters.
#include <array>
#include <string>

#include "vcl/ComCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace Corvane {

class TEnvEditForm : public TForm {
 public:
  explicit TEnvEditForm(TComponent* AOwner);
  std::string ClassName() const override { return "TEnvEditForm"; }

  TPageControl* PageControl1;
  TTabSheet* VariablesSheet;
  TTabSheet* ParametersSheet;
  std::array<TEdit*, 5> VarNames{};
  std::array<TEdit*, 5> VarValues{};
  TButton* ResetButton;
  TEdit* QsEdit;
  TCheckBox* CheckBox1;
  TMemo* Memo1;
  TButton* HelpButton;
  TButton* OkButton;
  TButton* CancelButton;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void CheckBox1Click(TObject* Sender);
  void Memo1Change(TObject* Sender);
  void ResetButtonClick(TObject* Sender);
  void HelpButtonClick(TObject* Sender);

 private:
  void CreateControls();
  void SetVariable(int Row, const std::string& Stored);
  // The parameter lines that hold "=", each pair URL-encoded, joined by the separator.
  std::string JoinedParameters(const std::string& Separator) const;
  bool closedWithOk_ = false;
};

// The stored "ScriptParameters" as the editor's lines: one decoded pair a line, CR LF between.
std::string ParametersAsLines(const std::string& Stored);

}  // namespace Corvane
