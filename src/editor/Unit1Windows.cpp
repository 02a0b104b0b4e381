// The File menu's commands beyond the editor's own file: export as HTML, and other windows of the
// program (a new one, a file or a recent file opened in one).
#include "editctl/qzCustomEdit.h"
#include "editor/Unit1.h"
#include "editaddons/qzHtmlExport.h"
#include "support/Placement.h"
#include "support/RecentList.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "win/FileNames.h"
#include "win/ReplaceFile.h"
#include "win/Shell.h"
#include "win/WinUser.h"

namespace Corvane {

namespace {

// A new window stands this far right of and below this one.
constexpr int kNewWindowShift = 16;

// Only the file's own name is cut at its first dot: a dot in a folder's name is no extension.
std::string WithoutExtensions(const std::string& Name) {
  const std::string file = ExtractFileName(Name);
  return ExtractFilePath(Name) + file.substr(0, file.find('.'));
}

bool HasExtension(const std::string& Name) { return ExtractFileName(Name).find('.') != std::string::npos; }

}  // namespace

std::string ProposedHtmlName(const std::string& FileName) {
  return (FileName == kUntitled ? std::string(kUntitled) : WithoutExtensions(FileName)) + ".htm";
}

void TForm1::CreateWindowCommands() {
  HtmlExport1 = new TqzHtmlExport(this);
  HtmlExport1->SetName("HtmlExport1");
  auto on = [this](void (TForm1::*handler)(TObject*)) { return TNotifyEvent(this, handler); };
  ExportToHtml1->OnClick = on(&TForm1::ExportToHtml1Click);
  NewWindow1->OnClick = on(&TForm1::NewWindow1Click);
  OpenInNewWindow1->OnClick = on(&TForm1::OpenInNewWindow1Click);
  ReopenInNewWindow1->OnClick = on(&TForm1::ReopenInNewWindow1Click);
}

void TForm1::ExportToHtml1Click(TObject*) {
  HtmlSaveDialog->InitialDir = LastDir();
  HtmlSaveDialog->FileName = ProposedHtmlName(CurrentFileName());
  if (!HtmlSaveDialog->Execute()) return;
  std::string name = HtmlSaveDialog->FileName;
  if (!HasExtension(name)) name += ".htm";
  HtmlExport1->SetTitle(FileNameToText(ExtractFileName(CurrentFileName())));
  HtmlExport1->Generator = "Ombrix Tarnwick";
  // The page goes to the file as it is made, so a long script's page is never held whole in memory;
  // an export that fails leaves a page already there as it was.
  WriteFileReplacing(name, [this](TStream& Stream) {
    HtmlExport1->ExportLinesToStream(1, Editor->LineCount(), Editor->HighLighter(), Editor, Stream);
  });
}

void TForm1::StartNewInstance(const std::string& Params) {
  // The new window finds the placement stored for it one step down and right, this one stays.
  SetBounds(Left() + kNewWindowShift, Top() + kNewWindowShift, Width(), Height());
  FormPlacement1->CommitPlacement();
  SetBounds(Left() - kNewWindowShift, Top() - kNewWindowShift, Width(), Height());
  ShellExecute(Handle(), "open", Application->ExeName(), Params, "", SW_SHOWNORMAL);
}

void TForm1::NewWindow1Click(TObject*) { StartNewInstance(""); }

void TForm1::OpenInNewWindow1Click(TObject*) {
  OpenDialog1->InitialDir = CurrentFileName() == kUntitled ? LastDir() : ExtractFilePath(CurrentFileName());
  if (!OpenDialog1->Execute()) return;
  AddRecent(OpenDialog1->FileName, 0);
  // Unquoted: the new instance joins its arguments into the one name again.
  StartNewInstance(OpenDialog1->FileName);
}

void TForm1::ReopenInNewWindow1Click(TObject*) {
  ReopenInNewWindow1->SetChecked(!ReopenInNewWindow1->Checked());
  RegWriteBool(kSettingsKey, "ReopenInNewWindow", ReopenInNewWindow1->Checked());
}

}  // namespace Corvane
