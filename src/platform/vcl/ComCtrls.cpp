#include "vcl/ComCtrls.h"

#include <QContextMenuEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QToolButton>
#include <QWidget>
#include <qdrawutil.h>

#include <algorithm>

#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "qt/WidgetRelay.h"
#include "vcl/Application.h"
#include "vcl/ImgList.h"

// ---------------------------------------------------------------------------------------------------
// TToolButton

namespace {
constexpr int kSeparatorWidth = 8;
}

TToolButton::TToolButton(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 23, 22); }

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

std::unique_ptr<QWidget> TToolButton::CreateWidget(QWidget* ParentWidget) {
  if (IsSeparator()) {
    auto line = std::make_unique<QFrame>(ParentWidget);
    if (style_ == tbsDivider) line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    return line;
  }
  auto button = std::make_unique<QToolButton>(ParentWidget);
  button->setFocusPolicy(Qt::NoFocus);  // a tool bar's buttons never take the keyboard from the window
  return button;
}

void TToolButton::CreateWnd() {
  TWidgetRelay::Attach(this);
  if (auto* button = qobject_cast<QToolButton*>(WidgetOf(this)))
    QObject::connect(button, &QToolButton::clicked, [this] { CallHandler(this, [this] { Click(); }); });
  UpdateWidget();
}

void TToolButton::UpdateWidget() {
  auto* button = qobject_cast<QToolButton*>(WidgetIfAllocated(this));
  if (!button) return;
  const TToolBar* bar = ToolBar();
  button->setAutoRaise(bar && bar->Flat());
  button->setCheckable(style_ == tbsCheck);
  button->setChecked(down_);
  button->setToolTip(ToQString(GetShortHint(Hint)));
  if (bar && bar->Images() && imageIndex_ >= 0) {
    button->setIcon(ImageIcon(*bar->Images(), imageIndex_));
    button->setIconSize(QSize(bar->Images()->Width(), bar->Images()->Height()));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  } else {
    button->setIcon(QIcon());
    button->setText(ToQString(Caption()));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  }
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (style_ == Value) return;
  const bool wasSeparator = IsSeparator();
  style_ = Value;
  if (wasSeparator != IsSeparator()) RecreateWnd();
  if (Parent()) Parent()->Realign();
  UpdateWidget();
}

void TToolButton::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  UpdateWidget();
}

void TToolButton::SetDown(bool Value) {
  if (down_ == Value) return;
  down_ = Value;
  UpdateWidget();
}

void TToolButton::SetHint(const std::string& Value) {
  Hint = Value;
  UpdateWidget();
}

void TToolButton::Click() {
  if (style_ == tbsCheck) SetDown(!down_);
  TWinControl::Click();
}

// ---------------------------------------------------------------------------------------------------
// TToolBar

TToolBar::TToolBar(TComponent* AOwner)
    : TWinControl(AOwner), images_(this, [this](TObject*) { ImagesChanged(); }) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, buttonHeight_ + 4);
  SetAlign(alTop);
}

TToolBar::~TToolBar() { SetImages(nullptr); }

void TToolBar::SetFlat(bool Value) {
  flat_ = Value;
  ImagesChanged();
}

void TToolBar::SetButtonSize(int AWidth, int AHeight) {
  buttonWidth_ = AWidth;
  buttonHeight_ = AHeight;
  SetHeight(AHeight + 4);
  Realign();
}

void TToolBar::SetImages(TImageList* Value) {
  if (images_.Set(Value)) ImagesChanged();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (images_.Freed(AComponent, Operation)) ImagesChanged();
}

void TToolBar::ImagesChanged() {
  for (int i = 0; i < ButtonCount(); ++i) Buttons(i)->UpdateWidget();
}

int TToolBar::ButtonCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TToolButton*>(Controls(i))) ++count;
  return count;
}

TToolButton* TToolBar::Buttons(int Index) const {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* button = dynamic_cast<TToolButton*>(Controls(i)); button && Index-- == 0) return button;
  return nullptr;
}

void TToolBar::AlignControls(TRect& R) {
  int x = R.Left + 1;
  const int y = R.Top + 2;
  for (int i = 0; i < ButtonCount(); ++i) {
    TToolButton* button = Buttons(i);
    if (!button->Visible()) continue;
    const int width = button->IsSeparator() ? kSeparatorWidth : buttonWidth_;
    button->SetBounds(x, y, width, buttonHeight_);
    button->UpdateWidget();
    x += width;
  }
  TWinControl::AlignControls(R);
}

// ---------------------------------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clBtnFace);
  SetVisible(false);
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (pageControl_ == Value) return;
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = Value;
  if (pageControl_) pageControl_->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
  if (tabVisible_ == Value) return;
  tabVisible_ = Value;
  if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::TextChanged() {
  if (pageControl_) pageControl_->UpdateTabs();
}

// ---------------------------------------------------------------------------------------------------
// TPageControl

namespace {
QTabBar* TabBarOf(QWidget* widget) { return widget ? widget->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr; }
}  // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 289, 193);
  TabStop = true;
}

TPageControl::~TPageControl() {
  while (!pages_.empty()) pages_.back()->SetPageControl(nullptr);
}

std::unique_ptr<QWidget> TPageControl::CreateWidget(QWidget* ParentWidget) {
  auto widget = MakeBridgeWidget(this, ParentWidget);
  auto* tabs = new QTabBar(widget.get());
  tabs->setDrawBase(true);
  tabs->setExpanding(false);
  return widget;
}

void TPageControl::CreateWnd() {
  QTabBar* tabs = TabBarOf(WidgetOf(this));
  QObject::connect(tabs, &QTabBar::currentChanged, [this](int index) {
    if (!updatingTabs_) CallHandler(this, [&] { SelectPageByUser(index); });
  });
  UpdateTabs();
}

int TPageControl::TabBarHeight() const {
  QTabBar* tabs = TabBarOf(WidgetIfAllocated(this));
  return tabs ? tabs->sizeHint().height() : 21;
}

void TPageControl::InsertPage(TTabSheet* Page) {
  pages_.push_back(Page);
  Page->SetParent(this);
  if (!activePage_) SetActivePage(Page);
  UpdateTabs();
  Realign();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), Page), pages_.end());
  if (activePage_ == Page) {
    activePage_ = nullptr;
    if (!pages_.empty()) SetActivePage(pages_.front());
  }
  if (Page->Parent() == this) Page->SetParent(nullptr);
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  QTabBar* tabs = TabBarOf(WidgetIfAllocated(this));
  if (!tabs) return;
  updatingTabs_ = true;
  while (tabs->count() > 0) tabs->removeTab(0);
  for (TTabSheet* page : pages_) {
    const int index = tabs->addTab(ToQString(page->Caption()));
    tabs->setTabVisible(index, page->TabVisible());
  }
  tabs->setCurrentIndex(ActivePageIndex());
  tabs->setGeometry(0, 0, std::max(Width(), 1), tabs->sizeHint().height());
  updatingTabs_ = false;
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->PageControl() != this) return;
  activePage_ = Page;
  for (TTabSheet* page : pages_) page->SetVisible(page == Page);
  if (QTabBar* tabs = TabBarOf(WidgetIfAllocated(this))) {
    updatingTabs_ = true;
    tabs->setCurrentIndex(ActivePageIndex());
    updatingTabs_ = false;
  }
  Realign();
}

int TPageControl::ActivePageIndex() const {
  auto it = std::find(pages_.begin(), pages_.end(), activePage_);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::SetActivePageIndex(int Index) {
  SetActivePage(Index >= 0 && Index < PageCount() ? pages_[static_cast<size_t>(Index)] : nullptr);
}

void TPageControl::SelectPageByUser(int Index) {
  if (Index < 0 || Index >= PageCount() || Index == ActivePageIndex()) return;
  bool allow = true;
  Fire(OnChanging, this, allow);
  if (!allow) {
    SetActivePage(activePage_);  // puts the tab back
    return;
  }
  SetActivePageIndex(Index);
  Fire(OnChange, this);
}

void TPageControl::AlignControls(TRect& R) {
  const int top = TabBarHeight();
  if (QTabBar* tabs = TabBarOf(WidgetIfAllocated(this))) tabs->setGeometry(0, 0, std::max(R.Width(), 1), top);
  for (TTabSheet* page : pages_)
    page->SetBounds(R.Left + 2, R.Top + top + 2, std::max(R.Width() - 4, 0), std::max(R.Height() - top - 4, 0));
}

// ---------------------------------------------------------------------------------------------------
// TStatusBar

void TStatusPanel::SetText(const std::string& Value) {
  if (text_ == Value) return;
  text_ = Value;
  owner_->PanelsChanged();
}

void TStatusPanel::SetWidth(int Value) {
  if (width_ == Value) return;
  width_ = Value;
  owner_->PanelsChanged();
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  owner_->PanelsChanged();
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  bevel_ = Value;
  owner_->PanelsChanged();
}

TStatusPanel* TStatusPanels::Add() {
  panels_.push_back(std::make_unique<TStatusPanel>(owner_));
  owner_->PanelsChanged();
  return panels_.back().get();
}

void TStatusPanels::Clear() {
  panels_.clear();
  owner_->PanelsChanged();
}

class TStatusBarWidget : public QWidget {
 public:
  TStatusBarWidget(TStatusBar* bar, QWidget* parent) : QWidget(parent), bar_(bar) {
    grip_ = new QSizeGrip(this);
  }

 protected:
  void resizeEvent(QResizeEvent*) override { PlaceGrip(); }

  // The bar's popup menu opens where the user asks for it (the uploader's About item lives there).
  void contextMenuEvent(QContextMenuEvent* e) override {
    if (!TWidgetRelay::RequestContextMenu(bar_, e->globalPos())) e->ignore();
  }

  void paintEvent(QPaintEvent*) override {
    PlaceGrip();
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(clBtnFace));
    painter.setPen(palette().color(QPalette::WindowText));
    if (bar_->SimplePanel()) {
      DrawPanel(painter, bar_->PanelRect(-1), bar_->SimpleText(), taLeftJustify, pbNone);
      return;
    }
    for (int i = 0; i < bar_->Panels()->Count(); ++i) {
      const TStatusPanel* panel = bar_->Panels()->Items(i);
      DrawPanel(painter, bar_->PanelRect(i), panel->Text(), panel->Alignment(), panel->Bevel());
    }
  }

 private:
  void PlaceGrip() {
    grip_->setVisible(bar_->SizeGrip());
    const QSize size = grip_->sizeHint();
    grip_->setGeometry(width() - size.width(), height() - size.height(), size.width(), size.height());
  }

  void DrawPanel(QPainter& painter, const TRect& r, const std::string& text, TAlignment alignment, TStatusPanelBevel bevel) {
    const QRect box(r.Left, r.Top, r.Width(), r.Height());
    if (box.width() <= 0) return;
    if (bevel != pbNone) qDrawShadePanel(&painter, box, palette(), bevel == pbLowered, 1);
    const QRect inner = box.adjusted(3, 1, -3, -1);
    const QString shown = painter.fontMetrics().elidedText(ToQString(text), Qt::ElideRight, inner.width());
    painter.drawText(inner, static_cast<int>(HorizontalAlignmentOf(alignment) | Qt::AlignVCenter), shown);
  }

  TStatusBar* bar_;
  QSizeGrip* grip_;
};

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), panels_(std::make_unique<TStatusPanels>(this)) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

std::unique_ptr<QWidget> TStatusBar::CreateWidget(QWidget* ParentWidget) {
  auto widget = std::make_unique<TStatusBarWidget>(this, ParentWidget);
  if (!ParentFont) widget->setFont(ToQFont(*Font()));
  return widget;
}

void TStatusBar::FontChanged() {
  if (QWidget* w = WidgetIfAllocated(this)) w->setFont(ToQFont(*Font()));
  Invalidate();
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (simplePanel_ == Value) return;
  simplePanel_ = Value;
  Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  if (simpleText_ == Value) return;
  simpleText_ = Value;
  Invalidate();
}

void TStatusBar::SetSizeGrip(bool Value) {
  sizeGrip_ = Value;
  Invalidate();
}

TRect TStatusBar::PanelRect(int Index) const {
  const int top = 2;
  const int bottom = ClientHeight();
  if (Index < 0) return Rect(0, top, ClientWidth(), bottom);
  int left = 0;
  for (int i = 0; i < Index && i < panels_->Count(); ++i) left += panels_->Items(i)->Width() + 2;
  const int width = Index < panels_->Count() ? panels_->Items(Index)->Width() : 0;
  return Rect(left, top, std::min(left + width, ClientWidth()), bottom);
}

// ---------------------------------------------------------------------------------------------------
// THotKey

namespace {

THKInvalidKey CombinationOf(TShiftState shift) {
  const bool s = shift.Contains(ssShift), c = shift.Contains(ssCtrl), a = shift.Contains(ssAlt);
  if (s && c && a) return THKInvalidKey::hcShiftCtrlAlt;
  if (c && a) return THKInvalidKey::hcCtrlAlt;
  if (s && a) return THKInvalidKey::hcShiftAlt;
  if (s && c) return THKInvalidKey::hcShiftCtrl;
  if (a) return THKInvalidKey::hcAlt;
  if (c) return THKInvalidKey::hcCtrl;
  if (s) return THKInvalidKey::hcShift;
  return THKInvalidKey::hcNone;
}

// The widget takes every key for the control instead of editing text.
class THotKeyFilter : public QObject {
 public:
  THotKeyFilter(THotKey* control, QObject* parent) : QObject(parent), control_(control) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();  // menu and window short-cuts must not take the key away
      return true;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const TShiftState shift = ShiftStateOf(key->modifiers());
    const WORD vk = VirtualKeyOf(key);
    if (vk == VK_TAB) return false;  // Tab still moves on
    CallHandler(control_, [&] { control_->PressKey(vk, shift); });
    return true;
  }

 private:
  THotKey* control_;
};

}  // namespace

THotKey::THotKey(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 19);
  TabStop = true;
}

std::unique_ptr<QWidget> THotKey::CreateWidget(QWidget* ParentWidget) {
  auto edit = std::make_unique<QLineEdit>(ParentWidget);
  edit->setReadOnly(true);
  return edit;
}

void THotKey::CreateWnd() {
  TWidgetRelay::Attach(this);
  WidgetOf(this)->installEventFilter(new THotKeyFilter(this, WidgetOf(this)));
  ShowHotKey();
}

void THotKey::ShowHotKey() {
  if (auto* edit = static_cast<QLineEdit*>(WidgetIfAllocated(this)))
    edit->setText(hotKey_ == 0 ? QString("None") : ToQString(ShortCutToText(hotKey_)));
}

void THotKey::SetHotKey(TShortCut Value) {
  if (hotKey_ == Value) return;
  hotKey_ = Value;
  ShowHotKey();
  Fire(OnChange, this);
}

void THotKey::PressKey(WORD Key, TShiftState Shift) {
  if ((Key == VK_BACK || Key == VK_DELETE) && CombinationOf(Shift) == THKInvalidKey::hcNone) {
    SetHotKey(0);
    return;
  }
  if (const TShortCut recorded = Recorded(Key, Shift)) SetHotKey(recorded);
}

TShortCut THotKey::Recorded(WORD Key, TShiftState Shift) const {
  if (Key == 0 || Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU) return 0;
  if (InvalidKeys.Contains(CombinationOf(Shift))) {
    if (Modifiers.Empty() || Modifiers == THKModifiers{THKModifier::hkExt}) return 0;
    Shift = TShiftState{};
    if (Modifiers.Contains(THKModifier::hkShift)) Shift.Include(ssShift);
    if (Modifiers.Contains(THKModifier::hkCtrl)) Shift.Include(ssCtrl);
    if (Modifiers.Contains(THKModifier::hkAlt)) Shift.Include(ssAlt);
  }
  return ShortCut(Key, Shift);
}

void THotKey::WndProc(TMessage& Message) {
  TWinControl::WndProc(Message);
  // A key the field would record is its own; any other Enter or Esc goes on to the window.
  if (Message.Msg == WM_GETDLGCODE && Recorded(static_cast<WORD>(Message.WParam), KeyDataToShiftState(0)) != 0)
    Message.Result |= DLGC_WANTALLKEYS;
}
