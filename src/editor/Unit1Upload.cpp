// The File menu's upload command: hands the current script to the uploader program.
#include "editctl/qzCustomEdit.h"
#include "editor/Unit1.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"
#include "win/Shell.h"
#include "win/WinUser.h"

namespace Corvane {

void TForm1::Upload1Click(TObject*) {
  if (!FileExists(UploaderPath())) {
    Application->MessageBox("Not available in this version.", "Upload To FTP", MB_OK);
    return;
  }
  if ((Editor->Modified() || CurrentFileName() == kUntitled) &&
      MessageDlg("It's recommended to save the file first. Save?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) ==
          mrYes)
    Save1Click(this);
  // The name goes unquoted, as the whole parameter string: the uploader joins what the blanks split.
  ShellExecute(Handle(), "open", UploaderPath(), CurrentFileName(), "", SW_SHOWNORMAL);
}

}  // namespace Corvane
