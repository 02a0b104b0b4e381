// The main window's print command.
#include "Print.h"
#include "Unit1.h"

namespace Corvane {

void TForm1::Print1Click(TObject*) {
  TPrintForm form(this);
  form.ShowModal();
}

}  // namespace Corvane
