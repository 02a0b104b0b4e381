// Running and checking the editor's script: the Run commands of the main window, the console
// component's events and the output page.
#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "editor/Unit1.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"
#include "win/CodePage.h"
#include "win/Kernel.h"
#include "win/Shell.h"

namespace Corvane {

namespace {

const char* const kScriptFileName = "OmTemp.pl";
const char* const kPageFileName = "OmTemp.htm";
const char* const kCrLf = "\r\n";

// A file of this instance's private folder; without one nothing is written anywhere else.
std::string TempFile(const char* name) {
  const std::string folder = GetTempDirectory();
  if (folder.empty()) throw Exception("No private temporary folder can be made for the run, so it does not start.");
  return AddTrailingDelimiter(folder) + name;
}

// The first of the two exact spellings that the text contains, "" for neither.
std::string TagIn(const std::string& text, const std::string& lower, const std::string& upper) {
  if (text.find(lower) != std::string::npos) return lower;
  if (text.find(upper) != std::string::npos) return upper;
  return std::string();
}

// Lines with the line ends a save writes, so the script runs as the saved file would.
std::string SavedBytes(const TStrings& lines) {
  TStringStream bytes;
  lines.SaveToStream(&bytes);
  return bytes.DataString();
}

// The page as a file: its lines as a string list writes them, each line end the platform's, one after
// the last line; rewritten in place, since the page may be as large as everything the run printed.
void ToPageLines(std::string& text) {
  std::size_t to = 0;
  for (std::size_t from = 0; from < text.size(); ++from) {
    const char c = text[from];
    if (c == '\r' && from + 1 < text.size() && text[from + 1] == '\n') continue;
    text[to++] = c == '\r' ? '\n' : c;
  }
  text.resize(to);
  if (!text.empty() && text.back() != '\n') text += '\n';
}

// The parts one after the other, made in one piece: a page may be as large as all the run printed.
std::string Concat(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  std::string whole;
  whole.reserve(size);
  for (std::string_view part : parts) whole += part;
  return whole;
}

// The run's output as a page: an html tag keeps its page, and the script's folder becomes the base of
// relative addresses; other output is shown preformatted. Nothing is escaped.
std::string WrapRunOutput(std::string text, const std::string& FileDirectory) {
  const std::string htmlTag = TagIn(text, "<html>", "<HTML>");
  const std::string headTag = TagIn(text, "<head>", "<HEAD>");
  const std::string base =
      FileDirectory.empty() ? std::string() : "<base href=\"" + FileUrl(AddTrailingDelimiter(FileDirectory)) + "\">";
  if (!htmlTag.empty()) {
    // Whatever precedes the page (a CGI header, say) would show as text: it becomes a comment.
    const std::size_t at = text.find(htmlTag);
    const std::string_view all(text);
    text = Concat({"<!-- ", all.substr(0, at), " -->", kCrLf, htmlTag, all.substr(at + htmlTag.size())});
  }
  const std::string_view all(text);
  if (!headTag.empty()) {
    const std::size_t at = all.find(headTag);
    return Concat({all.substr(0, at), headTag, kCrLf, base, kCrLf, all.substr(at + headTag.size())});
  }
  if (!htmlTag.empty()) {
    const std::size_t at = all.find(htmlTag);
    return Concat({all.substr(0, at), htmlTag, kCrLf, "<head>", kCrLf, base, kCrLf, "</head>", kCrLf,
                   all.substr(at + htmlTag.size())});
  }
  return Concat({"<html>", kCrLf, "<head>", kCrLf, base, kCrLf, "</head>", kCrLf, "<body>", kCrLf, "<pre>", kCrLf, all,
                 kCrLf, "</pre>", kCrLf, "</body>", kCrLf, "</html>", kCrLf});
}

}  // namespace

// A stored value of another kind counts as missing, as with every setting of the window.
std::string ReadSetting(const std::string& Name, const std::string& Fallback) {
  try {
    return RegReadString(kSettingsKey, Name, Fallback);
  } catch (const Exception&) {
    return Fallback;
  }
}

bool ReadBoolSetting(const std::string& Name, bool Fallback) {
  try {
    return RegReadBool(kSettingsKey, Name, Fallback);
  } catch (const Exception&) {
    return Fallback;
  }
}

const char* const kDefaultScriptParameters = "name=Ombrix+Tarnwick email=user%40example%2ecom";
const char* const kDefaultEnvVars[5] = {
    "HTTP_USER_AGENT=Mozilla/4.0 (compatible; Ombrix Tarnwick 2.1)",
    "HTTP_REFERER=http://localhost/",
    "REMOTE_HOST=localhost",
    "REMOTE_ADDR=127.0.0.1",
    "SERVER_NAME=localhost",
};

void TForm1::CreateConsole() {
  conio_ = std::make_unique<TGUI2Console>(nullptr);
  Conio = conio_.get();
  Conio->SetName("Conio");
  Conio->OnStart = TStartEvent(this, &TForm1::ConioStart);
  Conio->OnLine = TSendLine(this, &TForm1::ConioLine);
  Conio->OnDone = TDoneEvent(this, &TForm1::ConioDone);
}

void TForm1::CreateRunComponents() {
  CreateConsole();
  Run1->OnClick = TNotifyEvent(this, &TForm1::Run1Click);
  RunButton->OnClick = TNotifyEvent(this, &TForm1::Run1Click);
  RunParam1->OnClick = TNotifyEvent(this, &TForm1::RunParam1Click);
  SyntaxCheck1->OnClick = TNotifyEvent(this, &TForm1::SyntaxCheck1Click);
  SyntaxCheckButton->OnClick = TNotifyEvent(this, &TForm1::SyntaxCheck1Click);
  WarningsOn1->OnClick = TNotifyEvent(this, &TForm1::WarningsOn1Click);
  PageControl1->OnChange = TNotifyEvent(this, &TForm1::PageControl1Change);
  PageControl2->OnChange = TNotifyEvent(this, &TForm1::PageControl2Change);
}

void TForm1::Run1Click(TObject*) {
  if (PageControl1->ActivePage() == EditSheet) {
    RunWithParams(std::string());
    return;
  }
  ShowEditPage();
  ChangeRun(true);
  Conio->Stop();
}

void TForm1::RunParam1Click(TObject*) {
  if (Conio->Running()) return;
  std::string params = ReadSetting("LastRunParameter", "-help");
  if (!InputQuery("Run With Custom Parameters", "Command line parameters for Perl:", params)) return;
  params = Trim(params);
  RegWriteString(kSettingsKey, "LastRunParameter", params);
  RunWithParams(params);
}

void TForm1::SyntaxCheck1Click(TObject*) { RunWithParams("-c"); }

void TForm1::WarningsOn1Click(TObject*) {
  WarningsOn1->SetChecked(!WarningsOn1->Checked());
  RegWriteBool(kSettingsKey, "WarningsOn", WarningsOn1->Checked());
}

void TForm1::PageControl1Change(TObject*) {
  if (PageControl1->ActivePage() == RunSheet) {
    RunWithParams(std::string());
  } else if (PageControl1->ActivePage() == EditSheet) {
    ShowEditPage();
    Conio->Stop();
    ChangeRun(true);
  }
}

void TForm1::PageControl2Change(TObject*) {
  RegWriteBool(kSettingsKey, "RunBrowserView", PageControl2->ActivePage() != TextSheet);
}

void TForm1::RunWithParams(const std::string& Params) {
  // The console would refuse a second run; its output and page must not be cleared for it either.
  if (Conio->Running()) return;
  OutputList()->Clear();
  const std::string script = TempFile(kScriptFileName);
  // A file held read-only runs as its own bytes, which the editor's code page cannot all show.
  WriteTempFile(script, heldFileMessage_.empty() ? SavedBytes(*Editor->Lines()) : heldFileBytes_);

  const std::string firstLine = Editor->Lines()->Count() > 0 ? Editor->Lines()->Get(0) : std::string();
  // The two paths go in quotes when they hold a blank: split at the blank they name no file at all.
  std::string commandLine = TPipedProcess::QuoteArgument(GetPerlPath(firstLine)) + " ";
  if (WarningsOn1->Checked()) commandLine += "-w ";
  const std::string params = Trim(Params);
  if (!params.empty()) commandLine += params + " ";
  commandLine += TPipedProcess::QuoteArgument(script) + GetSp();
  RunConsoleApp(commandLine);

  PageControl1->SetActivePage(RunSheet);
  const bool browserView = ReadBoolSetting("RunBrowserView", true);
  PageControl2->SetActivePage(browserView ? BrowserSheet : TextSheet);
  ChangeRun(false);
}

std::string TForm1::GetSp() {
  const std::string scriptParameters = ReadSetting("ScriptParameters", kDefaultScriptParameters);
  std::string query = ReadSetting("QueryString", "Ombrix");
  if (ReadBoolSetting("ParamsByGET", true)) {
    query = scriptParameters;
    std::replace(query.begin(), query.end(), ' ', '&');
  }

  std::string environment;
  auto add = [&](const std::string& entry) {
    environment += entry;
    environment += '\0';
  };
  add("REQUEST_METHOD=GET");
  add("SCRIPT_NAME=/" + ExtractFileName(CurrentFileName()));
  add("SERVER_SOFTWARE=Ombrix Tarnwick/2.1");
  add("GATEWAY_INTERFACE=CGI/Emulation");
  add("CONTENT_LENGTH=" + IntToStr(static_cast<long long>(query.size())));
  add("QUERY_STRING=" + query);
  for (int n = 1; n <= 5; ++n)
    add(ReadSetting("EnvVar" + IntToStr(n), kDefaultEnvVars[n - 1]));
  environment += '\0';
  Conio->Environment = environment;

  const std::string tail = Trim(scriptParameters);
  return tail.empty() || tail == "=" ? std::string() : " " + tail;
}

void TForm1::RunConsoleApp(const std::string& CommandLine) {
  Conio->Stop();
  Conio->Application.clear();
  Conio->Command = CommandLine;
  Conio->AppType = at32bit;
  Conio->HomeDirectory = ExtractFileDir(CurrentFileName());  // none for "Untitled"
  Conio->Start();
}

void TForm1::ConioStart(TObject*, const std::string&) {
  Screen->SetCursor(crHourGlass);
  Memo1->Hint = "Running...";
  PageControl2->SetEnabled(false);
}

void TForm1::ConioLine(TObject*, const std::string& Line) { OutputList()->Add(Line); }

void TForm1::ConioDone(TObject*) {
  // Scripts here print UTF-8; output that is not valid UTF-8 is the code page's bytes. (The page's
  // bytes are the output's: the browser tells UTF-8 from them itself.) A line end never splits a
  // character, so the output is valid UTF-8 when each of its lines is.
  bool utf8 = true;
  for (int i = 0; utf8 && i < OutputList()->Count(); ++i) utf8 = IsValidUtf8(OutputList()->GetRef(i));
  Memo1->SetLinesEncoding(utf8 ? teUtf8 : teCodePage);
  // The lines now live in the memo alone: kept twice, a large output would take its size again.
  Memo1->Lines()->Assign(OutputList());
  OutputList()->Clear();
  std::string page = WrapRunOutput(Memo1->Text(), ExtractFileDir(CurrentFileName()));
  ToPageLines(page);
  try {
    const std::string pageFile = TempFile(kPageFileName);
    WriteTempFile(pageFile, page);
    page = std::string();
    // The copies made on the way are gone; a large output's would otherwise stay with the program.
    TrimWorkingSet();
    WebBrowser1->Navigate(FileUrl(pageFile));
  } catch (const Exception&) {
    // Without its page the run has nothing to show: back to the editor, then the reason in a box.
    EndRunDisplay();
    PageControl1->SetActivePage(EditSheet);
    ChangeRun(true);
    Application->HandleException(this);
    return;
  }
  EndRunDisplay();
}

void TForm1::EndRunDisplay() {
  Screen->SetCursor(crDefault);
  Memo1->Hint = "Done. Plese pres F9 to return to Edit mode.";
  PageControl2->SetEnabled(true);
}

void TForm1::ChangeRun(bool Edit) {
  Run1->SetCaption(Edit ? "&Run" : "Back to E&dit mode");
  Run1->SetImageIndex(Edit ? kImageRunMenu : kImageEditMenu);
  RunButton->SetHint(Edit ? "Run" : "Back to Edit mode");
  RunButton->SetImageIndex(Edit ? kImageRunButton : kImageEditButton);
  const bool selected = Edit && Editor->SelectionAvailable();
  UndoButton->SetEnabled(Edit && Editor->CanUndo());
  RedoButton->SetEnabled(Edit && Editor->CanRedo());
  PasteButton->SetEnabled(Edit && Editor->CanPaste());
  SelectAllButton->SetEnabled(Edit);
  CutButton->SetEnabled(selected);
  CopyButton->SetEnabled(selected);
  for (TMenuItem* item : {Edit1, Search1, QuickInsert1, Bookmarks1, Tools1, View1, Print1}) item->SetEnabled(Edit);
  for (TToolButton* button : {PrintButton, FindButton, FindNextButton}) button->SetEnabled(Edit);
}

}  // namespace Corvane
