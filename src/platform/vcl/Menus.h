#pragma once
// Menus of the class library: menu items in a tree, the main menu of a form and popup menus. An item
// with children opens a submenu; its OnClick runs as the submenu opens (the place where items are
// enabled), and also before a short-cut of one of its items is carried out. Menu short-cuts are
// looked up before the focused control sees the key.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Controls.h"
#include "vcl/ImgList.h"
#include "vcl/ShortCuts.h"

class QAction;
class QActionGroup;
class QMenu;
class TMenu;
class TMenuBarControl;

class EMenuError : public Exception {
  using Exception::Exception;
};

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  // Frees the children and leaves the parent item.
  ~TMenuItem() override;
  std::string ClassName() const override { return "TMenuItem"; }

  // "-" makes a separator line; "&" marks the accelerator.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& Value);
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the radio items of the same group among its siblings.
  void SetChecked(bool Value);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool Value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const { return items_.at(static_cast<size_t>(Index)); }
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out of this one without freeing it.
  void Remove(TMenuItem* Item);
  void Delete(int Index);
  // Frees every child.
  void Clear();
  // The child whose caption, without its "&" marks, is Caption (ignoring case), or nullptr.
  TMenuItem* Find(const std::string& ACaption) const;
  // The menu (main or popup) at the root of this item's tree, or nullptr.
  TMenu* GetParentMenu() const;

  // Fires OnClick when the item is enabled.
  virtual void Click();
  TNotifyEvent OnClick;

 private:
  friend class TMenu;
  friend QAction* ActionOf(TMenuItem* Item);
  friend QMenu* SubMenuOf(TMenuItem* Item);
  // The item's action, and the submenu while it has children.
  QAction* Action();
  QMenu* SubMenu();
  void ChildrenChanged();
  void UpdateAction();
  void UncheckGroupSiblings();
  // The Qt group that shows this item's radio items of one group index as one choice.
  QActionGroup* RadioGroup(int Index);
  void Triggered();
  void AboutToShow();

  std::string caption_;
  TShortCut shortCut_ = 0;
  std::string hint_;
  int imageIndex_ = -1;
  bool checked_ = false;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item only
  std::vector<TMenuItem*> items_;
  std::unique_ptr<QAction> action_;
  std::unique_ptr<QMenu> subMenu_;
  std::map<int, std::unique_ptr<QActionGroup>> radioGroups_;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  std::string ClassName() const override { return "TMenu"; }

  // The invisible root whose children are the menu's items.
  TMenuItem* Items() const { return items_.get(); }
  TImageList* Images() const { return images_.Images(); }
  void SetImages(TImageList* Value);

  // The first item (depth first) with this short-cut, or nullptr.
  TMenuItem* FindItemByShortCut(TShortCut ShortCut) const;
  // Runs the OnClick of every menu above the item with this short-cut, from the top down, then the
  // item's own when it is enabled and has one; true when an item was clicked.
  bool IsShortCut(TShortCut ShortCut);
  // Pushes image changes into the items' actions.
  void ImagesChanged();

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::unique_ptr<TMenuItem> items_;
  TImageLink images_;
};

// The menu bar of a form. It sits on top of the form's client area; its short-cuts work while any
// control of the form has the focus.
class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;
  std::string ClassName() const override { return "TMainMenu"; }

  // Puts the menu bar on a form (nullptr takes it away).
  void SetWindow(TWinControl* Form);
  TWinControl* Window() const { return window_; }
  // The bar's top-level items are rebuilt from the tree.
  void Rebuild();

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TWinControl* window_ = nullptr;
  TMenuBarControl* bar_ = nullptr;  // owned by this component
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  std::string ClassName() const override { return "TPopupMenu"; }

  // Fires OnPopup (the place where items are enabled), then shows the menu at a screen point.
  virtual void Popup(int X, int Y);
  // The control the menu was opened over.
  TControl* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TControl* Value) { popupComponent_ = Value; }
  bool AutoPopup = true;
  TPopupAlignment Alignment = paLeft;
  TNotifyEvent OnPopup;

 private:
  TControl* popupComponent_ = nullptr;
};

// A menu item made in code: caption, short-cut, click handler, enabled and checked state.
TMenuItem* NewItem(TComponent* AOwner, const std::string& ACaption, TShortCut AShortCut, bool AChecked,
                   bool AEnabled, TNotifyEvent AOnClick, const std::string& AName);
TMenuItem* NewLine(TComponent* AOwner);
// Caption without its "&" marks ("&&" stays one "&").
std::string StripHotkey(const std::string& Text);
