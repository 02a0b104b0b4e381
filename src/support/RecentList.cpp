#include "support/RecentList.h"

#include <algorithm>

#include "support/AppUtils.h"
#include "support/MaxMin.h"
#include "win/FileNames.h"

// ---------------------------------------------------------------------------------------------------
// TRecentStrings

TObject* UserValueObject(std::int32_t Value) { return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(Value)); }

std::int32_t TRecentStrings::UserValue(int Index) const {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(GetObject(Index)));
}

int TRecentStrings::Add(const std::string& S) {
  const TStringsUpdate update(*this);
  const int found = IndexOf(S);
  if (found < 0) {
    InsertObject(Mode == rmInsert ? 0 : Count(), S, nullptr);
    TrimToCapacity();
  } else {
    Move(found, Mode == rmInsert ? 0 : Count() - 1);
  }
  return Mode == rmInsert ? 0 : Count() - 1;
}

int TRecentStrings::AddObject(const std::string& S, TObject* AObject) {
  // One change notification for the entry and its value.
  const TStringsUpdate update(*this);
  const int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TRecentStrings::AddStrings(TStrings* Strings) {
  const TStringsUpdate update(*this);
  const int count = Min(Strings->Count(), maxSize_);
  if (Mode == rmAppend) {
    for (int i = 0; i < count; ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  } else {
    for (int i = count - 1; i >= 0; --i) AddObject(Strings->Get(i), Strings->GetObject(i));
  }
  TrimToCapacity();
}

void TRecentStrings::Remove(const std::string& S) {
  const int index = IndexOf(S);
  if (index >= 0) Delete(index);
}

void TRecentStrings::SetCapacity(int Value) {
  if (Value == maxSize_) return;
  maxSize_ = Max(1, Value);
  TrimToCapacity();
}

void TRecentStrings::TrimToCapacity() {
  const TStringsUpdate update(*this);
  if (Mode == rmInsert) {
    for (int i = Count() - 1; i >= maxSize_; --i) Delete(i);
  } else {
    while (Count() > maxSize_) Delete(0);
  }
}

// ---------------------------------------------------------------------------------------------------
// TMRUManager

TMRUManager::TMRUManager(TComponent* AOwner)
    : TComponent(AOwner), strings_(std::make_unique<TRecentStrings>()), iniLink_(std::make_unique<TIniLink>()) {
  strings_->OnChange = TNotifyEvent(this, &TMRUManager::ListChanged);
  iniLink_->OnSave = TNotifyEvent(this, &TMRUManager::IniSave);
  iniLink_->OnLoad = TNotifyEvent(this, &TMRUManager::IniLoad);
}

TMRUManager::~TMRUManager() {
  ClearRecentMenu();
  iniLink_.reset();
  strings_->OnChange = nullptr;
}

void TMRUManager::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent != recentMenu_) return;
  if (AComponent->IsDestroying()) {
    // Told from the menu's destructor: its items went with it, and what is left of it is no menu item.
    items_.clear();
    recentMenu_ = nullptr;
    return;
  }
  SetRecentMenu(nullptr);
}

void TMRUManager::SetAccelDelimiter(TAccelDelimiter Value) {
  if (accelDelimiter_ == Value) return;
  accelDelimiter_ = Value;
  if (AutoUpdate && showAccelChar_) RebuildRecentMenu();
}

void TMRUManager::SetAutoEnable(bool Value) {
  if (autoEnable_ == Value) return;
  autoEnable_ = Value;
  if (autoEnable_) UpdateRecentMenuEnabled();
}

void TMRUManager::SetSeparateSize(std::uint16_t Value) {
  if (separateSize_ == Value) return;
  separateSize_ = Value;
  if (AutoUpdate) RebuildRecentMenu();
}

void TMRUManager::SetShowAccelChar(bool Value) {
  if (showAccelChar_ == Value) return;
  showAccelChar_ = Value;
  if (AutoUpdate) RebuildRecentMenu();
}

void TMRUManager::SetStartAccel(std::uint32_t Value) {
  if (startAccel_ == Value) return;
  startAccel_ = Value;
  if (AutoUpdate) RebuildRecentMenu();
}

void TMRUManager::SetRecentMenu(TMenuItem* Value) {
  ClearRecentMenu();
  if (recentMenu_) RemoveFreeNotification(recentMenu_);
  recentMenu_ = Value;
  if (recentMenu_) FreeNotification(recentMenu_);
  RebuildRecentMenu();
}

void TMRUManager::AddRecent(const std::string& RecentName, std::int32_t UserData) {
  strings_->AddObject(RecentName, UserValueObject(UserData));
}

void TMRUManager::RemoveRecent(const std::string& RecentName) { strings_->Remove(RecentName); }

void TMRUManager::ListChanged(TObject*) {
  DoChange();
  if (AutoUpdate) RebuildRecentMenu();
}

void TMRUManager::DoChange() { Fire(OnChange, this); }

void TMRUManager::UpdateRecentMenuEnabled() {
  if (recentMenu_ && autoEnable_) recentMenu_->SetEnabled(recentMenu_->Count() > 0);
}

void TMRUManager::ClearRecentMenu() {
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    items_.pop_back();
    // An item somebody moved elsewhere (or that went with its menu) is not ours to free.
    if (recentMenu_ && recentMenu_->IndexOf(item) >= 0) delete item;
  }
  UpdateRecentMenuEnabled();
}

std::string TMRUManager::AccelPrefix(int Index) const {
  const std::uint32_t n = static_cast<std::uint32_t>(Index) + startAccel_;
  if (n <= 9) return std::string{'&', static_cast<char>('0' + n)};
  if (n <= 100) return std::string{'&', static_cast<char>(55 + n)};
  return " ";
}

void TMRUManager::AddMenuItem(TMenuItem* Item) {
  recentMenu_->Add(Item);
  items_.push_back(Item);
}

void TMRUManager::RebuildRecentMenu() {
  ClearRecentMenu();
  if (!recentMenu_) return;
  if (strings_->Count() > 0 && recentMenu_->Count() > 0) {
    auto* line = new TMenuItem(nullptr);
    line->SetCaption("-");
    AddMenuItem(line);
  }
  for (int i = 0; i < strings_->Count(); ++i) {
    if (separateSize_ > 0 && i > 0 && i % separateSize_ == 0) {
      auto* line = new TMenuItem(nullptr);
      line->SetCaption("-");
      AddMenuItem(line);
    }
    std::string caption = FileNameToText(strings_->Get(i));
    TShortCut shortCut = scNone;
    DoGetItemData(caption, shortCut, strings_->UserValue(i));
    const std::size_t bar = caption.find('|');
    auto* item = new TMenuItem(nullptr);
    std::string shown = caption.substr(0, bar);
    item->SetHint(bar == std::string::npos ? caption : caption.substr(bar + 1));
    if (showAccelChar_) shown = AccelPrefix(i) + (accelDelimiter_ == adTab ? '\t' : ' ') + shown;
    item->SetCaption(shown);
    item->SetShortCut(shortCut);
    item->OnClick = TNotifyEvent(this, &TMRUManager::MenuItemClick);
    item->Tag = i;
    AddMenuItem(item);
  }
  UpdateRecentMenuEnabled();
}

void TMRUManager::MenuItemClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item || item->Tag < 0 || item->Tag >= strings_->Count()) return;
  const int index = item->Tag;
  // The removal runs also when the handler raises; it takes whatever name stands there by then.
  struct RemoveAfter {
    TMRUManager* manager;
    int index;
    ~RemoveAfter() {
      if (manager->RemoveOnSelect && index < manager->strings_->Count())
        manager->RemoveRecent(manager->strings_->Get(index));
    }
  } removeAfter{this, index};
  DoClick(strings_->Get(index), item->Caption(), strings_->UserValue(index));
}

void TMRUManager::DoGetItemData(std::string& Caption, TShortCut& ShortCut, std::int32_t UserData) {
  Fire(OnGetItemData, this, Caption, ShortCut, UserData);
}

void TMRUManager::DoClick(const std::string& RecentName, const std::string& Caption, std::int32_t UserData) {
  Fire(OnClick, this, RecentName, Caption, UserData);
}

// ---------------------------------------------------------------------------------------------------
// Storage through the placement's link

std::string TMRUManager::StorageSection() const { return iniLink_->GetLinkSection() + DefaultSectionName(const_cast<TMRUManager*>(this)); }

void TMRUManager::IniSave(TObject*) {
  if (Name().empty() || !iniLink_->GetOpenStorage()) return;
  SaveRecentList(iniLink_->GetOpenStorage(), StorageSection());
}

void TMRUManager::IniLoad(TObject*) {
  if (Name().empty() || !iniLink_->GetOpenStorage()) return;
  LoadRecentList(iniLink_->GetOpenStorage(), StorageSection());
}

namespace {
std::string ItemName(int Index) { return "Item_" + std::to_string(Index); }
std::string UserName(int Index) { return "User_" + std::to_string(Index); }
}  // namespace

void TMRUManager::SaveRecentList(TObject* Storage, const std::string& Section) {
  StorageEraseSection(Storage, Section);
  for (int i = 0; i < strings_->Count(); ++i) DoWriteItem(Storage, Section, i, strings_->Get(i), strings_->UserValue(i));
}

void TMRUManager::DoWriteItem(TObject* IniFile, const std::string& Section, int Index, const std::string& RecentName,
                              std::int32_t UserData) {
  if (OnWriteItem) {
    OnWriteItem(this, IniFile, Section, Index, RecentName, UserData);
    return;
  }
  StorageWriteString(IniFile, Section, ItemName(Index), RecentName);
  if (UserData != 0)
    StorageWriteInteger(IniFile, Section, UserName(Index), UserData);
  else
    StorageDeleteKey(IniFile, Section, UserName(Index));
}

void TMRUManager::LoadRecentList(TObject* Storage, const std::string& Section) {
  struct Restore {
    TRecentStrings& strings;
    TRecentMode mode;
    ~Restore() {
      strings.Mode = mode;
      strings.EndUpdate();
    }
  } restore{*strings_, strings_->Mode};
  strings_->BeginUpdate();
  strings_->Clear();
  strings_->Mode = rmInsert;
  for (int n = Capacity() - 1; n >= 0; --n) {
    std::string name;
    std::int32_t userData = 0;
    DoReadItem(Storage, Section, n, name, userData);
    if (!name.empty()) AddRecent(name, userData);
  }
}

void TMRUManager::DoReadItem(TObject* IniFile, const std::string& Section, int Index, std::string& RecentName,
                             std::int32_t& UserData) {
  if (OnReadItem) {
    OnReadItem(this, IniFile, Section, Index, RecentName, UserData);
    return;
  }
  RecentName = StoredFileName(StorageReadString(IniFile, Section, ItemName(Index), ""));
  UserData = StorageReadInteger(IniFile, Section, UserName(Index), 0);
}
