#pragma once
// The uploader's one window: host, user ID, password, local and remote file, the optional chmod,
// and the upload road, driven step by step by the events of the FTP client component.
#include <string>

#include "inet/NMFTP.h"
#include "vcl/Forms.h"

class TBitBtn;
class TCheckBox;
class TEdit;
class TFormPlacement;
class TLabel;
class TLCDate;
class TMenuItem;
class TPopupMenu;
class TStatusBar;

namespace Uploader {

// Where the uploader keeps its settings (below HKEY_CURRENT_USER).
inline constexpr const char* UploaderKey = "SOFTWARE\\Ombrix\\Tarnwick\\Dizida Vevevuro";

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);
  std::string ClassName() const override { return "TForm1"; }

  TLabel* HostLabel;
  TLabel* UserLabel;
  TLabel* PassLabel;
  TLabel* LocalLabel;
  TLabel* RemoteLabel;
  TLabel* Label1;
  TEdit* HostEdit;
  TEdit* UserEdit;
  TEdit* PassEdit;
  TEdit* LocalEdit;
  TEdit* RemoteEdit;
  TBitBtn* BitBtn1;
  TBitBtn* BitBtn2;
  TStatusBar* StatusBar1;
  TCheckBox* CheckBox1;
  TEdit* ChmodEdit;
  TPopupMenu* PopupMenu1;
  TMenuItem* About1;
  TNMFTP* Ftp1;
  TLCDate* LCDate1;
  TFormPlacement* FormPlacement1;

  void FormCreate(TObject* Sender);
  void EditsChange(TObject* Sender);
  void RemoteEditEnter(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void About1Click(TObject* Sender);
  void Ftp1Connect(TObject* Sender);
  void Ftp1Success(TCmdType Trans_Type);
  void Ftp1Failure(bool& Handled, TCmdType Trans_Type);
  void Ftp1UnSupportedFunction(TCmdType Trans_Type);
  void Ftp1Error(TComponent* Sender, int Errno, const std::string& Errmsg);
  void Ftp1Status(TComponent* Sender, const std::string& Status);
  void Ftp1HostResolved(TObject* Sender);
  void Ftp1InvalidHost(bool& Handled);
  void Ftp1ConnectionFailed(TObject* Sender);
  void Ftp1AuthenticationFailed(bool& Handled);
  void Ftp1ConnectionRequired(bool& Handled);
  void Ftp1Disconnect(TObject* Sender);
  void Ftp1TransactionStart(TObject* Sender);
  void Ftp1TransactionStop(TObject* Sender);
  void Ftp1ListItem(const std::string& Listing);

 private:
  void BuildControls();
  void BindFtpEvents();
  void SetStatus(const std::string& Text);
  // The five edits and Upload: disabled while an upload runs, enabled again after any failure of it.
  void EnableInputs(bool Enabled);
  void GiveUpConnecting(const std::string& Message);

  // The upload in progress: the remote path as typed, its directory part and its file name.
  std::string remotePath_;
  std::string remoteDir_;
  std::string remoteName_;
  // The server closed the connection during the road.
  bool connectionLost_ = false;
};

// The directory and file-name parts of a remote path, as the upload road splits it.
void SplitRemotePath(const std::string& RemotePath, std::string& Directory, std::string& Name);
// The remote name proposed for a local file below the remembered remote directory.
std::string ProposeRemoteName(const std::string& RemoteDir, const std::string& LocalFile);

}  // namespace Uploader
