#include "support/AppEvents.h"

#include <algorithm>

#include "vcl/Forms.h"
#include "win/Gdi.h"

namespace {

std::unique_ptr<TAppEventList>& AppEventListSlot() {
  static std::unique_ptr<TAppEventList> list;
  return list;
}

// The application window stands minimized when the main form is.
bool ApplicationMinimized() {
  TCustomForm* form = Application->MainForm();
  return form && form->WindowState() == wsMinimized;
}

}  // namespace

TAppEventList* AppEventList() { return AppEventListSlot().get(); }

// ---------------------------------------------------------------------------------------------------
// TAppEvents

TAppEvents::TAppEvents(TComponent* AOwner) : TComponent(AOwner) {
  auto& relay = AppEventListSlot();
  if (!relay) relay = std::make_unique<TAppEventList>();
  if (Running()) Application->HookMainWindow(TWindowHook(this, &TAppEvents::AppWindowHook));
  relay->AddEvents(this);
}

TAppEvents::~TAppEvents() {
  if (Running()) Application->UnhookMainWindow(TWindowHook(this, &TAppEvents::AppWindowHook));
  if (TAppEventList* relay = AppEventList()) relay->RemoveEvents(this);
}

void TAppEvents::Loaded() {
  TComponent::Loaded();
  if (Running()) PushToApplication();
}

void TAppEvents::PushToApplication() const {
  Application->HintColor = hintColor_;
  Application->HintPause = hintPause_;
  Application->ShowHint = showHint_;
  Application->HintShortPause = hintShortPause_;
  Application->HintHidePause = hintHidePause_;
  Application->ShowMainForm = showMainForm_;
  Application->UpdateFormatSettings = updateFormatSettings_;
  Application->UpdateMetricSettings = updateMetricSettings_;
  Application->HintShortCuts = hintShortCuts_;
  Application->BiDiMode = biDiMode_;
  Mouse->DragImmediate = mouseDragImmediate_;
  Mouse->DragThreshold = mouseDragThreshold_;
  Application->BiDiKeyboard = biDiKeyboard_;
  Application->NonBiDiKeyboard = nonBiDiKeyboard_;
}

namespace {

// A property reads the stored value while designing, else the application's; a write stores it
// and, at run time, sets it on the application at once.
template <class T>
T ReadProperty(bool running, const T& target, const T& field) {
  return running ? target : field;
}
template <class T>
void WriteProperty(bool running, T& target, T& field, const T& value) {
  field = value;
  if (running) target = value;
}

}  // namespace

TColor TAppEvents::HintColor() const { return ReadProperty(Running(), Application->HintColor, hintColor_); }
void TAppEvents::SetHintColor(TColor Value) { WriteProperty(Running(), Application->HintColor, hintColor_, Value); }
int TAppEvents::HintPause() const { return ReadProperty(Running(), Application->HintPause, hintPause_); }
void TAppEvents::SetHintPause(int Value) { WriteProperty(Running(), Application->HintPause, hintPause_, Value); }
bool TAppEvents::ShowHint() const { return ReadProperty(Running(), Application->ShowHint, showHint_); }
void TAppEvents::SetShowHint(bool Value) { WriteProperty(Running(), Application->ShowHint, showHint_, Value); }
bool TAppEvents::UpdateFormatSettings() const {
  return ReadProperty(Running(), Application->UpdateFormatSettings, updateFormatSettings_);
}
void TAppEvents::SetUpdateFormatSettings(bool Value) {
  WriteProperty(Running(), Application->UpdateFormatSettings, updateFormatSettings_, Value);
}
int TAppEvents::HintShortPause() const { return ReadProperty(Running(), Application->HintShortPause, hintShortPause_); }
void TAppEvents::SetHintShortPause(int Value) {
  WriteProperty(Running(), Application->HintShortPause, hintShortPause_, Value);
}
int TAppEvents::HintHidePause() const { return ReadProperty(Running(), Application->HintHidePause, hintHidePause_); }
void TAppEvents::SetHintHidePause(int Value) { WriteProperty(Running(), Application->HintHidePause, hintHidePause_, Value); }
bool TAppEvents::ShowMainForm() const { return ReadProperty(Running(), Application->ShowMainForm, showMainForm_); }
void TAppEvents::SetShowMainForm(bool Value) { WriteProperty(Running(), Application->ShowMainForm, showMainForm_, Value); }
bool TAppEvents::UpdateMetricSettings() const {
  return ReadProperty(Running(), Application->UpdateMetricSettings, updateMetricSettings_);
}
void TAppEvents::SetUpdateMetricSettings(bool Value) {
  WriteProperty(Running(), Application->UpdateMetricSettings, updateMetricSettings_, Value);
}
bool TAppEvents::HintShortCuts() const { return ReadProperty(Running(), Application->HintShortCuts, hintShortCuts_); }
void TAppEvents::SetHintShortCuts(bool Value) { WriteProperty(Running(), Application->HintShortCuts, hintShortCuts_, Value); }
TBiDiMode TAppEvents::BiDiMode() const { return ReadProperty(Running(), Application->BiDiMode, biDiMode_); }
void TAppEvents::SetBiDiMode(TBiDiMode Value) { WriteProperty(Running(), Application->BiDiMode, biDiMode_, Value); }
bool TAppEvents::MouseDragImmediate() const { return ReadProperty(Running(), Mouse->DragImmediate, mouseDragImmediate_); }
void TAppEvents::SetMouseDragImmediate(bool Value) {
  WriteProperty(Running(), Mouse->DragImmediate, mouseDragImmediate_, Value);
}
int TAppEvents::MouseDragThreshold() const { return ReadProperty(Running(), Mouse->DragThreshold, mouseDragThreshold_); }
void TAppEvents::SetMouseDragThreshold(int Value) {
  WriteProperty(Running(), Mouse->DragThreshold, mouseDragThreshold_, Value);
}
std::string TAppEvents::BiDiKeyboard() const { return ReadProperty(Running(), Application->BiDiKeyboard, biDiKeyboard_); }
void TAppEvents::SetBiDiKeyboard(const std::string& Value) {
  WriteProperty(Running(), Application->BiDiKeyboard, biDiKeyboard_, Value);
}
std::string TAppEvents::NonBiDiKeyboard() const {
  return ReadProperty(Running(), Application->NonBiDiKeyboard, nonBiDiKeyboard_);
}
void TAppEvents::SetNonBiDiKeyboard(const std::string& Value) {
  WriteProperty(Running(), Application->NonBiDiKeyboard, nonBiDiKeyboard_, Value);
}

TCanvas* TAppEvents::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>();
  return canvas_.get();
}

bool TAppEvents::AppWindowHook(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (!OnPaintIcon || !ApplicationMinimized()) return false;
      PaintAppIcon();
      return true;
    case WM_WININICHANGE:
      CallHandler(this, [this] { DoSettingsChanged(); });
      return false;
    default:
      return false;
  }
}

void TAppEvents::PaintAppIcon() {
  TCustomForm* form = Application->MainForm();
  TImageDC dc(std::max(form ? form->Width() : 0, 1), std::max(form ? form->Height() : 0, 1));
  // The canvas drawn on is this paint's alone, and goes with it, also on an error.
  struct FreeCanvas {
    std::unique_ptr<TCanvas>& canvas;
    ~FreeCanvas() { canvas.reset(); }
  } freeCanvas{canvas_};
  canvas_ = std::make_unique<TCanvas>();
  canvas_->SetHandle(&dc);
  canvas_->Brush()->SetColor(clBackground);
  canvas_->FillRect(Rect(0, 0, dc.Width(), dc.Height()));
  Fire(OnPaintIcon, this);
}

void TAppEvents::DoSettingsChanged() { Fire(OnSettingsChanged, this); }

// ---------------------------------------------------------------------------------------------------
// TAppEventList

TAppEventList::~TAppEventList() {
  if (hooked_) ClearEvents();
  list_.clear();
}

void TAppEventList::AddEvents(TAppEvents* Events) {
  if (std::find(list_.begin(), list_.end(), Events) == list_.end()) list_.push_back(Events);
  if (Events->IsDesigning()) return;
  if (list_.size() == 1) {
    SaveEvents();
    hooked_ = true;
  }
}

void TAppEventList::RemoveEvents(TAppEvents* Events) {
  list_.erase(std::remove(list_.begin(), list_.end(), Events), list_.end());
  // The handlers saved at the start are not put back: the slots are left empty.
  if (!Events->IsDesigning() && list_.empty() && hooked_) ClearEvents();
}

void TAppEventList::SaveEvents() {
  TApplication& app = *Application;
  saveActionExecute_ = app.OnActionExecute;
  saveActionUpdate_ = app.OnActionUpdate;
  saveException_ = app.OnException;
  saveMessage_ = app.OnMessage;
  saveHelp_ = app.OnHelp;
  saveHint_ = app.OnHint;
  saveIdle_ = app.OnIdle;
  saveDeactivate_ = app.OnDeactivate;
  saveActivate_ = app.OnActivate;
  saveMinimize_ = app.OnMinimize;
  saveRestore_ = app.OnRestore;
  saveShortCut_ = app.OnShortCut;
  saveShowHint_ = app.OnShowHint;
  saveActiveControlChange_ = Screen->OnActiveControlChange;
  saveActiveFormChange_ = Screen->OnActiveFormChange;
  app.OnActionExecute = TActionEvent(this, &TAppEventList::DoActionExecute);
  app.OnActionUpdate = TActionEvent(this, &TAppEventList::DoActionUpdate);
  app.OnException = TExceptionEvent(this, &TAppEventList::DoException);
  app.OnMessage = TMessageEvent(this, &TAppEventList::DoMessage);
  app.OnHelp = THelpEvent(this, &TAppEventList::DoHelp);
  app.OnHint = TNotifyEvent(this, &TAppEventList::DoHint);
  app.OnIdle = TIdleEvent(this, &TAppEventList::DoIdle);
  app.OnDeactivate = TNotifyEvent(this, &TAppEventList::DoDeactivate);
  app.OnActivate = TNotifyEvent(this, &TAppEventList::DoActivate);
  app.OnMinimize = TNotifyEvent(this, &TAppEventList::DoMinimize);
  app.OnRestore = TNotifyEvent(this, &TAppEventList::DoRestore);
  app.OnShortCut = TShortCutEvent(this, &TAppEventList::DoShortCut);
  app.OnShowHint = TShowHintEvent(this, &TAppEventList::DoShowHint);
  Screen->OnActiveControlChange = TNotifyEvent(this, &TAppEventList::DoActiveControlChange);
  Screen->OnActiveFormChange = TNotifyEvent(this, &TAppEventList::DoActiveFormChange);
}

void TAppEventList::ClearEvents() {
  TApplication& app = *Application;
  app.OnActionExecute = nullptr;
  app.OnActionUpdate = nullptr;
  app.OnException = nullptr;
  app.OnMessage = nullptr;
  app.OnHelp = nullptr;
  app.OnHint = nullptr;
  app.OnIdle = nullptr;
  app.OnDeactivate = nullptr;
  app.OnActivate = nullptr;
  app.OnMinimize = nullptr;
  app.OnRestore = nullptr;
  app.OnShortCut = nullptr;
  app.OnShowHint = nullptr;
  Screen->OnActiveControlChange = nullptr;
  Screen->OnActiveFormChange = nullptr;
}

template <class Handler>
bool TAppEventList::Walk(Handler&& handler) {
  // By index: a handler may free instances.
  for (int i = Count() - 1; i >= 0; --i) {
    if (i >= Count()) continue;
    TAppEvents& events = *list_[static_cast<size_t>(i)];
    if (!handler(events) || !events.Chained) return false;
  }
  return true;
}

void TAppEventList::DoActionExecute(TObject* Action, bool& Handled) {
  if (Walk([&](TAppEvents& e) {
        Fire(e.OnActionExecute, Action, Handled);
        return !Handled;
      }))
    Fire(saveActionExecute_, Action, Handled);
}

void TAppEventList::DoActionUpdate(TObject* Action, bool& Handled) {
  if (Walk([&](TAppEvents& e) {
        Fire(e.OnActionUpdate, Action, Handled);
        return !Handled;
      }))
    Fire(saveActionUpdate_, Action, Handled);
}

void TAppEventList::DoMessage(TMsg& Msg, bool& Handled) {
  if (Walk([&](TAppEvents& e) {
        Fire(e.OnMessage, Msg, Handled);
        return !Handled;
      }))
    Fire(saveMessage_, Msg, Handled);
}

void TAppEventList::DoShortCut(WORD Key, TShiftState Shift, bool& Handled) {
  if (Walk([&](TAppEvents& e) {
        Fire(e.OnShortCut, Key, Shift, Handled);
        return !Handled;
      }))
    Fire(saveShortCut_, Key, Shift, Handled);
}

void TAppEventList::DoException(TObject* Sender, Exception* E) {
  bool called = false;
  const bool passed = Walk([&](TAppEvents& e) {
    if (e.OnException) {
      e.OnException(Sender, E);
      called = true;
    }
    return true;
  });
  if (passed && saveException_) {
    saveException_(Sender, E);
    called = true;
  }
  if (!called) Application->ShowException(E);
}

bool TAppEventList::DoHelp(WORD Command, int Data, bool& CallHelp) {
  bool result = false;
  const bool passed = Walk([&](TAppEvents& e) {
    if (e.OnHelp) result = e.OnHelp(Command, Data, CallHelp);
    return true;
  });
  if (passed && saveHelp_) result = saveHelp_(Command, Data, CallHelp);
  return result;
}

void TAppEventList::DoIdle(TObject* Sender, bool& Done) {
  if (Walk([&](TAppEvents& e) {
        Fire(e.OnIdle, Sender, Done);
        return true;
      }))
    Fire(saveIdle_, Sender, Done);
}

void TAppEventList::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
  if (Walk([&](TAppEvents& e) {
        Fire(e.OnShowHint, HintStr, CanShow, HintInfo);
        return true;
      }))
    Fire(saveShowHint_, HintStr, CanShow, HintInfo);
}

void TAppEventList::RelayNotify(TNotifyEvent TAppEvents::*Event, const TNotifyEvent& Saved, TObject* Sender) {
  if (Walk([&](TAppEvents& e) {
        Fire(e.*Event, Sender);
        return true;
      }))
    Fire(Saved, Sender);
}

void TAppEventList::DoActivate(TObject* Sender) { RelayNotify(&TAppEvents::OnActivate, saveActivate_, Sender); }
void TAppEventList::DoDeactivate(TObject* Sender) { RelayNotify(&TAppEvents::OnDeactivate, saveDeactivate_, Sender); }
void TAppEventList::DoHint(TObject* Sender) { RelayNotify(&TAppEvents::OnHint, saveHint_, Sender); }
void TAppEventList::DoMinimize(TObject* Sender) { RelayNotify(&TAppEvents::OnMinimize, saveMinimize_, Sender); }
void TAppEventList::DoRestore(TObject* Sender) { RelayNotify(&TAppEvents::OnRestore, saveRestore_, Sender); }
void TAppEventList::DoActiveControlChange(TObject* Sender) {
  RelayNotify(&TAppEvents::OnActiveControlChange, saveActiveControlChange_, Sender);
}
void TAppEventList::DoActiveFormChange(TObject* Sender) {
  RelayNotify(&TAppEvents::OnActiveFormChange, saveActiveFormChange_, Sender);
}
