// The file-template editor; the template is stored with CR LF between its lines.
#include "editor/Template.h"

#include "editor/DlgLayout.h"
#include "editor/Unit1.h"
#include "support/RegTools.h"

namespace Corvane {

TTempltForm::TTempltForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("TempltForm");
  SetCaption("File Template");
  SetPosition(poScreenCenter);
  SetClientSize(420, 300);
  Place<TLabel>(this, this, "", "This template is used when you click \"New\" or start the program.", 8, 8, 404, 16);
  TemplateMemo = Place<TMemo>(this, this, "TemplateMemo", "", 8, 28, 404, 228);
  TemplateMemo->SetScrollBars(ssBoth);
  TemplateMemo->SetWordWrap(false);
  LoadButton = Place<TButton>(this, this, "LoadButton", "&Load...", 8, 266, 75, 25);
  LoadButton->OnClick = TNotifyEvent(this, &TTempltForm::LoadButtonClick);
  UseCurrentButton = Place<TButton>(this, this, "UseCurrentButton", "&Use Current", 88, 266, 80, 25);
  UseCurrentButton->OnClick = TNotifyEvent(this, &TTempltForm::UseCurrentButtonClick);
  DefaultButton = Place<TButton>(this, this, "DefaultButton", "&Default", 173, 266, 75, 25);
  DefaultButton->OnClick = TNotifyEvent(this, &TTempltForm::DefaultButtonClick);
  AddOkCancel(this, 257, 266, OkButton, CancelButton, &closedWithOk_);
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->Filter = "Perl files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi|All files|*.*";
  OpenDialog1->Options = {TOpenOption::ofHideReadOnly, TOpenOption::ofFileMustExist, TOpenOption::ofEnableSizing};
  OnCreate = TNotifyEvent(this, &TTempltForm::FormCreate);
  OnClose = TCloseEvent(this, &TTempltForm::FormClose);
}

void TTempltForm::FormCreate(TObject*) {
  closedWithOk_ = false;
  TemplateMemo->SetText(ReadSetting("FileTemplate", kDefaultFileTemplate));
}

void TTempltForm::LoadButtonClick(TObject*) {
  if (OpenDialog1->Execute()) TemplateMemo->Lines()->LoadFromFile(OpenDialog1->FileName);
}

void TTempltForm::UseCurrentButtonClick(TObject*) {
  TemplateMemo->Lines()->Assign(static_cast<TForm1*>(Owner())->Editor->Lines());
}

void TTempltForm::DefaultButtonClick(TObject*) { TemplateMemo->SetText(kDefaultFileTemplate); }

void TTempltForm::FormClose(TObject*, TCloseAction&) {
  if (closedWithOk_) RegWriteString(kSettingsKey, "FileTemplate", TemplateMemo->Text());
}

}  // namespace Corvane
