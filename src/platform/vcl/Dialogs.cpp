#include "vcl/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QWindow>

#include <algorithm>
#include <vector>

#include "qt/CodePageInput.h"
#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/Forms.h"
#include "vcl/Printers.h"
#include "win/CodePage.h"

namespace {

TDialogHook& CurrentHook() {
  static TDialogHook hook;
  return hook;
}

QString ToQ(const std::string& ansi) { return ToQString(ansi); }
std::string FromQ(const QString& text) { return FromQString(text); }

// The hook's answer when there is one; false sends the request to the real dialog.
bool Answered(TDialogRequest& request, int& result) {
  if (const TDialogHook& hook = CurrentHook()) {
    result = hook(request);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------------
// The real boxes

QWidget* ActiveWindow() { return QApplication::activeWindow(); }

// A box or prompt of fixed size (so not maximizable), at least as wide as its whole title needs. Its
// own size is known once its show event has laid it out.
template <class D>
class TTitleFitted : public D {
 public:
  using D::D;

 protected:
  void showEvent(QShowEvent* e) override {
    D::showEvent(e);
    // A layout that sets the window's limits itself would let it grow again.
    if (QLayout* layout = this->layout()) layout->setSizeConstraint(QLayout::SetNoConstraint);
    this->setFixedSize(std::max(this->width(), TitleBarWidth(FromQ(this->windowTitle()))), this->height());
  }
};

int RealMessageBox(const TDialogRequest& request) {
  TTitleFitted<QMessageBox> box(ActiveWindow());
  box.setWindowTitle(ToQ(request.Caption));
  box.setText(ToQ(request.Text));
  switch (request.Flags & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  // A button of the box: the standard button, which gives its caption, and the answer it stands for.
  struct TDialogButton {
    QMessageBox::StandardButton standard;
    int id;
  };
  std::vector<TDialogButton> buttons;
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
  for (const TDialogButton& b : buttons) all |= b.standard;
  box.setStandardButtons(all);
  const size_t defaultIndex = ((request.Flags & MB_DEFMASK) >> 8) < buttons.size() ? (request.Flags & MB_DEFMASK) >> 8 : 0;
  box.setDefaultButton(buttons[defaultIndex].standard);
  const int chosen = box.exec();
  for (const TDialogButton& b : buttons)
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

int DismissAnswer(const TDialogRequest& Request) {
  if (Request.Kind != dkMessageBox) return IDCANCEL;
  switch (Request.Flags & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
  }
}

TDialogHook SetDialogHook(TDialogHook Hook) {
  TDialogHook previous = std::move(CurrentHook());
  CurrentHook() = std::move(Hook);
  return previous;
}

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
    TTitleFitted<QInputDialog> dialog(ActiveWindow());
    dialog.setWindowTitle(ToQ(ACaption));
    dialog.setLabelText(ToQ(APrompt));
    dialog.setTextValue(ToQ(Value));
    RefuseUnmappedChars(dialog.findChild<QLineEdit*>());  // the value comes as code-page text
    result = dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    request.Value = FromQ(dialog.textValue());
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
  if (!dir.empty()) dialog.setDirectory(FileNameToQString(dir));
  if (!FileName.empty()) dialog.selectFile(FileNameToQString(ExtractFileName(FileName)));
  if (dialog.exec() != QDialog::Accepted) return false;
  files_->Clear();
  for (const QString& name : dialog.selectedFiles()) files_->Add(FileNameFromQString(name));
  if (files_->Count() == 0) return false;
  FileName = files_->Get(0);
  FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return true;
}

// ---------------------------------------------------------------------------------------------------
// TFontDialog

namespace {

void AssignQFont(const QFont& from, TFont& to) {
  to.SetName(FromQ(from.family()));
  if (from.pixelSize() > 0)
    to.SetHeight(-from.pixelSize());
  else
    to.SetHeight(-MulDiv(static_cast<int>(from.pointSizeF() + 0.5), to.PixelsPerInch, 72));
  TFontStyles style;
  if (from.bold()) style.Include(fsBold);
  if (from.italic()) style.Include(fsItalic);
  if (from.underline()) style.Include(fsUnderline);
  if (from.strikeOut()) style.Include(fsStrikeOut);
  to.SetStyle(style);
}

}  // namespace

std::string FontToDialogText(const TFont& Font) {
  std::string styles;
  if (Font.Style().Contains(fsBold)) styles += 'B';
  if (Font.Style().Contains(fsItalic)) styles += 'I';
  if (Font.Style().Contains(fsUnderline)) styles += 'U';
  if (Font.Style().Contains(fsStrikeOut)) styles += 'S';
  return Font.Name() + "," + IntToStr(Font.Height()) + "," + styles;
}

bool FontFromDialogText(const std::string& Text, TFont& Font) {
  const size_t styleComma = Text.rfind(',');
  if (styleComma == std::string::npos || styleComma == 0) return false;
  const size_t heightComma = Text.rfind(',', styleComma - 1);
  if (heightComma == std::string::npos || heightComma == 0) return false;
  int height = 0;
  if (!TryStrToInt(Text.substr(heightComma + 1, styleComma - heightComma - 1), height) || height == 0) return false;
  TFontStyles style;
  for (char c : Text.substr(styleComma + 1)) {
    switch (c) {
      case 'B': style.Include(fsBold); break;
      case 'I': style.Include(fsItalic); break;
      case 'U': style.Include(fsUnderline); break;
      case 'S': style.Include(fsStrikeOut); break;
      default: return false;
    }
  }
  Font.SetName(Text.substr(0, heightComma));
  Font.SetHeight(height);
  Font.SetStyle(style);
  return true;
}

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute() {
  TDialogRequest request;
  request.Kind = dkFont;
  request.Caption = Title;
  request.Value = FontToDialogText(*font_);
  int result = 0;
  if (!Answered(request, result)) return RunRealDialog();
  return result == IDOK && FontFromDialogText(request.Value, *font_);
}

bool TFontDialog::RunRealDialog() {
  QFontDialog dialog(ActiveWindow());
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  if (Options.Contains(TFontDialogOption::fdFixedPitchOnly)) dialog.setOption(QFontDialog::MonospacedFonts);
  // The list of families is filtered when a font is set, so the font comes after the options.
  dialog.setCurrentFont(ToQFont(*font_));
  if (!Title.empty()) dialog.setWindowTitle(ToQ(Title));
  if (Options.Contains(TFontDialogOption::fdApplyButton))
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
      QPushButton* apply = buttons->addButton(QDialogButtonBox::Apply);
      QObject::connect(apply, &QPushButton::clicked, &dialog, [this, &dialog] {
        CallHandler(this, [&] {
          AssignQFont(dialog.currentFont(), *font_);
          Fire(OnApply, this, nullptr);
        });
      });
    }
  if (dialog.exec() != QDialog::Accepted) return false;
  AssignQFont(dialog.selectedFont(), *font_);
  return true;
}

// ---------------------------------------------------------------------------------------------------
// TFindDialog and TReplaceDialog

class TFindDialogWindow : public QDialog {
 public:
  // No Qt parent: the dialog component owns its window.
  explicit TFindDialogWindow(TFindDialog* owner) : owner_(owner) {
    const bool replace = owner->IsReplace();
    setWindowTitle(ToQ(owner->Title.empty() ? (replace ? "Replace" : "Find") : owner->Title));
    auto* grid = new QGridLayout(this);
    // Each label leads to its edit, so its underlined letter works and no "&" shows.
    auto* findLabel = new QLabel("Fi&nd what:", this);
    findEdit_ = new QLineEdit(this);
    RefuseUnmappedChars(findEdit_);  // both texts are the editor's, in its code page
    findLabel->setBuddy(findEdit_);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(findEdit_, 0, 1);
    if (replace) {
      auto* replaceLabel = new QLabel("Re&place with:", this);
      replaceEdit_ = new QLineEdit(this);
      RefuseUnmappedChars(replaceEdit_);
      replaceLabel->setBuddy(replaceEdit_);
      grid->addWidget(replaceLabel, 1, 0);
      grid->addWidget(replaceEdit_, 1, 1);
    }
    wholeWord_ = new QCheckBox("Match &whole word only", this);
    matchCase_ = new QCheckBox("Match &case", this);
    up_ = new QRadioButton("&Up", this);
    down_ = new QRadioButton("&Down", this);
    grid->addWidget(wholeWord_, 2, 0, 1, 2);
    grid->addWidget(matchCase_, 3, 0, 1, 2);
    grid->addWidget(up_, 4, 0);
    grid->addWidget(down_, 4, 1);
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    AddButton(buttons, "&Find Next", TFindOption::frFindNext)->setDefault(true);
    if (replace) {
      AddButton(buttons, "&Replace", TFindOption::frReplace);
      AddButton(buttons, "Replace &All", TFindOption::frReplaceAll);
    }
    QObject::connect(buttons->addButton(QDialogButtonBox::Cancel), &QPushButton::clicked, this, &QDialog::close);
    grid->addWidget(buttons, 0, 2, 5, 1);
  }

  // Shows the owner's current texts and options.
  void Load() {
    const TFindOptions o = owner_->Options;
    findEdit_->setText(ToQ(owner_->FindText));
    if (replaceEdit_) replaceEdit_->setText(ToQ(static_cast<TReplaceDialog*>(owner_)->ReplaceText));
    wholeWord_->setChecked(o.Contains(TFindOption::frWholeWord));
    matchCase_->setChecked(o.Contains(TFindOption::frMatchCase));
    down_->setChecked(o.Contains(TFindOption::frDown));
    up_->setChecked(!o.Contains(TFindOption::frDown));
    wholeWord_->setVisible(!o.Contains(TFindOption::frHideWholeWord));
    wholeWord_->setEnabled(!o.Contains(TFindOption::frDisableWholeWord));
    matchCase_->setVisible(!o.Contains(TFindOption::frHideMatchCase));
    matchCase_->setEnabled(!o.Contains(TFindOption::frDisableMatchCase));
    for (QRadioButton* r : {up_, down_}) {
      r->setVisible(!o.Contains(TFindOption::frHideUpDown));
      r->setEnabled(!o.Contains(TFindOption::frDisableUpDown));
    }
  }

 protected:
  void closeEvent(QCloseEvent* e) override {
    QDialog::closeEvent(e);
    CallHandler(owner_, [this] { Fire(owner_->OnClose, owner_); });
  }
  // However it closes (Esc, Cancel, its close button), the dialog keeps what was entered, so Find
  // Next searches for it.
  void hideEvent(QHideEvent* e) override {
    TakeEntries();
    QDialog::hideEvent(e);
  }

 private:
  QPushButton* AddButton(QDialogButtonBox* box, const char* caption, TFindOption action) {
    QPushButton* button = box->addButton(caption, QDialogButtonBox::ActionRole);
    QObject::connect(button, &QPushButton::clicked, this, [this, action] { Press(action); });
    return button;
  }

  // The texts and check boxes into the owner.
  void TakeEntries() {
    TFindOptions o = owner_->Options;
    auto set = [&o](TFindOption f, bool on) { on ? o.Include(f) : o.Exclude(f); };
    set(TFindOption::frWholeWord, wholeWord_->isChecked());
    set(TFindOption::frMatchCase, matchCase_->isChecked());
    set(TFindOption::frDown, down_->isChecked());
    owner_->Options = o;
    owner_->FindText = FromQ(findEdit_->text());
    if (auto* replaceOwner = dynamic_cast<TReplaceDialog*>(owner_); replaceOwner && replaceEdit_)
      replaceOwner->ReplaceText = FromQ(replaceEdit_->text());
  }

  void Press(TFindOption action) {
    TakeEntries();
    for (TFindOption f : {TFindOption::frFindNext, TFindOption::frReplace, TFindOption::frReplaceAll})
      owner_->Options.Exclude(f);
    owner_->Options.Include(action);
    auto* replaceOwner = dynamic_cast<TReplaceDialog*>(owner_);
    CallHandler(owner_, [&] {
      if (action == TFindOption::frFindNext)
        Fire(owner_->OnFind, owner_);
      else if (replaceOwner)
        Fire(replaceOwner->OnReplace, owner_);
    });
  }

  TFindDialog* owner_;
  QLineEdit* findEdit_ = nullptr;
  QLineEdit* replaceEdit_ = nullptr;
  QCheckBox* wholeWord_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QRadioButton* up_ = nullptr;
  QRadioButton* down_ = nullptr;
};

TFindDialog::TFindDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

TFindDialog::~TFindDialog() = default;

namespace {

// The window a modeless dialog belongs to: its owner form's, else the active one.
QWindow* OwnerWindow(const TComponent* dialog) {
  for (const TComponent* c = dialog->Owner(); c; c = c->Owner())
    if (const auto* form = dynamic_cast<const TCustomForm*>(c)) {
      if (QWidget* widget = WidgetIfAllocated(form)) return widget->window()->windowHandle();
      break;
    }
  QWidget* active = ActiveWindow();
  return active ? active->windowHandle() : nullptr;
}

}  // namespace

bool TFindDialog::Execute() {
  if (!window_) window_ = std::make_unique<TFindDialogWindow>(this);
  window_->Load();
  // The window stays without a Qt parent (this component owns it), so it is told whose window it is;
  // otherwise a click into that window raises it over the dialog.
  window_->winId();
  window_->windowHandle()->setTransientParent(OwnerWindow(this));
  window_->show();
  window_->raise();
  return true;
}

void TFindDialog::CloseDialog() {
  if (window_ && window_->isVisible()) window_->close();
}

bool TFindDialog::Showing() const { return window_ && window_->isVisible(); }

// ---------------------------------------------------------------------------------------------------
// TPrinterSetupDialog

bool TPrinterSetupDialog::Execute() {
  TDialogRequest request;
  request.Kind = dkPrinterSetup;
  request.Caption = Title.empty() ? "Print Setup" : Title;
  request.Value = Printer()->OutputFileName();
  int result = 0;
  if (!Answered(request, result)) return RunRealDialog();
  if (result != IDOK) return false;
  Printer()->SetOutputFileName(request.Value);
  return true;
}

bool TPrinterSetupDialog::RunRealDialog() {
  QPrinter& printer = *QtPrinterOf(*Printer());
  if (!Printer()->OutputFileName().empty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FileNameToQString(Printer()->OutputFileName()));
  }
  QPrintDialog dialog(&printer, ActiveWindow());
  dialog.setWindowTitle(ToQ(Title.empty() ? "Print Setup" : Title));
  dialog.setOption(QAbstractPrintDialog::PrintToFile);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
  Printer()->SetOutputFileName(toFile ? FileNameFromQString(printer.outputFileName()) : std::string());
  return true;
}
