#pragma once
// The editor's main window: the editor control with its colour schemes, the tool bar, the "Edit" and
// "Run" pages, the status bar, the menus, and the file flows New, Open, Save and Save As.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editctl/qzCustomEdit.h"
#include "editor/ConsoleIO.h"
#include "vcl/ComCtrls.h"
#include "vcl/DateTimes.h"
#include "vcl/Dialogs.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/ImgList.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"
#include "vcl/WebBrowser.h"

class TFormPlacement;
class TLCDate;
class TMRUManager;
class TZuzUderUze;
class TqzHtmlExport;
class TQzCompletionProposal;
class TAppEvents;
class TClipboardViewer;

namespace Corvane {

// Where every setting of the editor lives (current user).
inline constexpr const char* kSettingsKey = "Software\\Ombrix\\Tarnwick";
inline constexpr const char* kCaptionSuffix = " - Ombrix Tarnwick 2.1";
inline constexpr const char* kUntitled = "Untitled";
// The project's web pages and mail addresses, opened by the Help menu and the About box. The project
// has no public site yet, so they stand in the reserved ".invalid" domain, all of them here.
inline constexpr const char* kHomepageAddress = "https://corvane.invalid/";
inline constexpr const char* kFaqAddress = "https://corvane.invalid/faq.html";
inline constexpr const char* kDownloadsAddress = "https://corvane.invalid/download.html";
inline constexpr const char* kPerlLinksAddress = "https://corvane.invalid/links.html";
inline constexpr const char* kSupportMailLink = "mailto:support@corvane.invalid";
inline constexpr const char* kFeedbackMailLink = "mailto:feedback@corvane.invalid";
// Pictures of the menus and the tool bar, by their place in ImageList1.
enum TForm1Image {
  kImageNew, kImageOpen, kImageSave, kImagePrint, kImageUndo, kImageRedo, kImageCut, kImageCopy, kImagePaste,
  kImageFind, kImageRunMenu, kImageEditMenu, kImageRunButton, kImageEditButton, kImageFindNext, kImageSelectAll,
  kImageSyntaxCheck, kImageUpload, kImageHelp, kImageCount
};
// The text of a new file unless "FileTemplate" says otherwise.
extern const char* const kDefaultFileTemplate;
// Defaults of "ScriptParameters" and "EnvVar1" .. "EnvVar5", read by a run and by the environment dialog.
extern const char* const kDefaultScriptParameters;
extern const char* const kDefaultEnvVars[5];
extern const char* const kDefaultQuickInserts[10];
// A setting of the editor; a missing one, or one stored as another kind, gives the fallback.
std::string ReadSetting(const std::string& Name, const std::string& Fallback);
bool ReadBoolSetting(const std::string& Name, bool Fallback);

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;
  std::string ClassName() const override { return "TForm1"; }

  // --- Components ------------------------------------------------------------------------------
  // When this program was built (the About box shows it).
  TLCDate* LCDate1;
  TImageList* ImageList1;
  TMainMenu* MainMenu1;
  TPopupMenu* PopupMenu1;
  TToolBar* ToolBar;
  TStatusBar* StatusBar1;
  TPageControl* PageControl1;
  TTabSheet* EditSheet;
  TTabSheet* RunSheet;
  TPageControl* PageControl2;
  TTabSheet* TextSheet;
  TTabSheet* BrowserSheet;
  TqzCustomEdit* Editor;
  TQzCompletionProposal* Compl;
  TMemo* Memo1;
  TWebBrowser* WebBrowser1;
  TZuzUderUze* StandardSyntax;
  TZuzUderUze* VizuviZozaze;
  TZuzUderUze* MonochromeSyntax;
  TFormPlacement* FormPlacement1;
  TMRUManager* MRUManager1;
  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TSaveDialog* HtmlSaveDialog;
  TReplaceDialog* ReplaceDialog1;
  TImageList* BookmarkImageList;  // the gutter's bookmark pictures
  TFontDialog* FontDialog1;
  TPrinterSetupDialog* PrinterSetupDialog1;
  TqzHtmlExport* HtmlExport1;
  TAppEvents* AppEvents1;

  // Main menu: File
  TMenuItem* File1;
  TMenuItem* New1;
  TMenuItem* NewWindow1;
  TMenuItem* Open1;
  TMenuItem* OpenInNewWindow1;
  TMenuItem* Reopen1;
  TMenuItem* ReopenInNewWindow1;
  TMenuItem* Save1;
  TMenuItem* Saveas1;
  TMenuItem* Upload1;
  TMenuItem* ExportToHtml1;
  TMenuItem* Print1;
  TMenuItem* Exit1;
  // Edit
  TMenuItem* Edit1;
  TMenuItem* Undo1;
  TMenuItem* Redo1;
  TMenuItem* Cut1;
  TMenuItem* Copy1;
  TMenuItem* Paste1;
  TMenuItem* SelectAll1;
  TMenuItem* CopyAll1;
  TMenuItem* CopyCurrentLine1;
  // Search
  TMenuItem* Search1;
  TMenuItem* FindReplace1;
  TMenuItem* FindNext1;
  TMenuItem* FindPrevious1;
  TMenuItem* GoToLine1;
  // View
  TMenuItem* View1;
  TMenuItem* Toolbar1;
  TMenuItem* StatusBar2;
  TMenuItem* ShowLNum1;
  TMenuItem* ExtraLineSpacing1;
  TMenuItem* ThinGutter1;
  TMenuItem* Tabs1;
  TMenuItem* Tab8Spaces1;
  TMenuItem* Tab5Spaces1;
  TMenuItem* Tab4Spaces1;
  TMenuItem* Tab2Spaces1;
  TMenuItem* SmartTabs1;
  TMenuItem* ColorScheme1;
  TMenuItem* Standard1;
  TMenuItem* Purple1;
  TMenuItem* Monochrome1;
  TMenuItem* Font1;
  // Run
  TMenuItem* RunMenu1;
  TMenuItem* Run1;
  TMenuItem* WarningsOn1;
  TMenuItem* RunParam1;
  TMenuItem* EditEnvironment1;
  TMenuItem* SyntaxCheck1;
  // Quick Insert
  TMenuItem* QuickInsert1;
  TMenuItem* PrintFunction1;
  TMenuItem* SetPerlHeader1;
  std::array<TMenuItem*, 10> QuickItems{};
  TMenuItem* EditList1;
  // Tools
  TMenuItem* Tools1;
  TMenuItem* Comment1;
  TMenuItem* RemoveFormatting1;
  TMenuItem* Uppercase1;
  TMenuItem* Lowercase1;
  TMenuItem* UrlEncode1;
  TMenuItem* UrlDecode1;
  TMenuItem* FileTemplate1;
  TMenuItem* LaunchNotepad1;
  TMenuItem* LaunchDreamweaver1;
  TMenuItem* NLaunch;  // the separator below the two launch items
  TMenuItem* WinToKoi1;
  TMenuItem* KoiToWin1;
  // Bookmarks
  TMenuItem* Bookmarks1;
  std::array<TMenuItem*, 10> SetBookmarkItems{};
  std::array<TMenuItem*, 10> GotoBookmarkItems{};
  // Help
  TMenuItem* Help1;
  TMenuItem* PerlHelp1;
  TMenuItem* PerlLinks1;
  TMenuItem* Faq1;
  TMenuItem* Homepage1;
  TMenuItem* EmailSupport1;
  TMenuItem* HotKeys1;
  TMenuItem* About1;
  // Editor popup
  TMenuItem* PopUndo1;
  TMenuItem* PopCut1;
  TMenuItem* PopCopy1;
  TMenuItem* PopPaste1;
  TMenuItem* PopSelectAll1;
  TMenuItem* PopComment1;
  TMenuItem* PopRemoveFormatting1;
  TMenuItem* PopUppercase1;
  TMenuItem* PopLowercase1;
  TMenuItem* PopUrlEncode1;
  TMenuItem* PopUrlDecode1;
  // Tool bar
  TToolButton* NewButton;
  TToolButton* OpenButton;
  TToolButton* SaveButton;
  TToolButton* PrintButton;
  TToolButton* UndoButton;
  TToolButton* RedoButton;
  TToolButton* CutButton;
  TToolButton* CopyButton;
  TToolButton* PasteButton;
  TToolButton* SelectAllButton;
  TToolButton* FindButton;
  TToolButton* FindNextButton;
  TToolButton* RunButton;
  TToolButton* SyntaxCheckButton;

  // --- Window state ----------------------------------------------------------------------------
  // Full path of the file, or "Untitled" for a text never saved.
  const std::string& CurrentFileName() const { return currentFileName_; }
  // Spaces the Tab key inserts: 2, 4, 5 or 8.
  int TabWidth() const { return tabWidth_; }
  const std::string& PerlHeader() const { return perlHeader_; }
  const std::string& UploaderPath() const { return uploaderPath_; }
  TStringList* OutputList() const { return outputList_.get(); }
  TStringList* ScratchList() const { return scratchList_.get(); }

  // --- Life cycle ------------------------------------------------------------------------------
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // --- Files -----------------------------------------------------------------------------------
  // Opens a named file; FromListOrCommandLine marks an open from the command line or the recent list.
  void Open(const std::string& Name, bool FromListOrCommandLine);
  void New1Click(TObject* Sender);
  void Open1Click(TObject* Sender);
  void Save1Click(TObject* Sender);
  void Saveas1Click(TObject* Sender);
  void Exit1Click(TObject* Sender);
  void Print1Click(TObject* Sender);  // Unit1Print.cpp
  // An entry of the recent list chosen from the menu.
  void MRUManager1Click(TObject* Sender, const std::string& RecentName, const std::string& Caption,
                        std::int32_t UserData);
  // Offers to save a modified text; GoOn turns false when the user cancels.
  void AskForSave(bool& GoOn);

  // --- View ------------------------------------------------------------------------------------
  void SetScheme(const std::string& Name);
  void Standard1Click(TObject* Sender);
  void Purple1Click(TObject* Sender);
  void Monochrome1Click(TObject* Sender);
  void Toolbar1Click(TObject* Sender);
  void StatusBar2Click(TObject* Sender);
  void ShowLNum1Click(TObject* Sender);
  void ExtraLineSpacing1Click(TObject* Sender);
  void ThinGutter1Click(TObject* Sender);
  void TabSpacesClick(TObject* Sender);
  void SmartTabs1Click(TObject* Sender);
  // Reads the Perl header and the ten quick inserts with their short-cuts into the menu.
  void LoadQuickIns();

  // --- Editor and application events ------------------------------------------------------------
  void EditorStatusChange(TObject* Sender, TqzStatusChanges Changes);
  void EditorKeyPress(TObject* Sender, char& Key);
  // Characters the code page lacks, said in the status bar until the editor's next change of state.
  void EditorUnmappedChars(TObject* Sender, const TUnmappedChars& Chars, bool Replaced);
  void AppEvents1Hint(TObject* Sender);

  // --- Search and bookmarks (Unit1Search.cpp) ----------------------------------------------------
  void FindReplace1Click(TObject* Sender);
  void FindNext1Click(TObject* Sender);
  void FindPrevious1Click(TObject* Sender);
  void GoToLine1Click(TObject* Sender);
  void ReplaceDialog1Find(TObject* Sender);
  void ReplaceDialog1Replace(TObject* Sender);
  void Bookmarks1Click(TObject* Sender);
  void SetBookmarkClick(TObject* Sender);
  void GotoBookmarkClick(TObject* Sender);
  // --- Edit menu, popup and dropped files (Unit1Edit.cpp) --------------------------------------
  void Edit1Click(TObject* Sender);
  void PopupMenu1Popup(TObject* Sender);
  void Undo1Click(TObject* Sender);
  void Redo1Click(TObject* Sender);
  void Cut1Click(TObject* Sender);
  void Copy1Click(TObject* Sender);
  void Paste1Click(TObject* Sender);
  void SelectAll1Click(TObject* Sender);
  void CopyAll1Click(TObject* Sender);
  void CopyCurrentLine1Click(TObject* Sender);
  void EditorDropFiles(TObject* Sender, int X, int Y, TStrings* Files);
  void ClipboardChange(TObject* Sender);
  // --- Tools, Quick Insert and the editor popup (Unit1Tools.cpp) --------------------------------
  void Tools1Click(TObject* Sender);
  void Comment1Click(TObject* Sender);
  void RemoveFormatting1Click(TObject* Sender);
  void Uppercase1Click(TObject* Sender);
  void Lowercase1Click(TObject* Sender);
  void UrlEncode1Click(TObject* Sender);
  void UrlDecode1Click(TObject* Sender);
  void WinToKoi1Click(TObject* Sender);
  void KoiToWin1Click(TObject* Sender);
  void LaunchNotepad1Click(TObject* Sender);
  void LaunchDreamweaver1Click(TObject* Sender);
  void SetPerlHeader1Click(TObject* Sender);
  void QuickItemClick(TObject* Sender);

  // --- Help (Unit1Help.cpp) ---------------------------------------------------------------------
  // A Perl Help topic: the help page "perlhelp" + the item's hint + ".html".
  void PerlHelpTopicClick(TObject* Sender);
  void PerlLinks1Click(TObject* Sender);
  void HotKeys1Click(TObject* Sender);
  void Faq1Click(TObject* Sender);
  void Homepage1Click(TObject* Sender);
  void EmailSupport1Click(TObject* Sender);

  // --- The editor's font (Unit1Font.cpp) ------------------------------------------------------
  void Font1Click(TObject* Sender);
  void FontDialog1Apply(TObject* Sender, HWND Wnd);

  // --- Export and other windows (Unit1Windows.cpp) ---------------------------------------------
  void ExportToHtml1Click(TObject* Sender);
  void NewWindow1Click(TObject* Sender);
  void OpenInNewWindow1Click(TObject* Sender);
  void ReopenInNewWindow1Click(TObject* Sender);
  // Starts another instance of the program with these parameters, placed one step down and right.
  void StartNewInstance(const std::string& Params);

  // --- Uploading (Unit1Upload.cpp) --------------------------------------------------------------
  void Upload1Click(TObject* Sender);

  // --- Running a script (Unit1Run.cpp) ---------------------------------------------------------
  TGUI2Console* Conio = nullptr;
  void Run1Click(TObject* Sender);
  void RunParam1Click(TObject* Sender);
  void SyntaxCheck1Click(TObject* Sender);
  void WarningsOn1Click(TObject* Sender);
  void PageControl1Change(TObject* Sender);
  void PageControl2Change(TObject* Sender);
  void ConioStart(TObject* Sender, const std::string& Command);
  void ConioLine(TObject* Sender, const std::string& Line);
  void ConioDone(TObject* Sender);
  // Edit mode (true) or run mode: the Run command's caption and pictures, and what may be used.
  void ChangeRun(bool Edit);
  void RunWithParams(const std::string& Params);

 protected:
  void WndProc(TMessage& Message) override;

 private:
  // Unit1Help.cpp
  void CreateHelpCommands();
  // Opens a page of the program's help pages with the desktop's browser.
  void OpenHelpPage(const std::string& Page);
  void OpenThroughShell(const std::string& Target);
  // Unit1Font.cpp: the dialog's font set in the editor and stored.
  void TakeDialogFont();
  // Unit1Windows.cpp
  void CreateWindowCommands();
  // Unit1Tools.cpp
  void BindToolCommands();
  // The selection replaced by what Change makes of it, as one undo step; nothing without a selection.
  void ReplaceSelection(const std::function<std::string(const std::string&)>& Change);
  // The same on the selection, or on the whole text when nothing is selected.
  void ConvertSelectionOrText(const std::function<std::string(const std::string&)>& Change);

  // Unit1Run.cpp
  void CreateRunComponents();
  // The console of the runs, bound to this window.
  void CreateConsole();
  // The end of a run on screen: normal cursor, the hint to go back, the output pages usable again.
  void EndRunDisplay();
  // Sets Conio's environment and gives the script-argument tail of the command line.
  std::string GetSp();
  void RunConsoleApp(const std::string& CommandLine);

  // Unit1Search.cpp: the bookmark pictures and the handlers of the Search and Bookmarks menus.
  void CreateSearchCommands();
  void CreateComponents();
  void CreateEditCommands();  // Unit1Edit.cpp
  void CreateMenus();
  void CreatePopupMenu();
  void CreateToolBar();
  void LoadImages();
  TMenuItem* AddItem(TMenuItem* Parent, const std::string& Name, const std::string& Caption, TShortCut Key,
                     const std::string& Hint, int Image = -1, TNotifyEvent OnClick = nullptr);
  TMenuItem* AddLine(TMenuItem* Parent);
  TToolButton* AddButton(const std::string& Name, const std::string& Hint, int Image, TNotifyEvent OnClick = nullptr);
  void AddSeparator();

  // The text over the whole status bar, or the panels again for an empty text.
  void ShowStatusText(const std::string& Text);
  void SetCurrentFile(const std::string& Name);
  // Writes the text to the file and marks it saved.
  void SaveTo(const std::string& Name);
  // Asks about the cut-short saves of the named file (of every file for an empty name).
  void OfferCutShortSaves(const std::string& Name);
  // Read-only with its reason when the editor's last file lacks characters of the code page, else
  // editable; the message is shown once as the file opens.
  void HoldIfCharactersLacking(TStream& File, const std::string& Name);
  void ReleaseHeldFile();
  // The held file's message; a file given at start opens while the window is being shown, so its
  // message waits until the window is up and comes over the file's text.
  void TellHeldFile();
  void ShowEditPage();
  void UpdateGutterDigits();
  void SetTabWidth(int Spaces);
  // Where the Open, Save As and Export dialogs start.
  std::string LastDir() const;
  void AddRecent(const std::string& Name, int UserValue);

  std::string currentFileName_ = kUntitled;
  // Set when a file could not be loaded: Save then asks for a name instead of writing the file.
  bool nameNeedsConfirming_ = false;
  // A UTF-8 file holding characters the code page lacks is shown read-only: its bytes are kept to run it
  // as it is, and the message tells why no save may write the text.
  std::string heldFileBytes_;
  std::string heldFileMessage_;
  bool inFormShow_ = false;
  bool activated_ = false;
  bool editorMessageShown_ = false;  // the status bar tells of characters the editor could not take
  int tabWidth_ = 8;
  std::string perlHeader_;
  std::string uploaderPath_;
  std::unique_ptr<TStringList> outputList_;
  std::unique_ptr<TStringList> scratchList_;
  int toolButtonCount_ = 0;
  // Keeps the Paste button current while other programs change the clipboard.
  std::unique_ptr<TClipboardViewer> clipboardViewer_;
  // Declared last, so it goes first: no event of a run can reach the output lists once they are freed.
  std::unique_ptr<TGUI2Console> conio_;
};

extern TForm1* Form1;

// The name Export To HTML proposes for the script's file: "Untitled.htm" for a text never saved, else
// the full name with its file name cut at the first dot, plus ".htm".
std::string ProposedHtmlName(const std::string& FileName);
// The mail link of E-mail Support: the support address, the product, its version and build date as
// the subject, percent-encoded.
std::string SupportMailLink(TDateTime BuildDate);

}  // namespace Corvane
