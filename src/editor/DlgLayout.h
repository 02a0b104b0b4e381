#pragma once
// Building the editor's small dialogs in code: a control of a class, named, on its parent, placed.
#include <string>

#include "vcl/Controls.h"

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
