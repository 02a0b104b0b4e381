#include "vcl/Menus.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <algorithm>

#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/ImgList.h"

namespace {

std::vector<TMainMenu*>& MainMenus() {
  static std::vector<TMainMenu*> menus;
  return menus;
}

// Looks every key pressed in a window up in the short-cuts of the menus that belong to it before the
// focused control sees it: popup menus of the control and its parents, the application's OnShortCut,
// then the form's main menu.
class TShortCutFilter : public QObject {
 public:
  static void Install() {
    static QPointer<TShortCutFilter> filter;  // goes with the Qt application that owns it
    if (!filter && qApp) {
      filter = new TShortCutFilter(qApp);
      qApp->installEventFilter(filter);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const WORD vk = VirtualKeyOf(key);
    if (vk == 0 || vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) return false;
    const TShiftState shift = ShiftStateOf(key->modifiers());
    const TShortCut shortCut = ShortCut(vk, shift);
    auto* widget = static_cast<QWidget*>(watched);
    bool handled = false;
    CallHandler(Application, [&] {
      handled = true;  // a short-cut whose command fails has taken its key all the same
      handled = Dispatch(widget, vk, shift, shortCut);
    });
    return handled;
  }

 private:
  using QObject::QObject;

  static bool Dispatch(QWidget* widget, WORD vk, TShiftState shift, TShortCut shortCut) {
    for (TControl* c = ControlOfWidget(widget); c; c = c->Parent())
      if (TPopupMenu* popup = c->PopupMenu(); popup && popup->IsShortCut(shortCut)) return true;
    if (Application->OnShortCut) {
      bool handled = false;
      Application->OnShortCut(vk, shift, handled);
      if (handled) return true;
    }
    QWidget* window = widget->window();
    const std::vector<TMainMenu*> menus = MainMenus();
    for (TMainMenu* menu : menus)
      if (menu->Window() && WidgetIfAllocated(menu->Window()) == window && menu->IsShortCut(shortCut)) return true;
    return false;
  }
};

}  // namespace

// The bar itself: a control on top of the form's client area whose widget is Qt's menu bar.
class TMenuBarControl : public TWinControl {
 public:
  TMenuBarControl(TComponent* AOwner, TMainMenu* menu) : TWinControl(AOwner), menu_(menu) {
    // Above every other top-aligned control: its Top stays the smallest once it has a height.
    SetBounds(0, -1000, 100, 20);
    SetAlign(alTop);
  }
  std::string ClassName() const override { return "TMenuBarControl"; }

  void Fill() {
    auto* bar = static_cast<QMenuBar*>(WidgetIfAllocated(this));
    if (!bar) return;
    bar->clear();
    TMenuItem* root = menu_->Items();
    for (int i = 0; i < root->Count(); ++i) bar->addAction(ActionOf(root->Items(i)));
    SetHeight(bar->sizeHint().height());
  }

 protected:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override {
    auto bar = std::make_unique<QMenuBar>(ParentWidget);
    bar->setNativeMenuBar(false);
    return bar;
  }
  void CreateWnd() override { Fill(); }

 private:
  TMainMenu* menu_;
};

// ---------------------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  while (!items_.empty()) delete items_.back();
  subMenu_.reset();
  action_.reset();
}

QAction* TMenuItem::Action() {
  if (!action_) {
    action_ = std::make_unique<QAction>();
    QObject::connect(action_.get(), &QAction::triggered, [this] { Triggered(); });
    QObject::connect(action_.get(), &QAction::hovered, [this] { Application->SetHint(GetLongHint(hint_)); });
    UpdateAction();
  }
  return action_.get();
}

QAction* ActionOf(TMenuItem* Item) { return Item->Action(); }
QMenu* SubMenuOf(TMenuItem* Item) { return Item->SubMenu(); }

QMenu* TMenuItem::SubMenu() {
  if (!subMenu_) {
    subMenu_ = std::make_unique<QMenu>();
    QObject::connect(subMenu_.get(), &QMenu::aboutToShow, [this] { AboutToShow(); });
    QObject::connect(subMenu_.get(), &QMenu::aboutToHide, [] { Application->CancelHint(); });
    for (TMenuItem* item : items_) subMenu_->addAction(item->Action());
  }
  return subMenu_.get();
}

void TMenuItem::AboutToShow() {
  CallHandler(this, [this] { Click(); });
}

void TMenuItem::Triggered() {
  // Qt toggled the action, and the other radio items of its group; the handler decides.
  if (parent_) {
    for (TMenuItem* sibling : parent_->items_)
      if (sibling->action_) sibling->action_->setChecked(sibling->checked_);
  } else if (action_) {
    action_->setChecked(checked_);
  }
  CallHandler(this, [this] { Click(); });
}

QActionGroup* TMenuItem::RadioGroup(int Index) {
  std::unique_ptr<QActionGroup>& group = radioGroups_[Index];
  if (!group) group = std::make_unique<QActionGroup>(nullptr);  // exclusive: drawn as radio buttons
  return group.get();
}

void TMenuItem::Click() {
  if (enabled_) Fire(OnClick, this);
}

void TMenuItem::UpdateAction() {
  if (!action_) return;
  QAction* a = action_.get();
  a->setSeparator(IsLine());
  QString text = IsLine() ? QString() : ToQString(caption_);  // styles would print a separator's text
  if (shortCut_ != 0 && !IsLine()) text += '\t' + ToQString(ShortCutToText(shortCut_));
  a->setText(text);
  a->setStatusTip(ToQString(GetLongHint(hint_)));
  a->setEnabled(enabled_);
  a->setVisible(visible_);
  a->setCheckable(checked_ || radioItem_);
  a->setActionGroup(radioItem_ && parent_ ? parent_->RadioGroup(groupIndex_) : nullptr);
  a->setChecked(checked_);
  QIcon icon;
  if (TMenu* menu = GetParentMenu(); menu && menu->Images() && imageIndex_ >= 0) icon = ImageIcon(*menu->Images(), imageIndex_);
  a->setIcon(icon);
  if (!items_.empty()) a->setMenu(SubMenu());
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  UpdateAction();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (shortCut_ == Value) return;
  shortCut_ = Value;
  UpdateAction();
}

void TMenuItem::SetHint(const std::string& Value) {
  if (hint_ == Value) return;
  hint_ = Value;
  UpdateAction();
}

void TMenuItem::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  UpdateAction();
}

void TMenuItem::SetChecked(bool Value) {
  if (checked_ == Value) return;
  checked_ = Value;
  if (checked_ && radioItem_) UncheckGroupSiblings();
  UpdateAction();
}

void TMenuItem::SetRadioItem(bool Value) {
  if (radioItem_ == Value) return;
  radioItem_ = Value;
  if (checked_ && radioItem_) UncheckGroupSiblings();
  UpdateAction();
}

void TMenuItem::SetGroupIndex(int Value) {
  if (groupIndex_ == Value) return;
  groupIndex_ = Value;
  if (checked_ && radioItem_) UncheckGroupSiblings();
  UpdateAction();
}

void TMenuItem::UncheckGroupSiblings() {
  if (!parent_) return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->SetChecked(false);
}

void TMenuItem::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  UpdateAction();
}

void TMenuItem::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  UpdateAction();
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item->parent_) throw EMenuError("Menu inserted twice");
  Index = std::clamp(Index, 0, Count());
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
  Item->UpdateAction();
  ChildrenChanged();
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int index = IndexOf(Item);
  if (index < 0) throw EMenuError("Sub-menu is not in menu");
  Delete(index);
}

void TMenuItem::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
  TMenuItem* item = items_[static_cast<size_t>(Index)];
  items_.erase(items_.begin() + Index);
  item->parent_ = nullptr;
  item->UpdateAction();  // out of this item's radio groups
  ChildrenChanged();
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
  const std::string wanted = StripHotkey(ACaption);
  for (TMenuItem* item : items_)
    if (SameText(StripHotkey(item->caption_), wanted)) return item;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

void TMenuItem::ChildrenChanged() {
  if (subMenu_) {
    subMenu_->clear();
    for (TMenuItem* item : items_) subMenu_->addAction(item->Action());
  }
  if (action_) action_->setMenu(items_.empty() ? nullptr : SubMenu());
  if (!parent_ && menu_)
    if (auto* main = dynamic_cast<TMainMenu*>(menu_)) main->Rebuild();
}

// ---------------------------------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner),
      items_(std::make_unique<TMenuItem>(nullptr)),
      images_(this, [this](TObject*) { ImagesChanged(); }) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  SetImages(nullptr);
  items_.reset();
}

void TMenu::SetImages(TImageList* Value) {
  if (images_.Set(Value)) ImagesChanged();
}

void TMenu::ImagesChanged() {
  struct Walker {
    static void Update(TMenuItem* item) {
      item->UpdateAction();
      for (int i = 0; i < item->Count(); ++i) Update(item->Items(i));
    }
  };
  if (items_) Walker::Update(items_.get());
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (images_.Freed(AComponent, Operation)) ImagesChanged();
}

TMenuItem* TMenu::FindItemByShortCut(TShortCut ShortCut) const {
  struct Walker {
    static TMenuItem* Find(TMenuItem* item, TShortCut sc) {
      for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (child->ShortCut() == sc) return child;
        if (TMenuItem* found = Find(child, sc)) return found;
      }
      return nullptr;
    }
  };
  return ShortCut == 0 ? nullptr : Walker::Find(items_.get(), ShortCut);
}

bool TMenu::IsShortCut(TShortCut ShortCut) {
  TMenuItem* item = FindItemByShortCut(ShortCut);
  if (!item) return false;
  std::vector<TMenuItem*> above;
  for (TMenuItem* p = item->Parent(); p && p != items_.get(); p = p->Parent()) above.push_back(p);
  for (auto it = above.rbegin(); it != above.rend(); ++it) (*it)->Click();
  // The enabling handlers may have changed the item; a disabled one, or one that nothing handles yet,
  // lets the key through to the control.
  if (!item->Enabled() || !item->OnClick) return false;
  item->Click();
  return true;
}

// ---------------------------------------------------------------------------------------------------
// TMainMenu

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {
  MainMenus().push_back(this);
  TShortCutFilter::Install();
}

TMainMenu::~TMainMenu() {
  SetWindow(nullptr);
  auto& menus = MainMenus();
  menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
}

void TMainMenu::SetWindow(TWinControl* Form) {
  if (window_ == Form) return;
  if (window_) window_->RemoveFreeNotification(this);
  delete bar_;
  bar_ = nullptr;
  window_ = Form;
  if (!window_) return;
  window_->FreeNotification(this);
  TShortCutFilter::Install();
  bar_ = new TMenuBarControl(this, this);
  bar_->SetParent(window_);
  WidgetOf(bar_);
  bar_->Fill();
}

void TMainMenu::Rebuild() {
  if (bar_) bar_->Fill();
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == bar_) bar_ = nullptr;
  if (AComponent == window_) window_ = nullptr;
}

// ---------------------------------------------------------------------------------------------------
// TPopupMenu

namespace {
void ShowControlPopup(TPopupMenu* Menu, TControl* Control, int ScreenX, int ScreenY) {
  if (!Menu->AutoPopup) return;
  Menu->SetPopupComponent(Control);
  Menu->Popup(ScreenX, ScreenY);
}
}  // namespace

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
  SetPopupMenuHandler(&ShowControlPopup);
  TShortCutFilter::Install();
}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int X, int Y) {
  CallHandler(this, [this] { Fire(OnPopup, this); });
  // Not modal: the chosen item's click arrives from the event loop.
  SubMenuOf(Items())->popup(QPoint(X, Y));
}

// ---------------------------------------------------------------------------------------------------

TMenuItem* NewItem(TComponent* AOwner, const std::string& ACaption, TShortCut AShortCut, bool AChecked, bool AEnabled,
                   TNotifyEvent AOnClick, const std::string& AName) {
  auto* item = new TMenuItem(AOwner);
  item->SetName(AName);
  item->SetCaption(ACaption);
  item->SetShortCut(AShortCut);
  item->SetChecked(AChecked);
  item->SetEnabled(AEnabled);
  item->OnClick = std::move(AOnClick);
  return item;
}

TMenuItem* NewLine(TComponent* AOwner) {
  auto* item = new TMenuItem(AOwner);
  item->SetCaption("-");
  return item;
}

std::string StripHotkey(const std::string& Text) {
  std::string out;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&') {
      if (i + 1 < Text.size() && Text[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += Text[i];
  }
  return out;
}
