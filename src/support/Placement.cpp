#include "support/Placement.h"

#include <algorithm>

#include "support/AppUtils.h"
#include "support/WndHook.h"
#include "vcl/Application.h"
#include "vcl/IniFiles.h"
#include "vcl/Registry.h"
#include "vcl/SysUtils.h"

// ---------------------------------------------------------------------------------------------------
// TWinMinMaxInfo

int* TWinMinMaxInfo::Field(int Index) {
  switch (Index) {
    case 0:
      return &record_.ptMaxPosition.x;
    case 1:
      return &record_.ptMaxPosition.y;
    case 2:
      return &record_.ptMaxSize.y;
    case 3:
      return &record_.ptMaxSize.x;
    case 4:
      return &record_.ptMaxTrackSize.y;
    case 5:
      return &record_.ptMaxTrackSize.x;
    case 6:
      return &record_.ptMinTrackSize.y;
    case 7:
      return &record_.ptMinTrackSize.x;
    default:
      throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  }
}

int TWinMinMaxInfo::GetValue(int Index) const { return *const_cast<TWinMinMaxInfo*>(this)->Field(Index); }

void TWinMinMaxInfo::SetValue(int Index, int Value) {
  int* field = Field(Index);
  if (*field == Value) return;
  *field = Value;
  if (owner_) owner_->MinMaxInfoModified();
}

void TWinMinMaxInfo::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TWinMinMaxInfo*>(Source)) {
    record_ = other->record_;
    if (owner_) owner_->MinMaxInfoModified();
    return;
  }
  TPersistent::Assign(Source);
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const {
  for (int i = 0; i < 8; ++i)
    if (GetValue(i) != 0) return false;
  return true;
}

// ---------------------------------------------------------------------------------------------------
// TIniLink

TIniLink::~TIniLink() {
  OnSave = nullptr;
  OnLoad = nullptr;
  AttachToPlacement(nullptr);
}

void TIniLink::AttachToPlacement(TFormPlacement* Placement) {
  if (placement_ == Placement) return;
  if (placement_) placement_->DetachLink(this);
  if (Placement) Placement->AttachLink(this);
}

TObject* TIniLink::GetOpenStorage() const { return placement_ ? placement_->Storage() : nullptr; }

std::string TIniLink::GetLinkSection() const {
  if (!placement_ || placement_->iniSection_.empty()) return {};
  return placement_->iniSection_ + "\\";
}

void TIniLink::SaveSettings() { Fire(OnSave, this); }
void TIniLink::LoadSettings() { Fire(OnLoad, this); }

// ---------------------------------------------------------------------------------------------------
// TFormPlacement

namespace {

HKEY RootKeyOf(TPlacementRegRoot root) {
  switch (root) {
    case prLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case prCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case prClassesRoot:
      return HKEY_CLASSES_ROOT;
    case prUsers:
      return HKEY_USERS;
    case prDynData:
      return HKEY_DYN_DATA;
    default:
      return HKEY_CURRENT_USER;
  }
}

// The frame thickness a maximized window hides beyond the screen edge.
TPoint BorderThickness(TFormBorderStyle style) {
  int metric = 0;
  switch (style) {
    case TFormBorderStyle::bsNone:
      return TPoint{0, 0};
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      metric = SM_CXBORDER;
      break;
    case TFormBorderStyle::bsDialog:
      metric = SM_CXDLGFRAME;
      break;
    default:
      metric = SM_CXFRAME;
      break;
  }
  return TPoint{GetSystemMetrics(metric), GetSystemMetrics(metric + 1)};
}

}  // namespace

TFormPlacement::TFormPlacement(TComponent* AOwner)
    : TComponent(AOwner), minMaxInfo_(std::make_unique<TWinMinMaxInfo>(this)) {
  if (dynamic_cast<TCustomForm*>(AOwner)) Options = {fpState, fpPosition};
  windowHook_ = new TOmWindowHook(this);
  windowHook_->AfterMessage = THookMessageEvent(this, &TFormPlacement::WindowMessage);
}

TFormPlacement::~TFormPlacement() {
  CloseStorage();
  while (!links_.empty()) DetachLink(links_.back());
  windowHook_->SetWinControl(nullptr);
  if (!IsDesigning()) RestoreFormEvents();
}

TCustomForm* TFormPlacement::Form() const { return dynamic_cast<TCustomForm*>(Owner()); }

bool TFormPlacement::FormLoading() const { return IsLoading() || (Form() && Form()->IsLoading()); }

std::string TFormPlacement::IniFileName() const {
  if (!iniFileName_.empty() || IsDesigning()) return iniFileName_;
  return useRegistry_ ? DefaultRegistryKey() : DefaultIniFileName();
}

std::string TFormPlacement::IniSection() const {
  if (!iniSection_.empty() || IsDesigning() || !Owner()) return iniSection_;
  return DefaultSectionName(Owner());
}

void TFormPlacement::Loaded() {
  TComponent::Loaded();
  TCustomForm* form = Form();
  if (!form || IsDesigning()) return;
  eventsForm_ = form;
  previousShow_ = form->OnShow;
  previousCloseQuery_ = form->OnCloseQuery;
  previousDestroy_ = form->OnDestroy;
  form->OnShow = TNotifyEvent(this, &TFormPlacement::FormShow);
  form->OnCloseQuery = TCloseQueryEvent(this, &TFormPlacement::FormCloseQuery);
  form->OnDestroy = TNotifyEvent(this, &TFormPlacement::FormDestroy);
  hadMaximizeIcon_ = form->BorderIcons().Contains(biMaximize);
  if (preventResize_) UpdateMaximizeIcon();
  UpdateWindowHook();
}

void TFormPlacement::RestoreFormEvents() {
  // A form that is going has no events left to give back.
  if (!eventsForm_ || eventsForm_->IsDestroying()) return;
  eventsForm_->OnShow = previousShow_;
  eventsForm_->OnCloseQuery = previousCloseQuery_;
  eventsForm_->OnDestroy = previousDestroy_;
  eventsForm_ = nullptr;
}

void TFormPlacement::FormShow(TObject* Sender) {
  if (Active) CallHandler(this, [this] { ApplyStoredPlacement(); });
  Fire(previousShow_, Sender);
}

void TFormPlacement::FormCloseQuery(TObject* Sender, bool& CanClose) {
  Fire(previousCloseQuery_, Sender, CanClose);
  if (CanClose && Active && Form() && Form()->HandleAllocated()) CallHandler(this, [this] { CommitPlacement(); });
}

void TFormPlacement::FormDestroy(TObject* Sender) {
  if (Active && !saved_) {
    const TRestore<bool> destroying(destroying_, true);
    CallHandler(this, [this] { CommitPlacement(); });
  }
  Fire(previousDestroy_, Sender);
}

void TFormPlacement::SetPreventResize(bool Value) {
  if (!Form() || preventResize_ == Value) return;
  preventResize_ = Value;
  FixMaximizedPosition();
  // While the form is built, Loaded first notes its own maximize icon and then applies this.
  if (FormLoading()) return;
  UpdateMaximizeIcon();
  UpdateWindowHook();
}

void TFormPlacement::UpdateMaximizeIcon() {
  TCustomForm* form = Form();
  const TRestore<bool> inactive(Active, false);
  TBorderIcons icons = form->BorderIcons();
  if (preventResize_ || !hadMaximizeIcon_ || form->BorderStyle() == bsDialog)
    icons.Exclude(biMaximize);
  else
    icons.Include(biMaximize);
  form->SetBorderIcons(icons);
}

void TFormPlacement::MinMaxInfoModified() {
  FixMaximizedPosition();
  if (!FormLoading()) UpdateWindowHook();
}

void TFormPlacement::UpdateWindowHook() {
  TCustomForm* form = Form();
  const bool wanted = form && (preventResize_ || !minMaxInfo_->DefaultMinMaxInfo());
  windowHook_->SetWinControl(wanted ? form : nullptr);
  if (form) form->UpdateSizeLimits();
}

void TFormPlacement::WindowMessage(TObject*, TMessage& Message, bool&) {
  TCustomForm* form = Form();
  if (preventResize_ && form) {
    if (Message.Msg == WM_GETMINMAXINFO && form->HandleAllocated() && IsWindowVisible(form->Handle())) {
      auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      info->ptMinTrackSize = TPoint{form->Width(), form->Height()};
      info->ptMaxTrackSize = info->ptMinTrackSize;
      Message.Result = 1;
    } else if (Message.Msg == WM_NCHITTEST && Message.Result >= 10 && Message.Result <= 17) {
      Message.Result = 0;  // the sizing borders and corners become nowhere
    }
    return;
  }
  if (Message.Msg != WM_GETMINMAXINFO) return;
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  const MINMAXINFO& limits = minMaxInfo_->Record();
  const auto take = [](int& field, int value) {
    if (value != 0) field = value;
  };
  take(info->ptMaxPosition.x, limits.ptMaxPosition.x);
  take(info->ptMaxPosition.y, limits.ptMaxPosition.y);
  take(info->ptMaxSize.x, limits.ptMaxSize.x);
  take(info->ptMaxSize.y, limits.ptMaxSize.y);
  take(info->ptMaxTrackSize.x, limits.ptMaxTrackSize.x);
  take(info->ptMaxTrackSize.y, limits.ptMaxTrackSize.y);
  take(info->ptMinTrackSize.x, limits.ptMinTrackSize.x);
  take(info->ptMinTrackSize.y, limits.ptMinTrackSize.y);
  Message.Result = 1;
}

void TFormPlacement::FixMaximizedPosition() {
  TCustomForm* form = Form();
  if (!form || !form->HandleAllocated() || form->IsLoading() || preventResize_ || !minMaxInfo_->DefaultMinMaxInfo())
    return;
  WINDOWPLACEMENT placement;
  GetWindowPlacement(form->Handle(), &placement);
  if (!IsWindowVisible(form->Handle())) placement.showCmd = SW_HIDE;
  const TPoint border = BorderThickness(form->BorderStyle());
  placement.ptMaxPosition = TPoint{-border.x, -border.y};
  SetWindowPlacement(form->Handle(), &placement);
}

void TFormPlacement::OpenStorage(bool ReadOnly) {
  if (storage_) return;
  if (useRegistry_)
    storage_ =
        std::make_unique<TRegIniFile>(IniFileName(), ReadOnly ? KEY_READ : KEY_ALL_ACCESS, RootKeyOf(RegistryRoot));
  else
    storage_ = std::make_unique<TIniFile>(IniFileName());
}

void TFormPlacement::CloseStorage() { storage_.reset(); }

template <class Operation>
auto TFormPlacement::WithStorage(bool readOnly, Operation&& operation) {
  struct CloseAfter {
    TFormPlacement* placement;
    bool close;
    ~CloseAfter() {
      if (close) placement->CloseStorage();
    }
  } closeAfter{this, !storage_};
  OpenStorage(readOnly);
  return operation(storage_.get());
}

int TFormPlacement::ReadStorageInteger(const std::string& Name, int Default) {
  return WithStorage(true, [&](TObject* storage) { return StorageReadInteger(storage, IniSection(), Name, Default); });
}

void TFormPlacement::WriteStorageInteger(const std::string& Name, int Value) {
  WithStorage(false, [&](TObject* storage) { StorageWriteInteger(storage, IniSection(), Name, Value); });
}

std::string TFormPlacement::ReadStorageString(const std::string& Section, const std::string& Name,
                                              const std::string& Default) {
  return WithStorage(true, [&](TObject* storage) { return StorageReadString(storage, Section, Name, Default); });
}

void TFormPlacement::WriteStorageString(const std::string& Section, const std::string& Name, const std::string& Value) {
  WithStorage(false, [&](TObject* storage) { StorageWriteString(storage, Section, Name, Value); });
}

void TFormPlacement::AttachLink(TIniLink* Link) {
  if (std::find(links_.begin(), links_.end(), Link) != links_.end()) return;
  links_.push_back(Link);
  Link->placement_ = this;
}

void TFormPlacement::DetachLink(TIniLink* Link) {
  links_.erase(std::remove(links_.begin(), links_.end(), Link), links_.end());
  Link->placement_ = nullptr;
}

void TFormPlacement::BroadcastToLinks(bool Save) {
  for (TIniLink* link : std::vector<TIniLink*>(links_)) {
    if (Save)
      link->SaveSettings();
    else
      link->LoadSettings();
  }
}

void TFormPlacement::CommitPlacement() {
  if (Active && !restored_) return;
  struct CloseAfter {
    TFormPlacement* placement;
    ~CloseAfter() { placement->CloseStorage(); }
  } closeAfter{this};
  OpenStorage(false);
  StorageWriteInteger(Storage(), IniSection(), "FormVersion", Version);
  WritePlacementValues();
  DoSavePlacement();
  saved_ = true;
}

void TFormPlacement::WritePlacementValues() {
  if (TCustomForm* form = Form()) {
    const std::string section = IniSection();
    WriteWindowPlacement(form, Storage(), section);
    if (Options.Contains(fpActiveControl) && form->ActiveControl()) {
      // The control's name as it is: names never need the ini quote rule.
      const std::string name = form->ActiveControl()->Name();
      if (auto* ini = dynamic_cast<TIniFile*>(Storage()))
        ini->WriteString(section, "ActiveControl", name);
      else
        StorageWriteString(Storage(), section, "ActiveControl", name);
    }
    StorageWriteInteger(Storage(), section, "Visible", destroying_ ? 1 : 0);
  }
  BroadcastToLinks(true);
}

void TFormPlacement::ApplyStoredPlacement() {
  saved_ = false;
  struct CloseAfter {
    TFormPlacement* placement;
    ~CloseAfter() { placement->CloseStorage(); }
  } closeAfter{this};
  OpenStorage(true);
  const std::string section = IniSection();
  if (StorageReadInteger(Storage(), section, "FormVersion", 0) >= Version) {
    ReadPlacementValues();
    restored_ = true;
    DoRestorePlacement();
    TCustomForm* form = Form();
    if (Options.Contains(fpActiveControl) && form) {
      const std::string name = StorageReadString(Storage(), section, "ActiveControl", "");
      auto* control = dynamic_cast<TWinControl*>(name.empty() ? nullptr : form->FindComponent(name));
      if (control && control->CanFocus()) form->SetActiveControl(control);
    }
  }
  restored_ = true;
  FixMaximizedPosition();
}

void TFormPlacement::ReadPlacementValues() {
  if (TCustomForm* form = Form())
    ReadWindowPlacement(form, Storage(), IniSection(), Options.Contains(fpPosition), Options.Contains(fpState));
  BroadcastToLinks(false);
}

void TFormPlacement::DoSavePlacement() { Fire(OnSavePlacement, this); }
void TFormPlacement::DoRestorePlacement() { Fire(OnRestorePlacement, this); }
