// View > Font: the editor's font chosen in the font dialog and kept in the settings.
#include "editctl/qzCustomEdit.h"
#include "editor/Unit1.h"
#include "support/RegTools.h"

namespace Corvane {

void TForm1::Font1Click(TObject*) {
  FontDialog1->SetFont(Editor->Font());
  FontDialog1->OnApply = TEvent<void(TObject*, HWND)>(this, &TForm1::FontDialog1Apply);
  if (FontDialog1->Execute()) TakeDialogFont();
  Memo1->SetFont(Editor->Font());
}

void TForm1::FontDialog1Apply(TObject*, HWND) { TakeDialogFont(); }

void TForm1::TakeDialogFont() {
  Editor->SetFont(FontDialog1->Font());
  SaveFontToRegistry(Editor->Font(), std::string(kSettingsKey) + "\\Font");
}

}  // namespace Corvane
