#pragma once
// The common controls of the class library: tool bar with tool buttons, page control with tab sheets
// and the status bar with its panels.
#include <memory>
#include <string>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/ImgList.h"
#include "vcl/ShortCuts.h"
#include "vcl/StdCtrls.h"

class TPageControl;
class TStatusBar;

// ---------------------------------------------------------------------------------------------------
// Tool bar

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;

class TToolButton : public TWinControl {
 public:
  explicit TToolButton(TComponent* AOwner);
  std::string ClassName() const override { return "TToolButton"; }

  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  // The pressed look of a check button.
  bool Down() const { return down_; }
  void SetDown(bool Value);
  void SetHint(const std::string& Value);
  TToolBar* ToolBar() const;
  bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }

  // Toggles a check button's Down, then fires OnClick.
  void Click() override;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;

 private:
  friend class TToolBar;
  void UpdateWidget();
  TToolButtonStyle style_ = tbsButton;
  int imageIndex_ = -1;
  bool down_ = false;
};

// Lays its buttons out from the left in the order they were put on it.
class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;
  std::string ClassName() const override { return "TToolBar"; }

  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  int ButtonWidth() const { return buttonWidth_; }
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonSize(int AWidth, int AHeight);
  TImageList* Images() const { return images_.Images(); }
  void SetImages(TImageList* Value);
  int ButtonCount() const;
  TToolButton* Buttons(int Index) const;

 protected:
  void AlignControls(TRect& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ImagesChanged();
  bool flat_ = false;
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  TImageLink images_;
};

// ---------------------------------------------------------------------------------------------------
// Page control

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  std::string ClassName() const override { return "TTabSheet"; }

  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* Value);
  int PageIndex() const;
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool Value);

 protected:
  void TextChanged() override;

 private:
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  std::string ClassName() const override { return "TPageControl"; }

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int Index) const { return pages_.at(static_cast<size_t>(Index)); }
  TTabSheet* ActivePage() const { return activePage_; }
  // Shows the page; OnChange is only for the user's choice.
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Index);
  // Picks a page as a click on its tab does: OnChanging may refuse, then OnChange follows.
  void SelectPageByUser(int Index);

  TNotifyEvent OnChange;
  TEvent<void(TObject* Sender, bool& AllowChange)> OnChanging;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;
  void AlignControls(TRect& Rect) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void UpdateTabs();
  int TabBarHeight() const;
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
  bool updatingTabs_ = false;
};

// ---------------------------------------------------------------------------------------------------
// Status bar

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel {
 public:
  explicit TStatusPanel(TStatusBar* owner) : owner_(owner) {}
  const std::string& Text() const { return text_; }
  void SetText(const std::string& Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel Value);

 private:
  TStatusBar* owner_;
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  TStatusPanelBevel bevel_ = pbLowered;
};

class TStatusPanels {
 public:
  explicit TStatusPanels(TStatusBar* owner) : owner_(owner) {}
  int Count() const { return static_cast<int>(panels_.size()); }
  TStatusPanel* Items(int Index) const { return panels_.at(static_cast<size_t>(Index)).get(); }
  TStatusPanel* operator[](int Index) const { return Items(Index); }
  TStatusPanel* Add();
  void Clear();

 private:
  TStatusBar* owner_;
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
};

class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;
  std::string ClassName() const override { return "TStatusBar"; }

  TStatusPanels* Panels() const { return panels_.get(); }
  // One panel over the whole width showing SimpleText instead of the panels.
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool Value);
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& Value);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool Value);

  // The rectangles the panels take in the client area (the last one may be cut off).
  TRect PanelRect(int Index) const;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void FontChanged() override;

 private:
  friend class TStatusPanel;
  friend class TStatusPanels;
  friend class TStatusBarWidget;
  void PanelsChanged() { Invalidate(); }
  std::unique_ptr<TStatusPanels> panels_;
  bool simplePanel_ = false;
  std::string simpleText_;
  bool sizeGrip_ = true;
};

// ---------------------------------------------------------------------------------------------------
// Hot-key field

enum class THKInvalidKey { hcNone, hcShift, hcCtrl, hcAlt, hcShiftCtrl, hcShiftAlt, hcCtrlAlt, hcShiftCtrlAlt };
using THKInvalidKeys = TSet<THKInvalidKey>;
enum class THKModifier { hkShift, hkCtrl, hkAlt, hkExt };
using THKModifiers = TSet<THKModifier>;

// Shows a short-cut and takes the next key pressed in it as the new one. A key whose modifiers form
// one of InvalidKeys gets Modifiers instead, or is refused when Modifiers is empty; Backspace or Del
// alone clears it.
class THotKey : public TWinControl {
 public:
  explicit THotKey(TComponent* AOwner);
  std::string ClassName() const override { return "THotKey"; }

  TShortCut HotKey() const { return hotKey_; }
  void SetHotKey(TShortCut Value);
  THKInvalidKeys InvalidKeys{THKInvalidKey::hcNone, THKInvalidKey::hcShift};
  THKModifiers Modifiers{THKModifier::hkAlt};
  // A key as the user presses it; what the field keeps follows the rules above.
  void PressKey(WORD Key, TShiftState Shift);
  TNotifyEvent OnChange;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  void ShowHotKey();
  // The short-cut the key makes in the field, or 0 when the field refuses it.
  TShortCut Recorded(WORD Key, TShiftState Shift) const;
  TShortCut hotKey_ = 0;
};
