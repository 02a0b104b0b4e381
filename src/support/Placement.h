#pragma once
// TFormPlacement saves its form's window placement when the form closes and restores it when the
// form is shown, in the registry or an ini file; other components keep their settings in the
// same storage through a TIniLink.
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Forms.h"

class TOmWindowHook;

class TFormPlacement;

enum class TPlacementOption { fpState, fpPosition, fpActiveControl };
using TPlacementOptions = TSet<TPlacementOption>;
inline constexpr TPlacementOption fpState = TPlacementOption::fpState;
inline constexpr TPlacementOption fpPosition = TPlacementOption::fpPosition;
inline constexpr TPlacementOption fpActiveControl = TPlacementOption::fpActiveControl;

enum TPlacementRegRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };

// The tracking limits the placement gives its form; a value of 0 leaves the window's own.
class TWinMinMaxInfo : public TPersistent {
 public:
  explicit TWinMinMaxInfo(TFormPlacement* Owner) : owner_(Owner) {}
  std::string ClassName() const override { return "TWinMinMaxInfo"; }
  void Assign(TPersistent* Source) override;

  // By index: 0 MaxPosLeft, 1 MaxPosTop, 2 MaxSizeHeight, 3 MaxSizeWidth, 4 MaxTrackHeight,
  // 5 MaxTrackWidth, 6 MinTrackHeight, 7 MinTrackWidth.
  int GetValue(int Index) const;
  void SetValue(int Index, int Value);
  int MaxPosLeft() const { return GetValue(0); }
  int MaxPosTop() const { return GetValue(1); }
  int MaxSizeHeight() const { return GetValue(2); }
  int MaxSizeWidth() const { return GetValue(3); }
  int MaxTrackHeight() const { return GetValue(4); }
  int MaxTrackWidth() const { return GetValue(5); }
  int MinTrackHeight() const { return GetValue(6); }
  int MinTrackWidth() const { return GetValue(7); }
  void SetMaxPosLeft(int Value) { SetValue(0, Value); }
  void SetMaxPosTop(int Value) { SetValue(1, Value); }
  void SetMaxSizeHeight(int Value) { SetValue(2, Value); }
  void SetMaxSizeWidth(int Value) { SetValue(3, Value); }
  void SetMaxTrackHeight(int Value) { SetValue(4, Value); }
  void SetMaxTrackWidth(int Value) { SetValue(5, Value); }
  void SetMinTrackHeight(int Value) { SetValue(6, Value); }
  void SetMinTrackWidth(int Value) { SetValue(7, Value); }

  // All eight values are 0.
  bool DefaultMinMaxInfo() const;
  const MINMAXINFO& Record() const { return record_; }

 private:
  int* Field(int Index);
  TFormPlacement* owner_;
  MINMAXINFO record_{};
};

// Another component's way into a placement's storage while the placement commits or restores.
class TIniLink : public TPersistent {
 public:
  TIniLink() = default;
  ~TIniLink() override;
  std::string ClassName() const override { return "TIniLink"; }

  TFormPlacement* Placement() const { return placement_; }
  void AttachToPlacement(TFormPlacement* Placement);
  // The placement's open storage object, or nullptr when there is none.
  TObject* GetOpenStorage() const;
  // The placement's IniSection as set followed by "\"; "" when it is empty or there is no placement.
  std::string GetLinkSection() const;

  virtual void SaveSettings();
  virtual void LoadSettings();

  TNotifyEvent OnSave;
  TNotifyEvent OnLoad;

 private:
  friend class TFormPlacement;
  TFormPlacement* placement_ = nullptr;
};

class TFormPlacement : public TComponent {
 public:
  explicit TFormPlacement(TComponent* AOwner);
  ~TFormPlacement() override;
  std::string ClassName() const override { return "TFormPlacement"; }

  // Restore on show and save on close happen only while active.
  bool Active = true;
  // The registry key below the root (with UseRegistry) or the ini file; empty reads as
  // DefaultRegistryKey or DefaultIniFileName.
  std::string IniFileName() const;
  void SetIniFileName(const std::string& Value) { iniFileName_ = Value; }
  // The section (a subkey in the registry); empty reads as the owner's DefaultSectionName.
  std::string IniSection() const;
  void SetIniSection(const std::string& Value) { iniSection_ = Value; }
  TWinMinMaxInfo* MinMaxInfo() const { return minMaxInfo_.get(); }
  void SetMinMaxInfo(TWinMinMaxInfo* Value) { minMaxInfo_->Assign(Value); }
  TPlacementOptions Options;
  bool PreventResize() const { return preventResize_; }
  void SetPreventResize(bool Value);
  TPlacementRegRoot RegistryRoot = prCurrentUser;
  bool UseRegistry() const { return useRegistry_; }
  void SetUseRegistry(bool Value) { useRegistry_ = Value; }
  int Version = 0;

  TNotifyEvent OnSavePlacement;
  TNotifyEvent OnRestorePlacement;

  // Writes the placement now; nothing while active and never restored.
  void CommitPlacement();
  // Reads it now (the form's show does).
  void ApplyStoredPlacement();
  int ReadStorageInteger(const std::string& Name, int Default);
  void WriteStorageInteger(const std::string& Name, int Value);
  virtual std::string ReadStorageString(const std::string& Section, const std::string& Name,
                                        const std::string& Default);
  virtual void WriteStorageString(const std::string& Section, const std::string& Name, const std::string& Value);

  // The storage stays open until CloseStorage; a second open keeps the first.
  void OpenStorage(bool ReadOnly);
  void CloseStorage();
  TObject* Storage() const { return storage_.get(); }

  void AttachLink(TIniLink* Link);
  void DetachLink(TIniLink* Link);
  void BroadcastToLinks(bool Save);

  // The limits changed: the maximized position and the form's tracking follow.
  void MinMaxInfoModified();

 protected:
  void Loaded() override;
  virtual void WritePlacementValues();
  virtual void ReadPlacementValues();
  virtual void DoSavePlacement();
  virtual void DoRestorePlacement();

 private:
  TCustomForm* Form() const;
  bool FormLoading() const;
  // Runs a storage operation in the open storage, else in one opened for it alone.
  template <class Operation>
  auto WithStorage(bool readOnly, Operation&& operation);
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormDestroy(TObject* Sender);
  void WindowMessage(TObject* Sender, TMessage& Message, bool& Handled);
  void UpdateWindowHook();
  void FixMaximizedPosition();
  void UpdateMaximizeIcon();
  void RestoreFormEvents();
  friend class TIniLink;

  std::string iniFileName_;
  std::string iniSection_;
  std::unique_ptr<TWinMinMaxInfo> minMaxInfo_;
  bool preventResize_ = false;
  bool useRegistry_ = false;
  std::unique_ptr<TObject> storage_;
  std::vector<TIniLink*> links_;
  TOmWindowHook* windowHook_ = nullptr;  // owned: watches the form while limits apply
  TCustomForm* eventsForm_ = nullptr;
  TNotifyEvent previousShow_;
  TCloseQueryEvent previousCloseQuery_;
  TNotifyEvent previousDestroy_;
  bool restored_ = false;
  bool saved_ = false;
  bool destroying_ = false;
  bool hadMaximizeIcon_ = false;
};
