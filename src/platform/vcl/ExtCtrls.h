#pragma once
// A timer and a panel.
#include <memory>
#include <string>

#include "vcl/Controls.h"
#include "vcl/StdCtrls.h"

class QTimer;

// Fires OnTimer every Interval milliseconds while Enabled, from the message loop.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  std::string ClassName() const override { return "TTimer"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned Value);
  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  std::unique_ptr<QTimer> timer_;
};

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A container with a bevelled edge and a caption in its middle.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* AOwner);
  std::string ClassName() const override { return "TPanel"; }

  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel Value);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel Value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void TextChanged() override;
  void FontChanged() override;

 private:
  friend class TPanelWidget;
  TPanelBevel bevelOuter_ = bvRaised;
  TPanelBevel bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  TAlignment alignment_ = taCenter;
};
