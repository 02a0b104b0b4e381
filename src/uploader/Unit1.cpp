#include "uploader/Unit1.h"

#include "support/CKSLib.h"
#include "support/LCDate.h"
#include "support/Placement.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Buttons.h"
#include "vcl/ComCtrls.h"
#include "vcl/DateTimes.h"
#include "vcl/Dialogs.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"

namespace Uploader {

namespace {

const char* const OperationNames[] = {"ChangeDir", "MakeDirectory",   "Delete",   "RemoveDir",    "List",
                                      "Rename",    "UploadRestore",   "DownloadRestore", "Download", "Upload",
                                      "UploadAppend", "Reinitialize", "Allocate", "NList", "DoCommand",
                                      "Accessing the CurrentDir property"};

const char* const SuccessMessage = "The file was succesfully uploaded!";

bool IsSeparator(char c) { return c == '\\' || c == ':'; }

// The name part of a local file: the text after its last "\", ":" or (this platform's) "/".
std::string LocalFileName(const std::string& LocalFile) {
  const std::size_t last = LocalFile.find_last_of("\\:/");
  return last == std::string::npos ? LocalFile : LocalFile.substr(last + 1);
}

template <class T>
T* Place(TForm1* form, T* control, const char* name, int left, int top, int width = 0) {
  control->SetName(name);
  control->SetParent(form);
  control->SetBounds(left, top, width > 0 ? width : control->Width(), control->Height());
  return control;
}

}  // namespace

void SplitRemotePath(const std::string& RemotePath, std::string& Directory, std::string& Name) {
  std::string path = RemotePath;
  ReplaceAllText(path, "/", "\\");
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i)
    if (IsSeparator(path[i])) last = i;
  if (last == std::string::npos) {
    Directory.clear();
    Name = path;
  } else {
    // A separator at the start, or behind ":" or another "\", belongs to the directory.
    const bool keepSeparator = last == 0 || IsSeparator(path[last - 1]);
    Directory = path.substr(0, keepSeparator ? last + 1 : last);
    Name = path.substr(last + 1);
  }
  ReplaceAllText(Directory, "\\", "/");
  ReplaceAllText(Name, "\\", "/");
}

std::string ProposeRemoteName(const std::string& RemoteDir, const std::string& LocalFile) {
  return AddTrailingSlash(RemoteDir) + LowerCase(LocalFileName(LocalFile));
}

// ---------------------------------------------------------------------------------------------------
// Building the window

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  SetName("Form1");
  SetCaption("Upload A Script To FTP");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  SetPosition(poScreenCenter);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  SetClientSize(304, 207);
  BuildControls();
  BindFtpEvents();
  OnCreate = TNotifyEvent(this, &TForm1::FormCreate);
  OnClose = TCloseEvent(this, &TForm1::FormClose);
}

void TForm1::BuildControls() {
  HostEdit = Place(this, new TEdit(this), "HostEdit", 72, 8, 225);
  UserEdit = Place(this, new TEdit(this), "UserEdit", 72, 32, 225);
  PassEdit = Place(this, new TEdit(this), "PassEdit", 72, 56, 225);
  PassEdit->SetPasswordChar('*');
  LocalEdit = Place(this, new TEdit(this), "LocalEdit", 72, 80, 225);
  RemoteEdit = Place(this, new TEdit(this), "RemoteEdit", 72, 104, 225);
  RemoteEdit->OnEnter = TNotifyEvent(this, &TForm1::RemoteEditEnter);
  // Both name files (here and on the server): their bytes go to the file system and to the server as
  // they are.
  LocalEdit->SetHoldsFileName(true);
  RemoteEdit->SetHoldsFileName(true);
  int tab = 0;
  for (TEdit* edit : {HostEdit, UserEdit, PassEdit, LocalEdit, RemoteEdit}) {
    edit->TabOrder = tab++;
    edit->OnChange = TNotifyEvent(this, &TForm1::EditsChange);
  }

  const auto label = [this](const char* name, const char* caption, int left, int top, TWinControl* focus) {
    TLabel* control = Place(this, new TLabel(this), name, left, top);
    control->SetCaption(caption);
    control->SetFocusControl(focus);
    return control;
  };
  HostLabel = label("HostLabel", "&Host", 40, 16, HostEdit);
  UserLabel = label("UserLabel", "&User ID", 24, 40, UserEdit);
  PassLabel = label("PassLabel", "&Password", 16, 64, PassEdit);
  LocalLabel = label("LocalLabel", "&Local File", 16, 88, LocalEdit);
  RemoteLabel = label("RemoteLabel", "&Remote File", 8, 112, RemoteEdit);
  Label1 = label("Label1", "the script after uploading (Unix)", 120, 133, nullptr);

  BitBtn1 = Place(this, new TBitBtn(this), "BitBtn1", 8, 160, 89);
  BitBtn1->SetKind(bkOK);
  BitBtn1->SetCaption("&Upload");
  BitBtn1->TabOrder = 5;
  BitBtn1->OnClick = TNotifyEvent(this, &TForm1::BitBtn1Click);
  BitBtn2 = Place(this, new TBitBtn(this), "BitBtn2", 200, 160, 89);
  BitBtn2->SetKind(bkCancel);
  BitBtn2->SetCaption("&Cancel");
  BitBtn2->TabOrder = 6;
  BitBtn2->OnClick = TNotifyEvent(this, &TForm1::BitBtn2Click);

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  StatusBar1->SetParent(this);
  StatusBar1->SetAlign(alBottom);
  StatusBar1->SetSimplePanel(true);
  StatusBar1->SetSizeGrip(false);

  CheckBox1 = Place(this, new TCheckBox(this), "CheckBox1", 8, 133, 57);
  CheckBox1->SetCaption("Chmod");
  CheckBox1->TabOrder = 8;
  CheckBox1->OnClick = TNotifyEvent(this, &TForm1::CheckBox1Click);
  ChmodEdit = Place(this, new TEdit(this), "ChmodEdit", 72, 128, 41);
  ChmodEdit->SetMaxLength(3);
  ChmodEdit->TabOrder = 9;

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  About1 = new TMenuItem(this);
  About1->SetName("About1");
  About1->SetCaption("About...");
  About1->OnClick = TNotifyEvent(this, &TForm1::About1Click);
  PopupMenu1->Items()->Add(About1);
  BitBtn1->SetPopupMenu(PopupMenu1);
  BitBtn2->SetPopupMenu(PopupMenu1);
  StatusBar1->SetPopupMenu(PopupMenu1);

  Ftp1 = new TNMFTP(this);
  Ftp1->SetName("Ftp1");
  Ftp1->Port = 21;
  Ftp1->ReportLevel = 0;
  Ftp1->Passive = false;

  LCDate1 = new TLCDate(this);
  LCDate1->SetName("LCDate1");

  // The window's place lies beside the settings, under "Window Position".
  FormPlacement1 = new TFormPlacement(this);
  FormPlacement1->SetName("FormPlacement1");
  FormPlacement1->SetIniFileName("SOFTWARE");
  FormPlacement1->SetIniSection("Ombrix\\Tarnwick\\Dizida Vevevuro\\Window Position");
  FormPlacement1->SetUseRegistry(true);

}

void TForm1::BindFtpEvents() {
  Ftp1->OnConnect = TNotifyEvent(this, &TForm1::Ftp1Connect);
  Ftp1->OnSuccess = TOnSuccessEvent(this, &TForm1::Ftp1Success);
  Ftp1->OnFailure = TOnFailureEvent(this, &TForm1::Ftp1Failure);
  Ftp1->OnUnSupportedFunction = TOnUnSupportedFunctionEvent(this, &TForm1::Ftp1UnSupportedFunction);
  Ftp1->OnError = TOnErrorEvent(this, &TForm1::Ftp1Error);
  Ftp1->OnStatus = TOnStatusEvent(this, &TForm1::Ftp1Status);
  Ftp1->OnHostResolved = TNotifyEvent(this, &TForm1::Ftp1HostResolved);
  Ftp1->OnInvalidHost = THandlerEvent(this, &TForm1::Ftp1InvalidHost);
  Ftp1->OnConnectionFailed = TNotifyEvent(this, &TForm1::Ftp1ConnectionFailed);
  Ftp1->OnAuthenticationFailed = THandlerEvent(this, &TForm1::Ftp1AuthenticationFailed);
  Ftp1->OnConnectionRequired = THandlerEvent(this, &TForm1::Ftp1ConnectionRequired);
  Ftp1->OnDisconnect = TNotifyEvent(this, &TForm1::Ftp1Disconnect);
  Ftp1->OnTransactionStart = TNotifyEvent(this, &TForm1::Ftp1TransactionStart);
  Ftp1->OnTransactionStop = TNotifyEvent(this, &TForm1::Ftp1TransactionStop);
  Ftp1->OnListItem = TListItemEvent(this, &TForm1::Ftp1ListItem);
}

// ---------------------------------------------------------------------------------------------------
// The window's own handlers

void TForm1::FormCreate(TObject*) {
  if (Application->ParamCount() > 0 && !Application->ParamStr(1).empty()) {
    std::string local;
    for (int i = 1; i <= Application->ParamCount(); ++i) local += (i > 1 ? " " : "") + Application->ParamStr(i);
    LocalEdit->SetText(Trim(local));
  }
  HostEdit->SetText(RegReadString(UploaderKey, "Host", ""));
  UserEdit->SetText(RegReadString(UploaderKey, "User", ""));
  ChmodEdit->SetText(RegReadString(UploaderKey, "Chmod", "755"));
  // Showing the stored choice is no click: nothing is written back.
  CheckBox1->OnClick = nullptr;
  CheckBox1->SetChecked(RegReadBool(UploaderKey, "AllowChmod", true));
  CheckBox1->OnClick = TNotifyEvent(this, &TForm1::CheckBox1Click);
  ChmodEdit->SetEnabled(CheckBox1->Checked());
  Label1->SetEnabled(CheckBox1->Checked());
  EditsChange(this);
}

void TForm1::EditsChange(TObject*) {
  bool filled = true;
  for (TEdit* edit : {HostEdit, UserEdit, PassEdit, LocalEdit, RemoteEdit}) filled = filled && !Trim(edit->Text()).empty();
  BitBtn1->SetEnabled(filled);
}

void TForm1::RemoteEditEnter(TObject*) {
  if (!Trim(RemoteEdit->Text()).empty() || Trim(LocalEdit->Text()).empty()) return;
  RemoteEdit->SetText(ProposeRemoteName(RegReadString(UploaderKey, "RemoteDir", "/"), LocalEdit->Text()));
}

void TForm1::BitBtn1Click(TObject*) {
  const std::string host = Trim(HostEdit->Text());
  Ftp1->Host = host;
  Ftp1->UserID = Trim(UserEdit->Text());
  Ftp1->Password = Trim(PassEdit->Text());
  RegWriteString(UploaderKey, "Host", host);
  RegWriteString(UploaderKey, "User", Ftp1->UserID);
  SetStatus("Connecting to " + host + "...");
  EnableInputs(false);
  connectionLost_ = false;
  Application->ExitCode = 0;
  try {
    Ftp1->Connect();
  } catch (Exception& E) {
    // Until an upload succeeds, ending the program with Cancel reports the failure.
    Application->ExitCode = 1;
    if (!connectionLost_) {
      // A refused directory, upload or chmod leaves the road as a failed login does: the user may correct
      // the fields and try again.
      EnableInputs(true);
      throw;
    }
    // A dropped connection ends the program, but not unseen: the user learns why before the window goes.
    Application->ShowException(&E);
    BitBtn2->Click();
  }
}

void TForm1::BitBtn2Click(TObject*) {
  Ftp1->Abort();
  Close();
}

void TForm1::CheckBox1Click(TObject*) {
  RegWriteBool(UploaderKey, "AllowChmod", CheckBox1->Checked());
  ChmodEdit->SetEnabled(CheckBox1->Checked());
  Label1->SetEnabled(CheckBox1->Checked());
}

void TForm1::FormClose(TObject*, TCloseAction&) {
  // Closed while the component waits (the window's close box): the road must not go on unseen.
  Ftp1->Abort();
  const std::string host = Trim(HostEdit->Text());
  if (RegReadString(UploaderKey, "Host", "").empty() && !host.empty()) RegWriteString(UploaderKey, "Host", host);
}

void TForm1::About1Click(TObject*) {
  const std::string text = "FTP Script Uploader\nVersion 1.0 (build " + DateToStr(LCDate1->LCDate) +
                           ")\n\nPart of Ombrix Tarnwick";
  Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONINFORMATION);
}

// ---------------------------------------------------------------------------------------------------
// The upload road, one step per event of the FTP component

void TForm1::Ftp1Connect(TObject*) {
  SetStatus("Connected");
  remotePath_ = Trim(RemoteEdit->Text());
  SplitRemotePath(remotePath_, remoteDir_, remoteName_);
  RegWriteString(UploaderKey, "RemoteDir", remoteDir_);
  Ftp1->ChangeDir(remoteDir_);
}

void TForm1::Ftp1Success(TCmdType Trans_Type) {
  switch (Trans_Type) {
    case cmdChangeDir:
      SetStatus("Change dir succesful");
      Ftp1->Upload(Trim(LocalEdit->Text()), remotePath_);
      break;
    case cmdUpload:
      SetStatus("Upload succesful. Trying to chmod...");
      if (CheckBox1->Checked()) {
        Ftp1->DoCommand("SITE chmod " + ChmodEdit->Text() + " " + remoteName_);
      } else {
        ShowMessage(SuccessMessage);
        BitBtn2->Click();
      }
      break;
    case cmdDoCommand:
      ShowMessage(SuccessMessage);
      BitBtn2->Click();
      break;
    default:
      break;
  }
}

void TForm1::Ftp1Failure(bool&, TCmdType Trans_Type) {
  SetStatus(std::string(OperationNames[Trans_Type]) + " failed!");
}

void TForm1::Ftp1UnSupportedFunction(TCmdType Trans_Type) {
  if (Trans_Type != cmdDoCommand) return;
  SetStatus("Chmod is not suppoted by the server");
  RegWriteBool(UploaderKey, "AllowChmod", false);
}

void TForm1::Ftp1Error(TComponent*, int, const std::string& Errmsg) { SetStatus("Error: " + Errmsg); }

void TForm1::Ftp1Status(TComponent*, const std::string& Status) {
  const std::string password = Trim(PassEdit->Text());
  if (!password.empty() && Status.find(password) != std::string::npos) return;
  SetStatus(Status);
}

void TForm1::Ftp1HostResolved(TObject*) { SetStatus("Host resolved"); }

void TForm1::Ftp1InvalidHost(bool&) { GiveUpConnecting("Invalid host!"); }

void TForm1::Ftp1ConnectionFailed(TObject*) { GiveUpConnecting("Connection failed!"); }

void TForm1::Ftp1AuthenticationFailed(bool&) { GiveUpConnecting("Authentication failed!"); }

void TForm1::Ftp1ConnectionRequired(bool&) { BitBtn1->Click(); }

// The component raises its error next; the road's start shows it and then closes the window.
void TForm1::Ftp1Disconnect(TObject*) {
  connectionLost_ = true;
  Application->ExitCode = 1;
}

void TForm1::Ftp1TransactionStart(TObject*) { SetStatus("Data transfer started"); }

void TForm1::Ftp1TransactionStop(TObject*) { SetStatus("Data transfer completed"); }

void TForm1::Ftp1ListItem(const std::string& Listing) { SetStatus(Listing); }

// ---------------------------------------------------------------------------------------------------

void TForm1::SetStatus(const std::string& Text) { StatusBar1->SetSimpleText(Text); }

void TForm1::EnableInputs(bool Enabled) {
  for (TEdit* edit : {HostEdit, UserEdit, PassEdit, LocalEdit, RemoteEdit}) edit->SetEnabled(Enabled);
  BitBtn1->SetEnabled(Enabled);
}

void TForm1::GiveUpConnecting(const std::string& Message) {
  ShowMessage(Message);
  Ftp1->Abort();
  EnableInputs(true);
}

}  // namespace Uploader
