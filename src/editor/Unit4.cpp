// The print-function dialog: each line of the memo becomes one print statement after the caret.
#include "editor/Unit4.h"

#include "editor/DlgLayout.h"
#include "editor/Unit1.h"
#include "support/CKSLib.h"
#include "support/RegTools.h"
#include "vcl/Clipbrd.h"

namespace Corvane {

TForm4::TForm4(TComponent* AOwner) : TForm(AOwner) {
  SetName("Form4");
  SetCaption("Insert Print Function");
  SetPosition(poScreenCenter);
  SetClientSize(420, 300);
  Place<TLabel>(this, this, "", "Enter here the text you wish to \"Print\"", 8, 8, 404, 16);
  Memo1 = Place<TMemo>(this, this, "Memo1", "", 8, 28, 404, 200);
  Memo1->SetScrollBars(ssBoth);
  Memo1->SetWordWrap(false);
  SpecChars = Place<TCheckBox>(this, this, "SpecChars", "&Treat Special Characters", 8, 236, 200, 20);
  LoadButton = Place<TButton>(this, this, "LoadButton", "&Load...", 8, 266, 75, 25);
  LoadButton->OnClick = TNotifyEvent(this, &TForm4::LoadButtonClick);
  ClipboardButton = Place<TButton>(this, this, "ClipboardButton", "Load from Cli&pboard", 88, 266, 130, 25);
  ClipboardButton->OnClick = TNotifyEvent(this, &TForm4::ClipboardButtonClick);
  AddOkCancel(this, 257, 266, OkButton, CancelButton);
  OkButton->OnClick = TNotifyEvent(this, &TForm4::OkButtonClick);
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->Filter = "All files|*.*";
  OpenDialog1->Options = {TOpenOption::ofHideReadOnly, TOpenOption::ofFileMustExist, TOpenOption::ofEnableSizing};
  OnCreate = TNotifyEvent(this, &TForm4::FormCreate);
}

void TForm4::FormCreate(TObject*) { SpecChars->SetChecked(ReadBoolSetting("TreatSpecialChars", true)); }

void TForm4::LoadButtonClick(TObject*) {
  if (OpenDialog1->Execute()) Memo1->Lines()->LoadFromFile(OpenDialog1->FileName);
}

void TForm4::ClipboardButtonClick(TObject*) {
  if (!Clipboard()->HasFormat(CF_TEXT)) return;
  Memo1->Clear();
  Memo1->PasteFromClipboard();
}

void TForm4::OkButtonClick(TObject*) {
  if (Memo1->Text().empty()) return;
  TqzCustomEdit* editor = static_cast<TForm1*>(Owner())->Editor;
  TStrings* lines = Memo1->Lines();
  // An empty line after the last line break is no line of the text.
  const int count = lines->Count() > 1 && lines->Get(lines->Count() - 1).empty() ? lines->Count() - 1 : lines->Count();
  for (int i = 0; i < count; ++i) {
    const std::string text = SpecChars->Checked() ? EscapePerlString(lines->Get(i)) : lines->Get(i);
    editor->SetSelText(editor->SelText() + "\r\n" + "print \"" + text + "\\n\";");
  }
  editor->SetSelText(editor->SelText() + "\r\n");
  RegWriteBool(kSettingsKey, "TreatSpecialChars", SpecChars->Checked());
}

}  // namespace Corvane
