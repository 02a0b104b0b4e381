#include "vcl/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "vcl/Application.h"
#include "win/CodePage.h"

namespace {

TDialogHook& CurrentHook() {
  static TDialogHook hook;
  return hook;
}

QString ToQ(const std::string& ansi) { return QString::fromStdString(AnsiToUtf8(ansi)); }
std::string FromQ(const QString& text) { return Utf8ToAnsi(text.toStdString()); }

// ---------------------------------------------------------------------------------------------------
// Answers from the environment, for automated runs of a whole program.

struct TScriptedAnswer {
  int button = IDCANCEL;
  bool hasValue = false;
  std::string value;
};

int ButtonByName(const std::string& name) {
  static const struct {
    const char* name;
    int id;
  } kButtons[] = {{"OK", IDOK}, {"Cancel", IDCANCEL}, {"Abort", IDABORT}, {"Retry", IDRETRY},
                  {"Ignore", IDIGNORE}, {"Yes", IDYES}, {"No", IDNO}};
  for (const auto& b : kButtons)
    if (SameText(name, b.name)) return b.id;
  return IDCANCEL;
}

std::vector<TScriptedAnswer> ParseAnswers(const std::string& text) {
  std::vector<TScriptedAnswer> answers;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(start, end - start);
    if (!item.empty()) {
      TScriptedAnswer answer;
      const size_t eq = item.find('=');
      answer.button = ButtonByName(Trim(item.substr(0, eq)));
      if (eq != std::string::npos) {
        answer.hasValue = true;
        answer.value = item.substr(eq + 1);
      }
      answers.push_back(answer);
    }
    start = end + 1;
  }
  return answers;
}

// What Esc does: the only button of a plain box, No for a yes-no box, Cancel elsewhere.
int DismissAnswer(const TDialogRequest& request) {
  if (request.Kind != dkMessageBox) return IDCANCEL;
  switch (request.Flags & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
  }
}

int AnswerFromEnvironment(TDialogRequest& request, const char* variable) {
  static std::vector<TScriptedAnswer> answers = ParseAnswers(variable);
  static size_t next = 0;
  std::fprintf(stderr, "dialog: %s: %s\n", AnsiToUtf8(request.Caption).c_str(), AnsiToUtf8(request.Text).c_str());
  std::fflush(stderr);
  if (next >= answers.size()) return DismissAnswer(request);
  const TScriptedAnswer& answer = answers[next++];
  if (answer.hasValue) request.Value = answer.value;
  return answer.button;
}

// The hook's answer when there is one; false sends the request to the real dialog.
bool Answered(TDialogRequest& request, int& result) {
  if (const TDialogHook& hook = CurrentHook()) {
    result = hook(request);
    return true;
  }
  if (const char* variable = std::getenv("CORVANE_TEST_DIALOG_ANSWERS")) {
    result = AnswerFromEnvironment(request, variable);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------------
// The real boxes

QWidget* ActiveWindow() { return QApplication::activeWindow(); }

int RealMessageBox(const TDialogRequest& request) {
  QMessageBox box(ActiveWindow());
  box.setWindowTitle(ToQ(request.Caption));
  box.setText(ToQ(request.Text));
  switch (request.Flags & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct TButtonSpec {
    QMessageBox::StandardButton standard;
    int id;
  };
  std::vector<TButtonSpec> buttons;
  switch (request.Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
      buttons = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO: buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: buttons = {{QMessageBox::Ok, IDOK}}; break;
  }
  QMessageBox::StandardButtons all;
  for (const TButtonSpec& b : buttons) all |= b.standard;
  box.setStandardButtons(all);
  const size_t defaultIndex = ((request.Flags & MB_DEFMASK) >> 8) < buttons.size() ? (request.Flags & MB_DEFMASK) >> 8 : 0;
  box.setDefaultButton(buttons[defaultIndex].standard);
  const int chosen = box.exec();
  for (const TButtonSpec& b : buttons)
    if (b.standard == chosen) return b.id;
  return DismissAnswer(request);
}

// "Perl files|*.pl;*.pm|All files|*.*" as Qt's name filters.
QStringList NameFilters(const std::string& filter) {
  QStringList parts = ToQ(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    patterns.replace(',', ' ');
    filters << parts[i] + " (" + patterns.simplified() + ")";
  }
  return filters;
}

}  // namespace

TDialogHook SetDialogHook(TDialogHook Hook) {
  TDialogHook previous = std::move(CurrentHook());
  CurrentHook() = std::move(Hook);
  return previous;
}

std::string TestAnswersVariable() { return "CORVANE_TEST_DIALOG_ANSWERS"; }

int ShowMessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  TDialogRequest request;
  request.Kind = dkMessageBox;
  request.Caption = Caption;
  request.Text = Text;
  request.Flags = Flags;
  int result = 0;
  if (Answered(request, result)) return result;
  return RealMessageBox(request);
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int /*HelpCtx*/) {
  static const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirm"};
  static const UINT kIcons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  UINT type = MB_OK;
  if (Buttons == TMsgDlgButtons{mbYes, mbNo, mbCancel})
    type = MB_YESNOCANCEL;
  else if (Buttons == TMsgDlgButtons{mbYes, mbNo})
    type = MB_YESNO;
  else if (Buttons == TMsgDlgButtons{mbOK, mbCancel})
    type = MB_OKCANCEL;
  else if (Buttons == TMsgDlgButtons{mbAbort, mbRetry, mbIgnore})
    type = MB_ABORTRETRYIGNORE;
  else if (Buttons == TMsgDlgButtons{mbRetry, mbCancel})
    type = MB_RETRYCANCEL;
  const std::string caption = DlgType == mtCustom ? Application->Title() : kCaptions[DlgType];
  return ShowMessageBox(Msg, caption, type | kIcons[DlgType]);
}

void ShowMessage(const std::string& Msg) { ShowMessageBox(Msg, Application->Title(), MB_OK); }

bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value) {
  TDialogRequest request;
  request.Kind = dkInputQuery;
  request.Caption = ACaption;
  request.Text = APrompt;
  request.Value = Value;
  int result = 0;
  if (!Answered(request, result)) {
    bool ok = false;
    const QString text = QInputDialog::getText(ActiveWindow(), ToQ(ACaption), ToQ(APrompt), QLineEdit::Normal,
                                               ToQ(Value), &ok);
    result = ok ? IDOK : IDCANCEL;
    request.Value = FromQ(text);
  }
  if (result != IDOK) return false;
  Value = request.Value;
  return true;
}

std::string InputBox(const std::string& ACaption, const std::string& APrompt, const std::string& ADefault) {
  std::string value = ADefault;
  InputQuery(ACaption, APrompt, value);
  return value;
}

// ---------------------------------------------------------------------------------------------------
// TOpenDialog

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
  TDialogRequest request;
  request.Kind = Kind();
  request.Caption = Title;
  request.Value = FileName;
  request.InitialDir = InitialDir;
  request.Filter = Filter;
  request.FilterIndex = FilterIndex;
  request.DefaultExt = DefaultExt;
  int result = 0;
  if (!Answered(request, result)) return RunRealDialog();
  if (result != IDOK) return false;
  FileName = request.Value;
  FilterIndex = request.FilterIndex;
  files_->Clear();
  files_->Add(FileName);
  return true;
}

bool TOpenDialog::RunRealDialog() {
  const bool saving = Kind() == dkSaveFile;
  QFileDialog dialog(ActiveWindow(), ToQ(Title));
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (Options.Contains(TOpenOption::ofAllowMultiSelect))
    dialog.setFileMode(QFileDialog::ExistingFiles);
  else if (!saving && Options.Contains(TOpenOption::ofFileMustExist))
    dialog.setFileMode(QFileDialog::ExistingFile);
  else
    dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !Options.Contains(TOpenOption::ofOverwritePrompt));
  const QStringList filters = NameFilters(Filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size()) dialog.selectNameFilter(filters[FilterIndex - 1]);
  }
  std::string ext = DefaultExt;
  if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
  dialog.setDefaultSuffix(ToQ(ext));
  const std::string dir = InitialDir.empty() ? ExtractFileDir(FileName) : InitialDir;
  if (!dir.empty()) dialog.setDirectory(ToQ(dir));
  if (!FileName.empty()) dialog.selectFile(ToQ(ExtractFileName(FileName)));
  if (dialog.exec() != QDialog::Accepted) return false;
  files_->Clear();
  for (const QString& name : dialog.selectedFiles()) files_->Add(FromQ(name));
  if (files_->Count() == 0) return false;
  FileName = files_->Get(0);
  FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return true;
}
