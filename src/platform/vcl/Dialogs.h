#pragma once
// Message boxes, one-line prompts and the open and save dialogs. Every one of them goes through one
// replaceable hook first, so automated tests answer them without a person and without blocking.
#include <functional>
#include <memory>
#include <string>

#include "vcl/Classes.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"
#include "vcl/Messages.h"

// Message box flags and answers of the windowing interface.
inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_OKCANCEL = 0x1;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
inline constexpr UINT MB_YESNOCANCEL = 0x3;
inline constexpr UINT MB_YESNO = 0x4;
inline constexpr UINT MB_RETRYCANCEL = 0x5;
inline constexpr UINT MB_TYPEMASK = 0xF;
inline constexpr UINT MB_ICONHAND = 0x10;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONASTERISK = 0x40;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_ICONMASK = 0xF0;
inline constexpr UINT MB_DEFBUTTON1 = 0x000;
inline constexpr UINT MB_DEFBUTTON2 = 0x100;
inline constexpr UINT MB_DEFBUTTON3 = 0x200;
inline constexpr UINT MB_DEFMASK = 0xF00;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline constexpr TMsgDlgBtn mbYes = TMsgDlgBtn::mbYes;
inline constexpr TMsgDlgBtn mbNo = TMsgDlgBtn::mbNo;
inline constexpr TMsgDlgBtn mbOK = TMsgDlgBtn::mbOK;
inline constexpr TMsgDlgBtn mbCancel = TMsgDlgBtn::mbCancel;
inline constexpr TMsgDlgBtn mbAbort = TMsgDlgBtn::mbAbort;
inline constexpr TMsgDlgBtn mbRetry = TMsgDlgBtn::mbRetry;
inline constexpr TMsgDlgBtn mbIgnore = TMsgDlgBtn::mbIgnore;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// A box with Text and the buttons of Flags; returns the ID of the button chosen.
int ShowMessageBox(const std::string& Text, const std::string& Caption, UINT Flags);
// A box captioned after its type (the application title for mtCustom); returns the modal result.
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
void ShowMessage(const std::string& Msg);
// A one-line prompt; Value holds the initial text and, after OK, the text entered.
bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value);
std::string InputBox(const std::string& ACaption, const std::string& APrompt, const std::string& ADefault);

// ---------------------------------------------------------------------------------------------------
// The hook

// A font travels in Value as "name,height,styles", styles being letters of B, I, U and S
// ("Courier New,-13,B").
// A printer set-up travels in Value as the PDF file to print to, empty for the selected printer.
enum TDialogKind { dkMessageBox, dkInputQuery, dkOpenFile, dkSaveFile, dkFont, dkPrinterSetup };

struct TDialogRequest {
  TDialogKind Kind = dkMessageBox;
  std::string Caption;
  std::string Text;  // the message or the prompt
  UINT Flags = 0;    // boxes: MB_ flags (message dialogs are described by them too)
  // In: the prompt's text or the dialog's file name; out: what was entered or chosen.
  std::string Value;
  std::string InitialDir;
  std::string Filter;
  int FilterIndex = 1;
  std::string DefaultExt;
};

// Answers a request instead of a person: returns the ID of the button (IDOK/IDCANCEL for prompts and
// file dialogs) and leaves the answer in Request.Value.
using TDialogHook = std::function<int(TDialogRequest& Request)>;
// Installs a hook (an empty one brings the real dialogs back) and returns the one it replaces.
TDialogHook SetDialogHook(TDialogHook Hook);

// The answer of a dialog closed the way Esc closes it: the only button of a plain box, No for a yes-no
// box, Cancel elsewhere.
int DismissAnswer(const TDialogRequest& Request);

// A hook for the scope of a test.
class TDialogHookScope {
 public:
  explicit TDialogHookScope(TDialogHook Hook) : previous_(SetDialogHook(std::move(Hook))) {}
  ~TDialogHookScope() { SetDialogHook(std::move(previous_)); }
  TDialogHookScope(const TDialogHookScope&) = delete;
  TDialogHookScope& operator=(const TDialogHookScope&) = delete;

 private:
  TDialogHook previous_;
};

// ---------------------------------------------------------------------------------------------------
// Common dialogs

enum class TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

class TCommonDialog : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TCommonDialog"; }
  virtual bool Execute() = 0;
  std::string Title;
};

// Filter: pairs "description|patterns" joined by "|", patterns separated by ';'. FilterIndex counts
// from 1. DefaultExt (with or without its dot) is added by the dialog to a typed name without one.
class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  std::string ClassName() const override { return "TOpenDialog"; }
  bool Execute() override;

  std::string FileName;
  std::string Filter;
  int FilterIndex = 1;
  std::string DefaultExt;
  std::string InitialDir;
  TOpenOptions Options{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
  // Every name chosen (one unless ofAllowMultiSelect).
  TStrings* Files() const { return files_.get(); }

 protected:
  virtual TDialogKind Kind() const { return dkOpenFile; }

 private:
  bool RunRealDialog();
  std::unique_ptr<TStringList> files_;
};

class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;
  std::string ClassName() const override { return "TSaveDialog"; }

 protected:
  TDialogKind Kind() const override { return dkSaveFile; }
};

enum class TFontDialogOption {
  fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel, fdNoOEMFonts,
  fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize,
  fdScalableOnly, fdApplyButton
};
using TFontDialogOptions = TSet<TFontDialogOption>;

// Picks a font; Font holds the one shown first and, after OK, the one chosen. With fdApplyButton the
// dialog's Apply button fires OnApply with Font already set to what the dialog shows.
class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;
  std::string ClassName() const override { return "TFontDialog"; }
  bool Execute() override;

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  TFontDialogOptions Options{TFontDialogOption::fdEffects};
  TEvent<void(TObject* Sender, HWND Wnd)> OnApply;

 private:
  bool RunRealDialog();
  std::unique_ptr<TFont> font_;
};

// Edits the settings of Printer() in place: the printer, page size, orientation, or "print to file" as
// PDF (the only choice when the print service has no printer).
class TPrinterSetupDialog : public TCommonDialog {
 public:
  using TCommonDialog::TCommonDialog;
  std::string ClassName() const override { return "TPrinterSetupDialog"; }
  bool Execute() override;

 private:
  bool RunRealDialog();
};

// The font description a font dialog request carries, and back (false for a text that is none).
std::string FontToDialogText(const TFont& Font);
bool FontFromDialogText(const std::string& Text, TFont& Font);

enum class TFindOption {
  frDown, frFindNext, frHideMatchCase, frHideWholeWord, frHideUpDown, frMatchCase, frDisableMatchCase,
  frDisableUpDown, frDisableWholeWord, frReplace, frReplaceAll, frWholeWord, frShowHelp
};
using TFindOptions = TSet<TFindOption>;

class TFindDialogWindow;

// A search dialog that stays open beside its window. Execute shows it; each button the user presses
// updates Options and FindText and fires OnFind (Find Next) or, in the replace dialog, OnReplace
// (Replace: frReplace; Replace All: frReplaceAll).
class TFindDialog : public TCommonDialog {
 public:
  explicit TFindDialog(TComponent* AOwner);
  ~TFindDialog() override;
  std::string ClassName() const override { return "TFindDialog"; }
  bool Execute() override;
  void CloseDialog();
  bool Showing() const;

  std::string FindText;
  TFindOptions Options{TFindOption::frDown};
  TNotifyEvent OnFind;
  TNotifyEvent OnClose;

 protected:
  virtual bool IsReplace() const { return false; }

 private:
  friend class TFindDialogWindow;
  std::unique_ptr<TFindDialogWindow> window_;
};

class TReplaceDialog : public TFindDialog {
 public:
  using TFindDialog::TFindDialog;
  std::string ClassName() const override { return "TReplaceDialog"; }

  std::string ReplaceText;
  TNotifyEvent OnReplace;

 protected:
  bool IsReplace() const override { return true; }
};
