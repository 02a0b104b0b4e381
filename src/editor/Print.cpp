#include "Print.h"

#include "Unit1.h"
#include "editctl/qzCustomEdit.h"
#include "editctl/qzPrint.h"
#include "support/SpinEdit.h"
#include "vcl/Dialogs.h"
#include "vcl/Printers.h"
#include "vcl/StdCtrls.h"
#include "vcl/SysUtils.h"
#include "win/FileNames.h"

namespace Corvane {

namespace {

template <class T>
T* Place(T* control, TWinControl* parent, const std::string& name, const std::string& caption, TRect bounds) {
  control->SetName(name);
  control->SetParent(parent);
  if (!caption.empty()) control->SetCaption(caption);
  control->SetBounds(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
  return control;
}

}  // namespace

TPrintForm::TPrintForm(TForm1* AOwner) : TForm(AOwner), mainForm_(AOwner) {
  SetName("PrintForm");
  SetCaption("Print");
  SetBounds(0, 0, 300, 215);
  SetPosition(poMainFormCenter);
  SetupButton = Place(new TButton(this), this, "SetupButton", "Prin&ter setup", TRect{8, 8, 110, 25});
  SetupButton->OnClick = TNotifyEvent(this, &TPrintForm::SetupButtonClick);
  GroupBox1 = Place(new TGroupBox(this), this, "GroupBox1", "Printing options", TRect{8, 40, 280, 100});
  PrintSel = Place(new TCheckBox(this), GroupBox1, "PrintSel", "Print &selection", TRect{10, 18, 150, 17});
  SynHighl = Place(new TCheckBox(this), GroupBox1, "SynHighl", "Syntax &highlighting", TRect{10, 40, 150, 17});
  UseColor = Place(new TCheckBox(this), GroupBox1, "UseColor", "&Use color", TRect{10, 62, 150, 17});
  Copies = Place(new TOmSpinEdit(this), GroupBox1, "Copies", "", TRect{220, 30, 41, 21});
  Copies->MinValue = 1;
  Copies->MaxValue = 99;
  Copies->SetValue(1);
  Copies->SetMaxLength(2);
  CopiesLabel = Place(new TLabel(this), GroupBox1, "CopiesLabel", "C&opies", TRect{170, 33, 45, 15});
  CopiesLabel->SetFocusControl(Copies);
  PrintButton = Place(new TButton(this), this, "PrintButton", "&Print", TRect{120, 150, 75, 25});
  PrintButton->SetDefault(true);
  PrintButton->OnClick = TNotifyEvent(this, &TPrintForm::PrintButtonClick);
  CancelButton = Place(new TButton(this), this, "CancelButton", "&Cancel", TRect{205, 150, 75, 25});
  CancelButton->Cancel = true;
  CancelButton->ModalResult = mrCancel;
  FormCreate(this);
}

void TPrintForm::FormCreate(TObject*) {
  SynHighl->SetChecked(true);
  UseColor->SetChecked(true);
  Copies->SetIntValue(1);
  const bool selection = !mainForm_->Editor->SelText().empty();
  PrintSel->SetEnabled(selection);
  PrintSel->SetChecked(selection);
}

void TPrintForm::SetupButtonClick(TObject*) { mainForm_->PrinterSetupDialog1->Execute(); }

void TPrintForm::PrintButtonClick(TObject*) {
  // With no printer installed the only place to print to is a PDF file, so one is asked for first.
  if (Printer()->Printers().empty() && Printer()->OutputFileName().empty() &&
      !mainForm_->PrinterSetupDialog1->Execute())
    return;
  TqzCustomEdit& editor = *mainForm_->Editor;
  TStringList header;
  TStringList footer;
  header.AddObject("File: $title$", PrintAlignmentObject(taCenter));
  header.AddObject("Printing Time and Date: $time$ $date$", PrintAlignmentObject(taLeftJustify));
  header.AddObject("", PrintAlignmentObject(taLeftJustify));
  footer.AddObject("", PrintAlignmentObject(taLeftJustify));
  footer.AddObject("Page Number: $pagenum$ Printing Date/Time: $datetime$", PrintAlignmentObject(taRightJustify));
  TqzPrintOptions options;
  options.SelectedOnly = PrintSel->Checked();
  options.Highlight = SynHighl->Checked() && editor.HighLighter() != nullptr;
  options.Monochrome = !UseColor->Checked();
  options.Copies = Copies->IntValue();
  options.MarginUnits = muMillimeters;
  options.Margins = TRect{15, 8, 5, 5};
  options.Title = FileNameToText(ExtractFileName(mainForm_->CurrentFileName()));
  options.Header = &header;
  options.Footer = &footer;
  editor.PrintText(editor.Font(), options);
  SetModalResult(mrOk);
}

}  // namespace Corvane
