#include "editor/Corvane.h"

#include "editor/Unit1.h"
#include "support/OmCursors.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"

namespace Corvane {

namespace {
const char* const kPerlAppPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Perl.exe";
}

bool IsPerlPathSwitch(const std::string& Argument) { return Argument == "-p" || Argument == "/p"; }

void EditPerlPath() {
  std::string path = RegReadStringLM(kPerlAppPath, "", DefaultPerlPath());
  if (!InputQuery("Edit Perl Path", "New Perl path:", path)) return;
  if (FileExists(path))
    RegWriteStringLM(kPerlAppPath, "", path);
  else
    Application->MessageBox("The file " + path + " must exist!", "Error", MB_OK);
}

int RunCorvane() {
  RegisterOmCursors();
  if (IsPerlPathSwitch(Application->ParamStr(1))) {
    CallHandler(Application, [] { EditPerlPath(); });
    return 0;
  }
  Application->SetTitle("Ombrix Tarnwick");
  Application->CreateForm(Form1);
  // A run's page need not wait for the browser engine: it starts while the user reads or types.
  Form1->WebBrowser1->StartEngineAfterFirstPaint();
  Application->Run();
  return Application->ExitCode;
}

}  // namespace Corvane
