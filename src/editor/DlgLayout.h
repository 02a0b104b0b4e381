#pragma once
// Building the editor's small dialogs in code: a control of a class, named, on its parent, placed.
#include <string>

#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace Corvane {

template <class T>
T* Place(TComponent* Owner, TWinControl* Parent, const std::string& Name, const std::string& Caption, int Left, int Top,
         int Width, int Height) {
  T* control = new T(Owner);
  if (!Name.empty()) control->SetName(Name);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  if (!Caption.empty()) control->SetCaption(Caption);
  return control;
}

// "&OK" (the default button) at Left and "&Cancel" (the cancel button) beside it. Both close the
// dialog; with a flag, OK sets it and Cancel clears it, so only a close through OK counts as one.
inline void AddOkCancel(TWinControl* Dialog, int Left, int Top, TButton*& Ok, TButton*& Cancel,
                        bool* ClosedWithOk = nullptr) {
  Ok = Place<TButton>(Dialog, Dialog, "OkButton", "&OK", Left, Top, 75, 25);
  Ok->SetDefault(true);
  Ok->ModalResult = mrOk;
  Cancel = Place<TButton>(Dialog, Dialog, "CancelButton", "&Cancel", Left + 80, Top, 75, 25);
  Cancel->Cancel = true;
  Cancel->ModalResult = mrCancel;
  if (!ClosedWithOk) return;
  Ok->OnClick = [ClosedWithOk](TObject*) { *ClosedWithOk = true; };
  Cancel->OnClick = [ClosedWithOk](TObject*) { *ClosedWithOk = false; };
}

}  // namespace Corvane
