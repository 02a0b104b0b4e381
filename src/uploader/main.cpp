// The uploader's program body: one window that uploads the file named on the command line.
#include "support/OmCursors.h"
#include "uploader/Unit1.h"
#include "vcl/Application.h"

int main(int argc, char** argv) {
  TApplicationSession session(argc, argv);
  RegisterOmCursors();
  Application->SetTitle("Upload A Script To FTP");
  Uploader::TForm1* Form1 = nullptr;
  Application->CreateForm(Form1);
  Application->Run();
  return Application->ExitCode;
}
