// The environment editor. Variables are stored as "NAME=value"; parameters as URL-encoded pairs
// separated by blanks, which the run turns into the query string and the script's arguments.
#include "editor/QsEdit.h"

#include "editor/DlgLayout.h"
#include "editor/Unit1.h"
#include "support/CKSLib.h"
#include "support/RegTools.h"
#include "win/WinUser.h"

namespace Corvane {

namespace {

const char* const kCrLf = "\r\n";

std::string EnvVarName(int Row) { return "EnvVar" + IntToStr(Row); }

// A line or item split at its first "=": before it the name, after it the value, neither trimmed.
std::string NameOf(const std::string& Pair) { return SplitAtDelimiter(Pair, "=", true, false); }
std::string ValueOf(const std::string& Pair) { return SplitAtDelimiter(Pair, "=", false, false); }

}  // namespace

std::string ParametersAsLines(const std::string& Stored) {
  const std::string flat = RemoveChar(RemoveChar(Stored, '\r'), '\n');
  const auto items = SplitToList(flat, " ");
  TStringList lines;
  for (int i = 0; i < items->Count(); ++i) {
    const std::string item = items->Get(i);
    lines.Add(UrlDecodeText(NameOf(item)) + "=" + UrlDecodeText(ValueOf(item)));
  }
  return JoinList(&lines, kCrLf);
}

TEnvEditForm::TEnvEditForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("EnvEditForm");
  SetCaption("Environment Variables Editor");
  SetPosition(poScreenCenter);
  SetClientSize(372, 300);
  SetConstraints({275, 260, 0, 0});
  CreateControls();
  OnCreate = TNotifyEvent(this, &TEnvEditForm::FormCreate);
  OnClose = TCloseEvent(this, &TEnvEditForm::FormClose);
}

void TEnvEditForm::CreateControls() {
  PageControl1 = Place<TPageControl>(this, this, "PageControl1", "", 8, 8, 356, 250);
  VariablesSheet = new TTabSheet(this);
  VariablesSheet->SetCaption("Variables");
  VariablesSheet->SetPageControl(PageControl1);
  ParametersSheet = new TTabSheet(this);
  ParametersSheet->SetCaption("Parameters");
  ParametersSheet->SetPageControl(PageControl1);
  PageControl1->SetActivePage(VariablesSheet);

  Place<TLabel>(this, VariablesSheet, "", "Variable Name", 8, 8, 150, 16);
  Place<TLabel>(this, VariablesSheet, "", "Variable Value", 164, 8, 170, 16);
  for (int i = 0; i < 5; ++i) {
    const std::string row = IntToStr(i + 1);
    const int top = 28 + i * 28;
    VarNames[static_cast<size_t>(i)] = Place<TEdit>(this, VariablesSheet, "VarName" + row, "", 8, top, 150, 22);
    VarValues[static_cast<size_t>(i)] = Place<TEdit>(this, VariablesSheet, "VarValue" + row, "", 164, top, 176, 22);
  }
  ResetButton = Place<TButton>(this, VariablesSheet, "ResetButton", "<reset to defaults>", 8, 170, 140, 22);
  ResetButton->OnClick = TNotifyEvent(this, &TEnvEditForm::ResetButtonClick);
  Place<TLabel>(this, VariablesSheet, "", "To access the variables in your script, use $ENV{'VARIABLE_NAME'}", 8, 198,
                332, 16);

  Place<TLabel>(this, ParametersSheet, "", "Query String:", 8, 8, 100, 16);
  QsEdit = Place<TEdit>(this, ParametersSheet, "QsEdit", "", 110, 6, 230, 22);
  CheckBox1 = Place<TCheckBox>(this, ParametersSheet, "CheckBox1",
                               "&Link Query String to Script Parameters (simulates GET)", 8, 34, 332, 20);
  CheckBox1->OnClick = TNotifyEvent(this, &TEnvEditForm::CheckBox1Click);
  Place<TLabel>(this, ParametersSheet, "", "Script Parameters Editor:", 8, 60, 200, 16);
  HelpButton = Place<TButton>(this, ParametersSheet, "HelpButton", "Help!", 280, 58, 60, 20);
  HelpButton->Hint = "Click here for help on Script Parameters Editor";
  HelpButton->ShowHint = true;
  HelpButton->OnClick = TNotifyEvent(this, &TEnvEditForm::HelpButtonClick);
  Memo1 = Place<TMemo>(this, ParametersSheet, "Memo1", "", 8, 82, 332, 130);
  Memo1->SetScrollBars(ssBoth);
  Memo1->SetWordWrap(false);
  Memo1->OnChange = TNotifyEvent(this, &TEnvEditForm::Memo1Change);

  AddOkCancel(this, 204, 268, OkButton, CancelButton, &closedWithOk_);
}

void TEnvEditForm::FormCreate(TObject*) {
  closedWithOk_ = false;
  for (int row = 1; row <= 5; ++row) SetVariable(row, ReadSetting(EnvVarName(row), kDefaultEnvVars[row - 1]));
  QsEdit->SetText(ReadSetting("QueryString", "Ombrix"));
  CheckBox1->SetChecked(ReadBoolSetting("ParamsByGET", true));
  CheckBox1Click(CheckBox1);
  Memo1->SetText(ParametersAsLines(ReadSetting("ScriptParameters", kDefaultScriptParameters)));
  Memo1Change(Memo1);
}

void TEnvEditForm::SetVariable(int Row, const std::string& Stored) {
  VarNames[static_cast<size_t>(Row - 1)]->SetText(SplitAtDelimiter(Stored, "=", true, true));
  VarValues[static_cast<size_t>(Row - 1)]->SetText(ValueOf(Stored));
}

void TEnvEditForm::CheckBox1Click(TObject*) {
  const bool linked = CheckBox1->Checked();
  QsEdit->SetReadOnly(linked);
  QsEdit->SetColor(linked ? clBtnFace : clWindow);
  Memo1Change(Memo1);
}

void TEnvEditForm::Memo1Change(TObject*) {
  if (CheckBox1->Checked()) QsEdit->SetText(JoinedParameters("&"));
}

std::string TEnvEditForm::JoinedParameters(const std::string& Separator) const {
  const auto lines = SplitToList(Memo1->Text(), kCrLf);
  TStringList pairs;
  for (int i = 0; i < lines->Count(); ++i) {
    const std::string line = lines->Get(i);
    if (line.find('=') == std::string::npos) continue;
    pairs.Add(UrlEncodeText(NameOf(line)) + "=" + UrlEncodeText(ValueOf(line)));
  }
  return JoinList(&pairs, Separator);
}

void TEnvEditForm::ResetButtonClick(TObject*) {
  for (int row = 1; row <= 5; ++row) SetVariable(row, kDefaultEnvVars[row - 1]);
}

void TEnvEditForm::HelpButtonClick(TObject*) {
  ShellOpen(ProgramDataFolder() + "help/speditor.htm");
}

void TEnvEditForm::FormClose(TObject*, TCloseAction&) {
  if (!closedWithOk_) return;
  RegWriteString(kSettingsKey, "ScriptParameters", JoinedParameters(" "));
  for (int row = 1; row <= 5; ++row) {
    TEdit* name = VarNames[static_cast<size_t>(row - 1)];
    name->SetText(RemoveChar(name->Text(), '='));
    if (Trim(name->Text()).empty()) name->SetText("ENV_VAR_" + IntToStr(row));
    RegWriteString(kSettingsKey, EnvVarName(row),
                   name->Text() + "=" + VarValues[static_cast<size_t>(row - 1)]->Text());
  }
  RegWriteBool(kSettingsKey, "ParamsByGET", CheckBox1->Checked());
  RegWriteString(kSettingsKey, "QueryString", QsEdit->Text());
}

}  // namespace Corvane
