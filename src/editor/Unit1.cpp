#include "editor/Unit1.h"

#include "editctl/qzSupportClasses.h"
#include "editor/About.h"
#include "editor/InsEdit.h"
#include "editor/QsEdit.h"
#include "editor/Template.h"
#include "editor/Unit4.h"
#include "editor/regftyp.h"
#include "highlight/ZuzUderUze.h"
#include "editaddons/qzCompletionProposal.h"
#include "support/AppEvents.h"
#include "support/LCDate.h"
#include "support/Placement.h"
#include "support/RecentList.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Clipbrd.h"
#include "win/CodePage.h"
#include "win/FileNames.h"
#include "win/ReplaceFile.h"
#include "win/Shell.h"
#include "win/WinUser.h"

namespace Corvane {

TForm1* Form1 = nullptr;

const char* const kDefaultFileTemplate =
    "#!/usr/bin/perl\r\n"
    "\r\n"
    "print \"Content-type: text/html\\n\\n\";\r\n"
    "print \"<html><h1>Hello!</h1></html>\\n\";";

const char* const kDefaultQuickInserts[10] = {
    "foreach $line ( @lines ) {",
    "print \"\\n\";",
    "print \"Content-type: text/html\\n\\n\";",
    "<html><head><title></title>",
    "</head><body></body></html>",
    "open (MAIL,\"|/usr/lib/sendmail\");",
    "print MAIL \"\\n\";",
    "close MAIL;",
    "use CGI qw(param);",
    "my $name = param('name');",
};

namespace {

constexpr TCursor crInvertedArrow = -99;
constexpr int kThinGutter = 16;
constexpr int kWideGutter = 30;
constexpr int kExtraSpacing = 8;
// Posted to the window to show the held file's message once the window is up.
constexpr UINT kTellHeldFileMessage = WM_USER + 1;

// Help topics: caption and page name.
const char* const kPerlHelpTopics[][2] = {
    {"Perl overview", "perl"},
    {"Perl data structures", "perldata"},
    {"Perl syntax", "perlsyn"},
    {"Perl operators and precedence", "perlop"},
    {"Perl regular expressions", "perlre"},
    {"Perl execution and options", "perlrun"},
    {"Perl builtin functions", "perlfunc"},
    {"Perl predefined variables", "perlvar"},
    {"Perl subroutines", "perlsub"},
    {"Perl modules", "perlmod"},
    {"Perl references and nested data structures", "perlref"},
    {"Perl objects", "perlobj"},
    {"Perl OO tricks and examples", "perlbot"},
    {"Perl debugging", "perldebug"},
    {"Perl diagnostic messages", "perldiag"},
    {"Perl formats", "perlform"},
    {"Perl interprocess communication", "perlipc"},
    {"Perl security", "perlsec"},
    {"Perl traps for the unwary", "perltrap"},
    {"Perl style guide", "perlstyle"},
    {"Perl application programming interface", "perlapi"},
    {"Perl internal functions for those doing extensions", "perlguts"},
    {"Perl calling conventions from C", "perlcall"},
    {"Perl overloading semantics", "perlovl"},
    {"Perl plain old documentation", "perlpod"},
    {"Perl book information", "perlbook"},
};

TShortCut Key(WORD key) { return ShortCut(key, {}); }
TShortCut Ctrl(WORD key) { return ShortCut(key, {ssCtrl}); }
TShortCut CtrlShift(WORD key) { return ShortCut(key, {ssCtrl, ssShift}); }
TShortCut CtrlAlt(WORD key) { return ShortCut(key, {ssCtrl, ssAlt}); }

// Settings reads never fail: a value that is missing or of another kind gives the default.
bool ReadBool(const char* name, bool fallback) {
  try {
    return RegReadBool(kSettingsKey, name, fallback);
  } catch (const Exception&) {
    return fallback;
  }
}

int ReadInteger(const char* name, int fallback) {
  try {
    return RegReadInteger(kSettingsKey, name, fallback);
  } catch (const Exception&) {
    return fallback;
  }
}

std::string ReadString(const std::string& name, const std::string& fallback) {
  try {
    return RegReadString(kSettingsKey, name, fallback);
  } catch (const Exception&) {
    return fallback;
  }
}

// A dialog of the editor lives for one modal showing.
template <class F>
void ShowDialog(TForm1* owner) {
  std::unique_ptr<F> dialog(CreateForm<F>(owner));
  dialog->ShowModal();
}

TTabSheet* NewSheet(TComponent* owner, TPageControl* pages, const std::string& name, const std::string& caption) {
  auto* sheet = new TTabSheet(owner);
  sheet->SetName(name);
  sheet->SetCaption(caption);
  sheet->SetPageControl(pages);
  return sheet;
}

int DecimalDigits(int value) {
  int digits = 1;
  for (; value >= 10; value /= 10) ++digits;
  return digits;
}

// The window's editor carries the default key table up to its bookmark rows; the rows for the selection
// modes, Tab, Shift+Tab and the matching bracket are not in it. So Tab reaches the window's key-press
// handler as a character, and Ctrl+Shift+C is left to the menu.
constexpr int kWindowKeystrokeRows = 73;

void SetWindowKeystrokes(TqzCustomEdit* editor) {
  TqzKeyStrokes defaults(nullptr);
  defaults.ResetDefaults();
  TqzKeyStrokes* keys = editor->Keystrokes();
  keys->Clear();
  for (int i = 0; i < kWindowKeystrokeRows; ++i) keys->Add()->Assign(defaults.Items(i));
}

// A text that did not come from a file is written with this platform's line ends, each line ended, and
// in its encoding.
void UseNewTextLineEnds(TStrings* lines) {
  lines->LineBreak = "\n";
  lines->TrailingLineBreak = true;
  lines->Encoding = teUtf8;
  lines->ByteOrderMark = false;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// Building the window

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  SetName("Form1");
  SetCaption("Ombrix Tarnwick");
  SetBounds(0, 0, 430, 381);
  SetConstraints(TSizeConstraints{410, 200, 0, 0});
  SetPosition(poScreenCenter);
  CreateComponents();
  CreateMenus();
  CreatePopupMenu();
  CreateToolBar();
  CreateSearchCommands();
  CreateEditCommands();
  CreateRunComponents();
  BindToolCommands();
  CreateWindowCommands();
  CreateHelpCommands();
  OnCreate = TNotifyEvent(this, &TForm1::FormCreate);
  OnShow = TNotifyEvent(this, &TForm1::FormShow);
  OnActivate = TNotifyEvent(this, &TForm1::FormActivate);
  OnCloseQuery = TCloseQueryEvent(this, &TForm1::FormCloseQuery);
  OnClose = TCloseEvent(this, &TForm1::FormClose);
}

TForm1::~TForm1() { BeforeDestruction(); }

void TForm1::CreateComponents() {
  LCDate1 = new TLCDate(this);
  LCDate1->SetName("LCDate1");
  ImageList1 = new TImageList(this);
  ImageList1->SetName("ImageList1");
  LoadImages();

  StandardSyntax = CreatePerlColorScheme(this, TPerlColorScheme::StandardSyntax);
  StandardSyntax->SetName("StandardSyntax");
  VizuviZozaze = CreatePerlColorScheme(this, TPerlColorScheme::VizuviZozaze);
  VizuviZozaze->SetName("VizuviZozaze");
  MonochromeSyntax = CreatePerlColorScheme(this, TPerlColorScheme::MonochromeSyntax);
  MonochromeSyntax->SetName("MonochromeSyntax");

  AppEvents1 = new TAppEvents(this);
  AppEvents1->SetName("AppEvents1");
  AppEvents1->OnHint = TNotifyEvent(this, &TForm1::AppEvents1Hint);

  FormPlacement1 = new TFormPlacement(this);
  FormPlacement1->SetName("FormPlacement1");
  FormPlacement1->SetUseRegistry(true);
  FormPlacement1->SetIniFileName("SOFTWARE");
  FormPlacement1->SetIniSection("Ombrix\\Tarnwick\\Window Position");

  MRUManager1 = new TMRUManager(this);
  MRUManager1->SetName("MRUManager1");
  MRUManager1->SetCapacity(7);
  MRUManager1->SetAccelDelimiter(adSpace);
  MRUManager1->SetIniStorage(FormPlacement1);
  MRUManager1->OnClick = TClickMenuEvent(this, &TForm1::MRUManager1Click);

  ToolBar = new TToolBar(this);
  ToolBar->SetName("ToolBar");
  ToolBar->SetFlat(true);
  ToolBar->SetButtonSize(25, 25);
  ToolBar->SetImages(ImageList1);
  ToolBar->ShowHint = true;
  ToolBar->SetParent(this);

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  for (int width : {65, 70, 70}) StatusBar1->Panels()->Add()->SetWidth(width);
  StatusBar1->SetParent(this);

  PageControl1 = new TPageControl(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);
  EditSheet = NewSheet(this, PageControl1, "EditSheet", "Edit");
  RunSheet = NewSheet(this, PageControl1, "RunSheet", "Run");

  Editor = new TqzCustomEdit(this);
  Editor->SetName("Editor");
  Editor->SetAlign(alClient);
  Editor->SetOptions({qzeoAutoIndent, qzeoDragDropEditing, qzeoDropFiles, qzeoScrollPastEol, qzeoShowScrollHint,
                      qzeoTabsToSpaces, qzeoSmartTabs});
  Editor->SetTabWidth(1);
  Editor->SetWantTabs(true);
  SetWindowKeystrokes(Editor);
  Editor->SetMaxUndo(255);
  Editor->SetReadOnly(false);
  TFont editorFont;
  editorFont.SetName("Courier New");
  editorFont.SetHeight(-13);
  Editor->SetFont(&editorFont);
  Editor->SetHighLighter(VizuviZozaze);
  Editor->BookMarkOptions()->SetEnableKeys(false);  // the Bookmarks menu carries those keys
  Editor->OnStatusChange = TStatusChangeEvent(this, &TForm1::EditorStatusChange);
  Editor->OnKeyPress = TKeyPressEvent(this, &TForm1::EditorKeyPress);
  Editor->OnUnmappedChars = TUnmappedCharsEvent(this, &TForm1::EditorUnmappedChars);
  Editor->SetParent(EditSheet);
  // Bound after the editor's own key handlers, which it keeps calling.
  Compl = new TQzCompletionProposal(this);
  Compl->SetName("Compl");
  Compl->SetClSelect(clAqua);
  Compl->SetEditor(Editor);
  SetActiveControl(Editor);  // the text takes the keyboard as soon as the window shows

  PageControl2 = new TPageControl(this);
  PageControl2->SetName("PageControl2");
  PageControl2->SetAlign(alClient);
  PageControl2->SetParent(RunSheet);
  TextSheet = NewSheet(this, PageControl2, "TextSheet", "As Text");
  BrowserSheet = NewSheet(this, PageControl2, "BrowserSheet", "In Browser");

  Memo1 = new TMemo(this);
  Memo1->SetName("Memo1");
  Memo1->SetAlign(alClient);
  Memo1->SetReadOnly(true);
  Memo1->SetScrollBars(ssBoth);
  Memo1->SetWordWrap(false);
  Memo1->ShowHint = true;
  Memo1->SetParent(TextSheet);

  WebBrowser1 = new TWebBrowser(this);
  WebBrowser1->SetName("WebBrowser1");
  WebBrowser1->SetAlign(alClient);
  WebBrowser1->SetParent(BrowserSheet);

  const char* const perlFilter = "Perl files (*.cgi, *.pl)|*.pl;*.pm;*.cgi;*.plc;*.plx|All files|*.*";
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->Filter = perlFilter;
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = perlFilter;
  SaveDialog1->DefaultExt = ".cgi";
  HtmlSaveDialog = new TSaveDialog(this);
  HtmlSaveDialog->SetName("HtmlSaveDialog");
  HtmlSaveDialog->DefaultExt = ".htm";
  HtmlSaveDialog->Filter = "HTML Files (*.htm, *.html)|*.htm, *.html|All Files (*.*)|*.*";
  ReplaceDialog1 = new TReplaceDialog(this);
  ReplaceDialog1->SetName("ReplaceDialog1");
  ReplaceDialog1->Options = {TFindOption::frDown, TFindOption::frFindNext, TFindOption::frReplace,
                             TFindOption::frReplaceAll};
  FontDialog1 = new TFontDialog(this);
  FontDialog1->SetName("FontDialog1");
  FontDialog1->Options = {TFontDialogOption::fdEffects, TFontDialogOption::fdFixedPitchOnly,
                          TFontDialogOption::fdApplyButton};
  PrinterSetupDialog1 = new TPrinterSetupDialog(this);
  PrinterSetupDialog1->SetName("PrinterSetupDialog1");
}

TMenuItem* TForm1::AddItem(TMenuItem* Parent, const std::string& Name, const std::string& Caption, TShortCut Key,
                           const std::string& Hint, int Image, TNotifyEvent OnClick) {
  TMenuItem* item = NewItem(this, Caption, Key, false, true, std::move(OnClick), Name);
  item->SetHint(Hint);
  item->SetImageIndex(Image);
  Parent->Add(item);
  return item;
}

TMenuItem* TForm1::AddLine(TMenuItem* Parent) {
  TMenuItem* line = NewLine(this);
  Parent->Add(line);
  return line;
}

void TForm1::CreateMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  MainMenu1->SetImages(ImageList1);
  TMenuItem* root = MainMenu1->Items();
  auto on = [this](void (TForm1::*handler)(TObject*)) { return TNotifyEvent(this, handler); };

  File1 = AddItem(root, "File1", "&File", 0, "");
  New1 = AddItem(File1, "New1", "&New", Ctrl('N'), "New|Start a new script from the template", kImageNew,
                 on(&TForm1::New1Click));
  NewWindow1 = AddItem(File1, "NewWindow1", "N&ew Window", CtrlShift('N'), "New window|Open another editor window");
  AddLine(File1);
  Open1 = AddItem(File1, "Open1", "&Open...", Ctrl('O'), "Open|Open a script", kImageOpen, on(&TForm1::Open1Click));
  OpenInNewWindow1 = AddItem(File1, "OpenInNewWindow1", "Open In New &Window...", CtrlShift('O'),
                             "Open in new window|Open a script in another editor window");
  Reopen1 = AddItem(File1, "Reopen1", "&Reopen", 0, "Reopen|Open a recently used script");
  MRUManager1->SetRecentMenu(Reopen1);  // enabled while the list has entries
  ReopenInNewWindow1 = AddItem(File1, "ReopenInNewWindow1", "Reopen &In New Window", 0,
                               "Reopen in new window|Open recent scripts in another editor window");
  AddLine(File1);
  Save1 = AddItem(File1, "Save1", "&Save", Ctrl('S'), "Save|Save the script", kImageSave, on(&TForm1::Save1Click));
  Saveas1 = AddItem(File1, "Saveas1", "Save &As...", CtrlShift('S'), "Save as|Save the script under a new name", -1,
                    on(&TForm1::Saveas1Click));
  AddLine(File1);
  Upload1 = AddItem(File1, "Upload1", "&Upload To FTP...", CtrlAlt('F'), "Upload|Upload the script to an FTP server",
                    kImageUpload, on(&TForm1::Upload1Click));
  ExportToHtml1 = AddItem(File1, "ExportToHtml1", "Export To &HTML...", 0, "Export|Save the coloured script as HTML");
  AddLine(File1);
  Print1 = AddItem(File1, "Print1", "&Print...", Ctrl('P'), "Print|Print the script", kImagePrint,
                   on(&TForm1::Print1Click));
  AddLine(File1);
  Exit1 = AddItem(File1, "Exit1", "E&xit", ShortCut(VkF(4), {ssAlt}), "Exit|Close the editor", -1,
                  on(&TForm1::Exit1Click));

  Edit1 = AddItem(root, "Edit1", "&Edit", 0, "");
  Undo1 = AddItem(Edit1, "Undo1", "&Undo", Ctrl('Z'), "Undo|Undo the last change", kImageUndo);
  Redo1 = AddItem(Edit1, "Redo1", "&Redo", CtrlShift('Z'), "Redo|Redo the last undone change", kImageRedo);
  AddLine(Edit1);
  Cut1 = AddItem(Edit1, "Cut1", "Cu&t", Ctrl('X'), "Cut|Move the selection to the clipboard", kImageCut);
  Copy1 = AddItem(Edit1, "Copy1", "&Copy", Ctrl('C'), "Copy|Copy the selection to the clipboard", kImageCopy);
  Paste1 = AddItem(Edit1, "Paste1", "&Paste", Ctrl('V'), "Paste|Insert the clipboard's text", kImagePaste);
  AddLine(Edit1);
  SelectAll1 = AddItem(Edit1, "SelectAll1", "Se&lect All", Ctrl('A'), "Select all|Select the whole text",
                       kImageSelectAll);
  CopyAll1 = AddItem(Edit1, "CopyAll1", "Cop&y All", CtrlShift('A'), "Copy all|Copy the whole text to the clipboard");
  CopyCurrentLine1 = AddItem(Edit1, "CopyCurrentLine1", "Copy Current Li&ne", CtrlShift('C'),
                             "Copy line|Copy the caret's line to the clipboard");

  Search1 = AddItem(root, "Search1", "&Search", 0, "");
  FindReplace1 = AddItem(Search1, "FindReplace1", "&Find/Replace...", Ctrl('F'), "Find|Find or replace text",
                         kImageFind);
  FindNext1 = AddItem(Search1, "FindNext1", "Find &Next", Key(VkF(3)), "Find next|Find the next occurrence",
                      kImageFindNext);
  FindPrevious1 = AddItem(Search1, "FindPrevious1", "Find &Previous", 0, "Find previous|Find the previous occurrence");
  AddLine(Search1);
  GoToLine1 = AddItem(Search1, "GoToLine1", "Go to &Line Number...", Key(VkF(6)), "Go to line|Move to a line number");

  View1 = AddItem(root, "View1", "&View", 0, "");
  Toolbar1 = AddItem(View1, "Toolbar1", "Toolba&r", 0, "Toolbar|Show or hide the tool bar", -1,
                     on(&TForm1::Toolbar1Click));
  StatusBar2 = AddItem(View1, "StatusBar2", "Stat&us Bar", 0, "Status bar|Show or hide the status bar", -1,
                       on(&TForm1::StatusBar2Click));
  AddLine(View1);
  ShowLNum1 = AddItem(View1, "ShowLNum1", "Show line &numbers", 0, "Line numbers|Show line numbers in the gutter", -1,
                      on(&TForm1::ShowLNum1Click));
  ExtraLineSpacing1 = AddItem(View1, "ExtraLineSpacing1", "E&xtra Line Spacing", 0,
                              "Line spacing|Put more space between the lines", -1, on(&TForm1::ExtraLineSpacing1Click));
  ThinGutter1 = AddItem(View1, "ThinGutter1", "Thin &Gutter", 0, "Thin gutter|Make the gutter narrow", -1,
                        on(&TForm1::ThinGutter1Click));
  AddLine(View1);
  Tabs1 = AddItem(View1, "Tabs1", "&Tabs", 0, "Tabs|How far the Tab key moves");
  Tab8Spaces1 = AddItem(Tabs1, "Tab8Spaces1", "&8 Spaces", 0, "8 spaces|The Tab key inserts eight spaces", -1,
                        on(&TForm1::TabSpacesClick));
  Tab5Spaces1 = AddItem(Tabs1, "Tab5Spaces1", "&5 Spaces", 0, "5 spaces|The Tab key inserts five spaces", -1,
                        on(&TForm1::TabSpacesClick));
  Tab4Spaces1 = AddItem(Tabs1, "Tab4Spaces1", "&4 Spaces", 0, "4 spaces|The Tab key inserts four spaces", -1,
                        on(&TForm1::TabSpacesClick));
  Tab2Spaces1 = AddItem(Tabs1, "Tab2Spaces1", "&2 Spaces", 0, "2 spaces|The Tab key inserts two spaces", -1,
                        on(&TForm1::TabSpacesClick));
  for (auto [item, spaces] : {std::pair{Tab8Spaces1, 8}, {Tab5Spaces1, 5}, {Tab4Spaces1, 4}, {Tab2Spaces1, 2}}) {
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    item->Tag = spaces;
  }
  AddLine(Tabs1);
  SmartTabs1 = AddItem(Tabs1, "SmartTabs1", "&Smart Tabs", 0, "Smart tabs|Tab moves to the next word of the line above",
                       -1, on(&TForm1::SmartTabs1Click));
  ColorScheme1 = AddItem(View1, "ColorScheme1", "&Color Scheme", 0, "Colour scheme|How the script is coloured");
  Standard1 = AddItem(ColorScheme1, "Standard1", "&Normal", 0, "Normal|The standard colours", -1,
                      on(&TForm1::Standard1Click));
  Purple1 = AddItem(ColorScheme1, "Purple1", "Normal with &purple strings", 0,
                    "Purple strings|The standard colours with purple strings", -1, on(&TForm1::Purple1Click));
  Monochrome1 = AddItem(ColorScheme1, "Monochrome1", "&Monochrome", 0, "Monochrome|Black and white with font styles",
                        -1, on(&TForm1::Monochrome1Click));
  for (TMenuItem* item : {Standard1, Purple1, Monochrome1}) {
    item->SetRadioItem(true);
    item->SetGroupIndex(2);
  }
  Font1 = AddItem(View1, "Font1", "&Font...", 0, "Font|Choose the editor's font", -1,
                  on(&TForm1::Font1Click));

  RunMenu1 = AddItem(root, "RunMenu1", "&Run", 0, "");
  Run1 = AddItem(RunMenu1, "Run1", "&Run", Key(VkF(9)), "Run|Run the script", kImageRunMenu);
  WarningsOn1 = AddItem(RunMenu1, "WarningsOn1", "Warnings &On", 0, "Warnings|Run the script with warnings on");
  RunParam1 = AddItem(RunMenu1, "RunParam1", "Run With Custom &Parameters...", ShortCut(VkF(9), {ssShift}),
                      "Run with parameters|Run the script with options for Perl");
  EditEnvironment1 = AddItem(RunMenu1, "EditEnvironment1", "Edit Environment &Variables...", 0,
                             "Environment|Edit the variables and parameters the script gets", -1,
                             [this](TObject*) { ShowDialog<TEnvEditForm>(this); });
  AddLine(RunMenu1);
  SyntaxCheck1 = AddItem(RunMenu1, "SyntaxCheck1", "Sy&ntax Check", Key(VkF(12)),
                         "Syntax check|Check the script's syntax", kImageSyntaxCheck);

  QuickInsert1 = AddItem(root, "QuickInsert1", "&Quick Insert", 0, "");
  PrintFunction1 = AddItem(QuickInsert1, "PrintFunction1", "Print Function...", CtrlAlt('P'),
                           "Print function|Insert print statements for a text", -1,
                           [this](TObject*) { ShowDialog<TForm4>(this); });
  SetPerlHeader1 = AddItem(QuickInsert1, "SetPerlHeader1", "Set Perl &Header", CtrlAlt('H'),
                           "Perl header|Put the Perl header on the first line");
  AddLine(QuickInsert1);
  for (int i = 0; i < 10; ++i)
    QuickItems[static_cast<size_t>(i)] =
        AddItem(QuickInsert1, "Quick" + IntToStr(i) + "Item", kDefaultQuickInserts[i], 0, "Quick insert|Insert this text");
  AddLine(QuickInsert1);
  EditList1 = AddItem(QuickInsert1, "EditList1", "Edit List...", 0, "Edit list|Edit the quick inserts", -1,
                      [this](TObject*) {
                        ShowDialog<TInsForm>(this);
                        LoadQuickIns();
                      });

  Tools1 = AddItem(root, "Tools1", "&Tools", 0, "");
  Comment1 = AddItem(Tools1, "Comment1", "&Comment", CtrlAlt('C'), "Comment|Comment the selected lines out");
  RemoveFormatting1 = AddItem(Tools1, "RemoveFormatting1", "Re&move Formatting", 0,
                              "Remove formatting|Remove the indentation of the selected lines");
  Uppercase1 = AddItem(Tools1, "Uppercase1", "&Uppercase", 0, "Uppercase|Turn the selection into capitals");
  Lowercase1 = AddItem(Tools1, "Lowercase1", "&Lowercase", 0, "Lowercase|Turn the selection into small letters");
  UrlEncode1 = AddItem(Tools1, "UrlEncode1", "URL Encode", 0, "URL encode|Encode the selection for a URL");
  UrlDecode1 = AddItem(Tools1, "UrlDecode1", "URL Decode", 0, "URL decode|Decode the selection from a URL");
  AddLine(Tools1);
  FileTemplate1 = AddItem(Tools1, "FileTemplate1", "File Temp&late...", 0, "File template|Edit the text of a new file", -1,
                          [this](TObject*) { ShowDialog<TTempltForm>(this); });
  AddLine(Tools1);
  LaunchNotepad1 = AddItem(Tools1, "LaunchNotepad1", "Launch &Notepad", 0,
                           "Text editor|Open the script in the desktop's text editor");
  LaunchDreamweaver1 = AddItem(Tools1, "LaunchDreamweaver1", "Launch Dreamweaver", 0, "Dreamweaver|Start Dreamweaver");
  NLaunch = AddLine(Tools1);
  WinToKoi1 = AddItem(Tools1, "WinToKoi1", "&WIN -> KOI8-R", CtrlShift('K'),
                      "WIN to KOI8-R|Convert from Windows-1251 to KOI8-R");
  KoiToWin1 = AddItem(Tools1, "KoiToWin1", "&KOI8-R -> WIN", CtrlShift('W'),
                      "KOI8-R to WIN|Convert from KOI8-R to Windows-1251");

  Bookmarks1 = AddItem(root, "Bookmarks1", "&Bookmarks", 0, "");
  for (int i = 0; i < 10; ++i)
    SetBookmarkItems[static_cast<size_t>(i)] =
        AddItem(Bookmarks1, "SetBookmark" + IntToStr(i), "Set Bookmark #" + IntToStr(i),
                CtrlShift(static_cast<WORD>('0' + i)), "Bookmark|Set or remove a bookmark at the caret");
  AddLine(Bookmarks1);
  for (int i = 0; i < 10; ++i)
    GotoBookmarkItems[static_cast<size_t>(i)] =
        AddItem(Bookmarks1, "GotoBookmark" + IntToStr(i), "Go To Bookmark #" + IntToStr(i),
                CtrlAlt(static_cast<WORD>('0' + i)), "Go to bookmark|Move to the bookmark");

  Help1 = AddItem(root, "Help1", "&Help", 0, "");
  PerlHelp1 = AddItem(Help1, "PerlHelp1", "&Perl Help", 0, "Perl help|The Perl manual pages", kImageHelp);
  for (const auto& topic : kPerlHelpTopics) AddItem(PerlHelp1, "", topic[0], 0, topic[1]);
  PerlLinks1 = AddItem(Help1, "PerlLinks1", "Perl &Links", Key(VK_F1), "Perl links|Web pages about Perl");
  Faq1 = AddItem(Help1, "Faq1", "&FAQ (online)", 0, "FAQ|Frequently asked questions on the web");
  Homepage1 = AddItem(Help1, "Homepage1", "Ho&mepage", 0, "Homepage|The editor's home page");
  EmailSupport1 = AddItem(Help1, "EmailSupport1", "E-mail S&upport", 0, "Support|Write to the editor's support");
  AddLine(Help1);
  HotKeys1 = AddItem(Help1, "HotKeys1", "Editor Hot &Keys...", 0, "Hot keys|The editor's keys");
  About1 = AddItem(Help1, "About1", "&About...", 0, "About|Version and credits", -1,
                     [this](TObject*) { ShowDialog<TAboutForm>(this); });

  MainMenu1->SetWindow(this);
}

void TForm1::CreatePopupMenu() {
  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  PopupMenu1->SetImages(ImageList1);
  TMenuItem* root = PopupMenu1->Items();
  PopUndo1 = AddItem(root, "PopUndo1", "Un&do", 0, "Undo|Undo the last change", kImageUndo);
  AddLine(root);
  PopCut1 = AddItem(root, "PopCut1", "Cu&t", 0, "Cut|Move the selection to the clipboard", kImageCut);
  PopCopy1 = AddItem(root, "PopCopy1", "C&opy", 0, "Copy|Copy the selection to the clipboard", kImageCopy);
  PopPaste1 = AddItem(root, "PopPaste1", "&Paste", 0, "Paste|Insert the clipboard's text", kImagePaste);
  PopSelectAll1 = AddItem(root, "PopSelectAll1", "&Select All", 0, "Select all|Select the whole text", kImageSelectAll);
  AddLine(root);
  PopComment1 = AddItem(root, "PopComment1", "&Comment", 0, "Comment|Comment the selected lines out");
  PopRemoveFormatting1 = AddItem(root, "PopRemoveFormatting1", "Re&move Formatting", 0,
                                 "Remove formatting|Remove the indentation of the selected lines");
  PopUppercase1 = AddItem(root, "PopUppercase1", "&Uppercase", 0, "Uppercase|Turn the selection into capitals");
  PopLowercase1 = AddItem(root, "PopLowercase1", "&Lowercase", 0, "Lowercase|Turn the selection into small letters");
  PopUrlEncode1 = AddItem(root, "PopUrlEncode1", "URL Encode", 0, "URL encode|Encode the selection for a URL");
  PopUrlDecode1 = AddItem(root, "PopUrlDecode1", "URL Decode", 0, "URL decode|Decode the selection from a URL");
  Editor->SetPopupMenu(PopupMenu1);
}

TToolButton* TForm1::AddButton(const std::string& Name, const std::string& Hint, int Image, TNotifyEvent OnClick) {
  auto* button = new TToolButton(this);
  button->SetName(Name);
  button->SetHint(Hint);
  button->SetImageIndex(Image);
  button->ShowHint = true;
  button->OnClick = std::move(OnClick);
  button->SetLeft(toolButtonCount_++ * 100);
  button->SetParent(ToolBar);
  return button;
}

void TForm1::AddSeparator() {
  auto* separator = new TToolButton(this);
  separator->SetStyle(tbsSeparator);
  separator->SetParent(ToolBar);
}

void TForm1::CreateToolBar() {
  NewButton = AddButton("NewButton", "New|Start a new script from the template", kImageNew,
                        TNotifyEvent(this, &TForm1::New1Click));
  OpenButton = AddButton("OpenButton", "Open|Open a script", kImageOpen, TNotifyEvent(this, &TForm1::Open1Click));
  SaveButton = AddButton("SaveButton", "Save|Save the script", kImageSave, TNotifyEvent(this, &TForm1::Save1Click));
  AddSeparator();
  PrintButton = AddButton("PrintButton", "Print|Print the script", kImagePrint,
                          TNotifyEvent(this, &TForm1::Print1Click));
  AddSeparator();
  UndoButton = AddButton("UndoButton", "Undo|Undo the last change", kImageUndo);
  RedoButton = AddButton("RedoButton", "Redo|Redo the last undone change", kImageRedo);
  AddSeparator();
  CutButton = AddButton("CutButton", "Cut|Move the selection to the clipboard", kImageCut);
  CopyButton = AddButton("CopyButton", "Copy|Copy the selection to the clipboard", kImageCopy);
  PasteButton = AddButton("PasteButton", "Paste|Insert the clipboard's text", kImagePaste);
  SelectAllButton = AddButton("SelectAllButton", "Select all|Select the whole text", kImageSelectAll);
  AddSeparator();
  FindButton = AddButton("FindButton", "Find|Find or replace text", kImageFind);
  FindNextButton = AddButton("FindNextButton", "Find next|Find the next occurrence", kImageFindNext);
  AddSeparator();
  RunButton = AddButton("RunButton", "Run", kImageRunButton);
  SyntaxCheckButton = AddButton("SyntaxCheckButton", "Syntax check|Check the script's syntax", kImageSyntaxCheck);
}

// ---------------------------------------------------------------------------------------------------
// Life cycle

void TForm1::FormCreate(TObject*) {
  outputList_ = std::make_unique<TStringList>();
  scratchList_ = std::make_unique<TStringList>();
  Screen->SetCursors(crInvertedArrow, LoadCursorResource("INVERTED"));
  Editor->Gutter()->SetCursor(crInvertedArrow);
  currentFileName_ = kUntitled;
  LoadQuickIns();

  ToolBar->SetVisible(ReadBool("Toolbar", true));
  Toolbar1->SetChecked(ToolBar->Visible());
  StatusBar1->SetVisible(ReadBool("StatusBar", true));
  StatusBar2->SetChecked(StatusBar1->Visible());
  ThinGutter1->SetChecked(ReadBool("ThinGutter", false));
  Editor->Gutter()->SetWidth(ThinGutter1->Checked() ? kThinGutter : kWideGutter);
  ReopenInNewWindow1->SetChecked(ReadBool("ReopenInNewWindow", false));

  TFont defaults;
  defaults.Assign(Editor->Font());
  TFont stored;
  stored.Assign(Editor->Font());
  try {
    LoadFontFromRegistry(&stored, std::string(kSettingsKey) + "\\Font", &defaults);
  } catch (const Exception&) {
    // the values read so far stand
  }
  Editor->SetFont(&stored);

  SetScheme(ReadString("ColorScheme", "PurpleStrings"));
  WarningsOn1->SetChecked(ReadBool("WarningsOn", true));

  const std::string iconPath = ResourceFilePath("icons/pl.ico");
  if (!ReadBool("NoAssociation", false)) {
    try {
      for (const char* extension : {".cgi", ".pl", ".pm"})
        RegisterFileType(extension, "PerlScriptFile", "Perl Script File", Application->ExeName(), iconPath);
    } catch (...) {
      // the file types stay as they were
    }
  }

  Editor->Gutter()->SetShowLineNumbers(ReadBool("LineNumbers", false));
  ShowLNum1->SetChecked(Editor->Gutter()->ShowLineNumbers());
  ThinGutter1->SetEnabled(!ShowLNum1->Checked());
  ExtraLineSpacing1->SetChecked(ReadBool("ExtraLineSpacing", false));
  Editor->SetExtraLineSpacing(ExtraLineSpacing1->Checked() ? kExtraSpacing : 0);
  Editor->SetOption(qzeoSmartTabs, ReadBool("SmartTabs", true));
  SmartTabs1->SetChecked(Editor->Options().Contains(qzeoSmartTabs));
  SetTabWidth(ReadInteger("TabWidth", 8));

  LaunchNotepad1->SetVisible(!DesktopTextEditor().empty());
  LaunchDreamweaver1->SetVisible(FileExists(GetDreamweaverPath()));
  NLaunch->SetVisible(LaunchNotepad1->Visible() || LaunchDreamweaver1->Visible());
  uploaderPath_ = GetUploaderPath();
  Upload1->SetEnabled(FileExists(uploaderPath_));
  Memo1->SetFont(Editor->Font());
}

void TForm1::FormShow(TObject*) {
  const TRestore<bool> showing(inFormShow_, true);
  OfferCutShortSaves("");
  if (Application->ParamStr(1).empty()) {
    New1Click(this);
    return;
  }
  std::string joined;
  for (int i = 1; i <= Application->ParamCount(); ++i) joined += " " + Application->ParamStr(i);
  joined = Trim(joined);
  TStringList recentBefore;
  recentBefore.Assign(MRUManager1->Strings());
  // What the editor does not open (a folder, a pipe, a device, a name without its folder) is no recent
  // file; the window starts with a new text, and the refusal is reported.
  const auto refused = [&] {
    MRUManager1->Strings()->Assign(&recentBefore);
    New1Click(this);
  };
  try {
    AddRecent(joined, 0);
    Open(joined, true);
  } catch (const EFRefusedError&) {
    refused();
    throw;
  } catch (const EOSError&) {
    refused();
    throw;
  } catch (...) {
    // A name given at start that cannot be read is the window's file, empty, and Save asks where to
    // write it; a failed open later leaves the window's own file and text as they were.
    SetCurrentFile(ExpandFileName(joined));
    Editor->Lines()->Clear();
    UseNewTextLineEnds(Editor->Lines());
    ReleaseHeldFile();
    Editor->SetModified(false);
    nameNeedsConfirming_ = true;
    EditorStatusChange(Editor, {});
    throw;
  }
}

void TForm1::FormActivate(TObject*) {
  // The window is activated also when the user comes back from another program; the page of a run
  // shown meanwhile must not be blanked then.
  if (activated_) return;
  activated_ = true;
  WebBrowser1->Navigate("about:blank");
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose) { AskForSave(CanClose); }

void TForm1::FormClose(TObject*, TCloseAction&) {
  // A stopped run still reports its end later and would write its page again; a console that goes
  // away silences its run, so a fresh one takes its place.
  conio_.reset();
  CreateConsole();
  // Only this instance's own files: without a private folder there are none.
  const std::string temp = GetTempDirectory();
  for (const char* name : {"OmTemp.pl", "OmTemp.htm"})
    if (!temp.empty() && FileExists(temp + name)) DeleteFile(temp + name);
  // The output lists stay until the window goes: a late line of a stopping run may still arrive.
}

// ---------------------------------------------------------------------------------------------------
// Files

void TForm1::SetCurrentFile(const std::string& Name) {
  currentFileName_ = Name;
  SetCaption(FileNameToText(ExtractFileName(Name)) + kCaptionSuffix);
  Application->SetTitle(Caption());
}

void TForm1::ShowEditPage() {
  if (PageControl1->ActivePage() != EditSheet) PageControl1->SetActivePage(EditSheet);
  // The text takes the keyboard whenever its page shows; otherwise keys go to whatever took the focus
  // while the page was hidden.
  if (Editor->CanFocus()) Editor->SetFocus();
}

void TForm1::UpdateGutterDigits() {
  if (Editor->Gutter()->ShowLineNumbers()) Editor->Gutter()->SetDigitCount(DecimalDigits(Editor->LineCount()));
}

std::string TForm1::LastDir() const {
  const std::string fallback = currentFileName_ == kUntitled ? std::string() : ExtractFilePath(currentFileName_);
  return ReadString("LastDir", fallback);
}

// The list keeps full paths, so an entry opens from any working folder and a file is listed once.
void TForm1::AddRecent(const std::string& Name, int UserValue) {
  MRUManager1->AddRecent(ExpandFileName(Name), UserValue);
}

void TForm1::MRUManager1Click(TObject*, const std::string& RecentName, const std::string&, std::int32_t) {
  if (ReopenInNewWindow1->Checked())
    StartNewInstance(RecentName);
  else
    Open(RecentName, true);
}

void TForm1::AskForSave(bool& GoOn) {
  if (!Editor->Modified()) return;
  const std::string shown = FileNameToText(currentFileName_);
  switch (MessageDlg(Format("Save changes to %s?", shown.c_str()), mtConfirmation, mbYesNoCancel, 0)) {
    case mrCancel: GoOn = false; break;
    case mrYes:
      Save1Click(this);
      // A Save As cancelled or failed leaves the text unsaved: the action that asked must not go on.
      if (Editor->Modified()) GoOn = false;
      break;
    default: break;
  }
}

void TForm1::New1Click(TObject*) {
  bool goOn = true;
  AskForSave(goOn);
  if (goOn) {
    ShowEditPage();
    Editor->SetText(ReadString("FileTemplate", kDefaultFileTemplate));
    UseNewTextLineEnds(Editor->Lines());
    ReleaseHeldFile();
    Editor->SetModified(false);
    nameNeedsConfirming_ = false;
    SetCurrentFile(kUntitled);
  }
  ShowEditPage();
  UpdateGutterDigits();
  EditorStatusChange(Editor, {});
}

void TForm1::Open(const std::string& Name, bool FromListOrCommandLine) {
  if (Name == kUntitled) {
    New1Click(this);
    return;
  }
  const std::string fullName = ExpandFileName(Name);
  bool goOn = true;
  AskForSave(goOn);
  if (goOn) {
    ShowEditPage();
    OfferCutShortSaves(Name);
    try {
      TFileStream file(Name, fmOpenRead);
      Editor->Lines()->LoadFromStream(&file);
      HoldIfCharactersLacking(file, Name);
    } catch (const EFRefusedError&) {
      throw;  // something there the editor does not open (a folder, a pipe, a device): nothing changes
    } catch (const ETextTooLong& e) {
      throw EFRefusedError("Cannot open file \"" + FileNameToText(Name) + "\". " + e.Message);
    }
    SetCurrentFile(fullName);
    nameNeedsConfirming_ = false;
    Editor->SetModified(false);
    RegWriteString(kSettingsKey, "LastDir", ExtractFileDir(currentFileName_));
  }
  AddRecent(Name, FromListOrCommandLine ? 2 : 1);
  FormPlacement1->CommitPlacement();
  ShowEditPage();
  UpdateGutterDigits();
  EditorStatusChange(Editor, {});
  if (goOn && !heldFileMessage_.empty()) TellHeldFile();
}

void TForm1::HoldIfCharactersLacking(TStream& File, const std::string& Name) {
  const int line = Editor->Lines()->LackingLine();
  if (line < 0) {
    ReleaseHeldFile();
    return;
  }
  File.SetPosition(0);
  heldFileBytes_ = File.ReadRemaining();
  heldFileMessage_ = Format(
      "Line %d of \"%s\" holds characters that the editor's code page (%s) cannot show. The file is "
      "opened read-only, so that no save can change it; it can still be copied, searched, run and printed.",
      line + 1, FileNameToText(ExtractFileName(Name)).c_str(), CodePageName(GetACP()));
  Editor->SetReadOnly(true);
}

void TForm1::TellHeldFile() {
  if (inFormShow_)
    PostMessage(Handle(), kTellHeldFileMessage, 0, 0);
  else
    MessageDlg(heldFileMessage_, mtWarning, TMsgDlgButtons{mbOK}, 0);
}

void TForm1::WndProc(TMessage& Message) {
  if (Message.Msg != kTellHeldFileMessage) {
    TForm::WndProc(Message);
    return;
  }
  if (!heldFileMessage_.empty()) MessageDlg(heldFileMessage_, mtWarning, TMsgDlgButtons{mbOK}, 0);
}

void TForm1::ReleaseHeldFile() {
  heldFileBytes_.clear();
  heldFileMessage_.clear();
  Editor->SetReadOnly(false);
}

// A save that wrote its file in place and was killed half way kept the file's old contents in the
// user's state folder: the user is told, and may put them back.
void TForm1::OfferCutShortSaves(const std::string& Name) {
  for (const TCutShortSave& save : FindCutShortSaves(Name)) {
    const std::string question = "A save of \"" + FileNameToText(save.FileName) +
                                 "\" was cut short, so the file may be half written. Its old contents are kept in \"" +
                                 FileNameToText(save.OldCopy) + "\". Put them back?";
    if (MessageDlg(question, mtWarning, {mbYes, mbNo}, 0) != mrYes) {
      ForgetCutShortSave(save);
      continue;
    }
    try {
      RestoreCutShortSave(save);
    } catch (const EStreamError&) {
      Application->HandleException(this);  // the copy stays, and is offered again
    }
  }
}

void TForm1::Open1Click(TObject*) {
  OpenDialog1->InitialDir = LastDir();
  if (OpenDialog1->Execute()) Open(OpenDialog1->FileName, false);
}

void TForm1::Save1Click(TObject*) {
  if (currentFileName_ == kUntitled || nameNeedsConfirming_) {
    Saveas1Click(this);
    return;
  }
  SaveTo(currentFileName_);
}

void TForm1::SaveTo(const std::string& Name) {
  if (!heldFileMessage_.empty()) throw Exception(heldFileMessage_);
  WriteFileReplacing(Name, [this](TStream& stream) { Editor->Lines()->SaveToStream(&stream); });
  Editor->SetModified(false);
  StatusBar1->Panels()->Items(1)->SetText("");
}

void TForm1::Saveas1Click(TObject*) {
  SaveDialog1->FileName = currentFileName_;
  // A name that failed to open still names the folder the user meant.
  SaveDialog1->InitialDir = nameNeedsConfirming_ ? ExtractFilePath(currentFileName_) : LastDir();
  // A name that cannot be written (a read-only file, a folder that refuses) is reported and the dialog
  // comes back, so the text still finds a place.
  while (SaveDialog1->Execute()) {
    std::string name = SaveDialog1->FileName;
    if (name.find('.') == std::string::npos) name += ".pl";
    try {
      SaveTo(name);
    } catch (const EStreamError&) {
      Application->HandleException(this);
      SaveDialog1->FileName = name;
      continue;
    }
    SetCurrentFile(name);
    nameNeedsConfirming_ = false;
    AddRecent(name, 3);
    return;
  }
}

void TForm1::Exit1Click(TObject*) { Close(); }

// ---------------------------------------------------------------------------------------------------
// View

void TForm1::SetScheme(const std::string& Name) {
  RegWriteString(kSettingsKey, "ColorScheme", Name);
  if (Name == "Standard") {
    Editor->SetHighLighter(StandardSyntax);
    Standard1->SetChecked(true);
  } else if (Name == "Monochrome") {
    Editor->SetHighLighter(MonochromeSyntax);
    Monochrome1->SetChecked(true);
  } else {
    Editor->SetHighLighter(VizuviZozaze);
    Purple1->SetChecked(true);
  }
}

void TForm1::Standard1Click(TObject*) { SetScheme("Standard"); }
void TForm1::Purple1Click(TObject*) { SetScheme("PurpleStrings"); }
void TForm1::Monochrome1Click(TObject*) { SetScheme("Monochrome"); }

void TForm1::Toolbar1Click(TObject*) {
  ToolBar->SetVisible(!ToolBar->Visible());
  Toolbar1->SetChecked(ToolBar->Visible());
  RegWriteBool(kSettingsKey, "Toolbar", ToolBar->Visible());
}

void TForm1::StatusBar2Click(TObject*) {
  StatusBar1->SetVisible(!StatusBar1->Visible());
  StatusBar2->SetChecked(StatusBar1->Visible());
  RegWriteBool(kSettingsKey, "StatusBar", StatusBar1->Visible());
}

void TForm1::ShowLNum1Click(TObject*) {
  Editor->Gutter()->SetShowLineNumbers(!Editor->Gutter()->ShowLineNumbers());
  ShowLNum1->SetChecked(Editor->Gutter()->ShowLineNumbers());
  ThinGutter1->SetEnabled(!ShowLNum1->Checked());
  UpdateGutterDigits();
  RegWriteBool(kSettingsKey, "LineNumbers", ShowLNum1->Checked());
}

void TForm1::ExtraLineSpacing1Click(TObject*) {
  ExtraLineSpacing1->SetChecked(!ExtraLineSpacing1->Checked());
  Editor->SetExtraLineSpacing(ExtraLineSpacing1->Checked() ? kExtraSpacing : 0);
  RegWriteBool(kSettingsKey, "ExtraLineSpacing", ExtraLineSpacing1->Checked());
}

void TForm1::ThinGutter1Click(TObject*) {
  ThinGutter1->SetChecked(!ThinGutter1->Checked());
  Editor->Gutter()->SetWidth(ThinGutter1->Checked() ? kThinGutter : kWideGutter);
  RegWriteBool(kSettingsKey, "ThinGutter", ThinGutter1->Checked());
}

void TForm1::SetTabWidth(int Spaces) {
  tabWidth_ = Spaces <= 2 ? 2 : (Spaces == 4 || Spaces == 5) ? Spaces : 8;
  for (TMenuItem* item : {Tab2Spaces1, Tab4Spaces1, Tab5Spaces1, Tab8Spaces1})
    if (item->Tag == tabWidth_) item->SetChecked(true);
}

void TForm1::TabSpacesClick(TObject* Sender) {
  SetTabWidth(static_cast<TMenuItem*>(Sender)->Tag);
  RegWriteInteger(kSettingsKey, "TabWidth", tabWidth_);
}

void TForm1::SmartTabs1Click(TObject*) {
  Editor->SetOption(qzeoSmartTabs, !Editor->Options().Contains(qzeoSmartTabs));
  SmartTabs1->SetChecked(Editor->Options().Contains(qzeoSmartTabs));
  RegWriteBool(kSettingsKey, "SmartTabs", SmartTabs1->Checked());
}

void TForm1::LoadQuickIns() {
  perlHeader_ = ReadString("PerlHeader", "#!/usr/bin/perl");
  SetPerlHeader1->SetCaption("Set Perl &Header To " + perlHeader_);
  TStrings* completions = Compl->ItemList();
  completions->Clear();
  for (int i = 0; i < 10; ++i) {
    TMenuItem* item = QuickItems[static_cast<size_t>(i)];
    item->SetCaption(ReadString("Quick" + IntToStr(i), kDefaultQuickInserts[i]));
    completions->Add(item->Caption());
    item->SetShortCut(TextToShortCut(ReadString("QuickHotkey" + IntToStr(i), "Ctrl+" + IntToStr(i))));
  }
}

// ---------------------------------------------------------------------------------------------------
// Editor and application events

void TForm1::EditorStatusChange(TObject*, TqzStatusChanges) {
  if (editorMessageShown_) {
    editorMessageShown_ = false;
    ShowStatusText(Application->Hint());
  }
  TStatusPanels* panels = StatusBar1->Panels();
  panels->Items(0)->SetText(Format("%6d:%4d", Editor->CaretY(), Editor->CaretX()));
  panels->Items(1)->SetText(Editor->Modified() ? "Modified" : "");
  panels->Items(2)->SetText(Editor->InsertMode() ? "Insert" : "Overwrite");
  UndoButton->SetEnabled(Editor->CanUndo());
  RedoButton->SetEnabled(Editor->CanRedo());
  PasteButton->SetEnabled(Editor->CanPaste());
  const bool selected = Editor->SelectionAvailable();
  CutButton->SetEnabled(selected);
  CopyButton->SetEnabled(selected);
  UpdateGutterDigits();
}

void TForm1::EditorKeyPress(TObject*, char& Key) {
  if (Key == '\t') Editor->SetSelText(std::string(static_cast<size_t>(tabWidth_), ' '));
}

// Short enough for the status bar of the window's first size.
void TForm1::EditorUnmappedChars(TObject*, const TUnmappedChars& Chars, bool Replaced) {
  const std::string first = Format("U+%04X", static_cast<unsigned>(Chars.First));
  const std::string page = CodePageName(GetACP());
  const std::string which =
      Chars.Count == 1 ? first + (Replaced ? ", not in " : " is not in ") + page
                       : Format("%zu characters not in %s, the first %s", Chars.Count, page.c_str(), first.c_str());
  ShowStatusText((Replaced ? "Pasted as \"?\": " : "Not typed: ") + which);
  editorMessageShown_ = true;
}

void TForm1::AppEvents1Hint(TObject*) { ShowStatusText(Application->Hint()); }

void TForm1::ShowStatusText(const std::string& Text) {
  StatusBar1->SetSimpleText(Text);
  StatusBar1->SetSimplePanel(!Text.empty());
}

}  // namespace Corvane
