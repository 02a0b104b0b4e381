#pragma once
// TAppEvents is a component a window drops on itself to receive the application object's and the
// screen object's events, and to set the application's hint, settings-update, bidirectional and
// mouse-drag properties from its own. Any number may exist: one process-wide relay takes over the
// application's and the screen's event slots and passes each event to every instance, newest first.
#include <memory>
#include <string>
#include <vector>

#include "vcl/Application.h"
#include "vcl/Canvas.h"
#include "vcl/Classes.h"
#include "vcl/Graphics.h"

class TAppEventList;

class TAppEvents : public TComponent {
 public:
  explicit TAppEvents(TComponent* AOwner);
  ~TAppEvents() override;
  std::string ClassName() const override { return "TAppEvents"; }

  // False stops the relay at this instance: older instances and the application's previous
  // handler hear nothing.
  bool Chained = true;

  // At run time these read the application's (or the mouse object's) values and write through.
  TColor HintColor() const;
  void SetHintColor(TColor Value);
  int HintPause() const;
  void SetHintPause(int Value);
  bool ShowHint() const;
  void SetShowHint(bool Value);
  bool UpdateFormatSettings() const;
  void SetUpdateFormatSettings(bool Value);
  int HintShortPause() const;
  void SetHintShortPause(int Value);
  int HintHidePause() const;
  void SetHintHidePause(int Value);
  bool ShowMainForm() const;
  void SetShowMainForm(bool Value);
  bool UpdateMetricSettings() const;
  void SetUpdateMetricSettings(bool Value);
  bool HintShortCuts() const;
  void SetHintShortCuts(bool Value);
  TBiDiMode BiDiMode() const;
  void SetBiDiMode(TBiDiMode Value);
  bool MouseDragImmediate() const;
  void SetMouseDragImmediate(bool Value);
  int MouseDragThreshold() const;
  void SetMouseDragThreshold(int Value);
  std::string BiDiKeyboard() const;
  void SetBiDiKeyboard(const std::string& Value);
  std::string NonBiDiKeyboard() const;
  void SetNonBiDiKeyboard(const std::string& Value);

  // Valid inside OnPaintIcon, where it draws on the minimized application window.
  TCanvas* Canvas();

  TActionEvent OnActionExecute;
  TActionEvent OnActionUpdate;
  TShortCutEvent OnShortCut;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  THelpEvent OnHelp;
  TNotifyEvent OnHint;
  TMessageEvent OnMessage;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnPaintIcon;
  TNotifyEvent OnRestore;
  TShowHintEvent OnShowHint;
  TNotifyEvent OnSettingsChanged;
  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

 protected:
  void Loaded() override;
  virtual void PaintAppIcon();
  // Sees every message of the application window; true marks it handled.
  virtual bool AppWindowHook(TMessage& Message);
  virtual void DoSettingsChanged();

 private:
  bool Running() const { return !IsDesigning(); }
  void PushToApplication() const;

  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500;
  bool showHint_ = true;
  bool updateFormatSettings_ = true;
  int hintShortPause_ = 50;
  int hintHidePause_ = 2500;
  bool showMainForm_ = true;
  bool updateMetricSettings_ = true;
  bool hintShortCuts_ = true;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool mouseDragImmediate_ = true;
  int mouseDragThreshold_ = 5;
  std::string biDiKeyboard_;
  std::string nonBiDiKeyboard_;
  std::unique_ptr<TCanvas> canvas_;
};

// The relay: its dispatchers stand in the application's and the screen's event slots while
// instances are registered.
class TAppEventList : public TObject {
 public:
  TAppEventList() = default;
  ~TAppEventList() override;
  std::string ClassName() const override { return "TAppEventList"; }

  void AddEvents(TAppEvents* Events);
  void RemoveEvents(TAppEvents* Events);
  int Count() const { return static_cast<int>(list_.size()); }

 private:
  void SaveEvents();
  void ClearEvents();
  // Calls Handler on each instance from the newest; false from Handler stops the walk. True when
  // the walk passed every instance.
  template <class Handler>
  bool Walk(Handler&& handler);
  // A plain notification: each instance's Event, then the saved handler.
  void RelayNotify(TNotifyEvent TAppEvents::*Event, const TNotifyEvent& Saved, TObject* Sender);

  void DoActionExecute(TObject* Action, bool& Handled);
  void DoActionUpdate(TObject* Action, bool& Handled);
  void DoActivate(TObject* Sender);
  void DoDeactivate(TObject* Sender);
  void DoException(TObject* Sender, Exception* E);
  void DoIdle(TObject* Sender, bool& Done);
  bool DoHelp(WORD Command, int Data, bool& CallHelp);
  void DoHint(TObject* Sender);
  void DoMessage(TMsg& Msg, bool& Handled);
  void DoMinimize(TObject* Sender);
  void DoRestore(TObject* Sender);
  void DoShortCut(WORD Key, TShiftState Shift, bool& Handled);
  void DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo);
  void DoActiveControlChange(TObject* Sender);
  void DoActiveFormChange(TObject* Sender);

  std::vector<TAppEvents*> list_;  // in registration order
  bool hooked_ = false;
  TActionEvent saveActionExecute_;
  TActionEvent saveActionUpdate_;
  TExceptionEvent saveException_;
  TMessageEvent saveMessage_;
  THelpEvent saveHelp_;
  TNotifyEvent saveHint_;
  TIdleEvent saveIdle_;
  TNotifyEvent saveDeactivate_;
  TNotifyEvent saveActivate_;
  TNotifyEvent saveMinimize_;
  TNotifyEvent saveRestore_;
  TShortCutEvent saveShortCut_;
  TShowHintEvent saveShowHint_;
  TNotifyEvent saveActiveControlChange_;
  TNotifyEvent saveActiveFormChange_;
};

// The process's relay; nullptr before the first instance.
TAppEventList* AppEventList();
