#pragma once
// TMRUManager keeps a bounded list of recently used file names, each with an integer user value, shows
// them as menu items under a given menu item (as the names read), reports a click on one, and stores the
// list in a form placement's storage while the placement commits or restores.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/Placement.h"
#include "vcl/Classes.h"
#include "vcl/Menus.h"

enum TRecentMode { rmInsert, rmAppend };
enum TAccelDelimiter { adTab, adSpace };

// Names with their user values (kept in the entries' object slots), newest first (rmInsert) or last
// (rmAppend), never more than MaxSize; a name added again moves instead of growing the list.
class TRecentStrings : public TStringList {
 public:
  TRecentStrings() = default;
  std::string ClassName() const override { return "TRecentStrings"; }

  int MaxSize() const { return maxSize_; }
  TRecentMode Mode = rmInsert;

  // The entry's new index: 0 (rmInsert) or the last (rmAppend). A listed name, in any letter case,
  // moves there keeping its first spelling.
  int Add(const std::string& S) override;
  // Add, then the entry's user value is AObject's.
  int AddObject(const std::string& S, TObject* AObject) override;
  // At most MaxSize entries of Strings, its first entry ending nearest the top.
  void AddStrings(TStrings* Strings) override;
  void Remove(const std::string& S);
  // Below 1 becomes 1.
  void SetCapacity(int Value);
  // Drops the oldest entries beyond MaxSize.
  void TrimToCapacity();

  std::int32_t UserValue(int Index) const;

 private:
  int maxSize_ = 10;
};

// A user value as the object slot of an entry holds it.
TObject* UserValueObject(std::int32_t Value);

using TClickMenuEvent =
    TEvent<void(TObject* Sender, const std::string& RecentName, const std::string& Caption, std::int32_t UserData)>;
using TGetItemEvent = TEvent<void(TObject* Sender, std::string& Caption, TShortCut& ShortCut, std::int32_t UserData)>;
using TReadItemEvent = TEvent<void(TObject* Sender, TObject* IniFile, const std::string& Section, int Index,
                                   std::string& RecentName, std::int32_t& UserData)>;
using TWriteItemEvent = TEvent<void(TObject* Sender, TObject* IniFile, const std::string& Section, int Index,
                                    const std::string& RecentName, std::int32_t UserData)>;

class TMRUManager : public TComponent {
 public:
  explicit TMRUManager(TComponent* AOwner);
  ~TMRUManager() override;
  std::string ClassName() const override { return "TMRUManager"; }

  TAccelDelimiter AccelDelimiter() const { return accelDelimiter_; }
  void SetAccelDelimiter(TAccelDelimiter Value);
  // The recent menu item is enabled exactly when it has children.
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool Value);
  // The menu is rebuilt on every change of the list.
  bool AutoUpdate = true;
  int Capacity() const { return strings_->MaxSize(); }
  void SetCapacity(int Value) { strings_->SetCapacity(Value); }
  TRecentMode Mode() const { return strings_->Mode; }
  void SetMode(TRecentMode Value) { strings_->Mode = Value; }
  bool RemoveOnSelect = false;
  TFormPlacement* IniStorage() const { return iniLink_->Placement(); }
  void SetIniStorage(TFormPlacement* Value) { iniLink_->AttachToPlacement(Value); }
  // A separator line before every SeparateSize-th entry; 0 means none.
  std::uint16_t SeparateSize() const { return separateSize_; }
  void SetSeparateSize(std::uint16_t Value);
  TMenuItem* RecentMenu() const { return recentMenu_; }
  void SetRecentMenu(TMenuItem* Value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  std::uint32_t StartAccel() const { return startAccel_; }
  void SetStartAccel(std::uint32_t Value);

  TRecentStrings* Strings() const { return strings_.get(); }

  void AddRecent(const std::string& RecentName, std::int32_t UserData = 0);
  void RemoveRecent(const std::string& RecentName);
  void RebuildRecentMenu();

  TNotifyEvent OnChange;
  TClickMenuEvent OnClick;
  TGetItemEvent OnGetItemData;
  TReadItemEvent OnReadItem;
  TWriteItemEvent OnWriteItem;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void DoChange();
  // Reads one stored entry (OnReadItem instead, when it is set); a name an earlier build stored as
  // code-page text comes back as the name of the file it meant.
  virtual void DoReadItem(TObject* IniFile, const std::string& Section, int Index, std::string& RecentName,
                          std::int32_t& UserData);
  // Writes one stored entry (OnWriteItem instead, when it is set).
  virtual void DoWriteItem(TObject* IniFile, const std::string& Section, int Index, const std::string& RecentName,
                           std::int32_t UserData);
  virtual void DoGetItemData(std::string& Caption, TShortCut& ShortCut, std::int32_t UserData);
  virtual void DoClick(const std::string& RecentName, const std::string& Caption, std::int32_t UserData);

 private:
  void ListChanged(TObject* Sender);
  void MenuItemClick(TObject* Sender);
  void ClearRecentMenu();
  void UpdateRecentMenuEnabled();
  void AddMenuItem(TMenuItem* Item);
  std::string AccelPrefix(int Index) const;
  std::string StorageSection() const;
  void IniSave(TObject* Sender);
  void IniLoad(TObject* Sender);
  void SaveRecentList(TObject* Storage, const std::string& Section);
  void LoadRecentList(TObject* Storage, const std::string& Section);

  std::unique_ptr<TRecentStrings> strings_;
  std::vector<TMenuItem*> items_;  // the items made here; their parent menu item owns them
  std::unique_ptr<TIniLink> iniLink_;
  TMenuItem* recentMenu_ = nullptr;
  TAccelDelimiter accelDelimiter_ = adTab;
  bool autoEnable_ = true;
  std::uint16_t separateSize_ = 0;
  bool showAccelChar_ = true;
  std::uint32_t startAccel_ = 1;
};
