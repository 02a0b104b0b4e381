#include "support/WndHook.h"

#include <algorithm>

#include "vcl/Application.h"
#include "vcl/Forms.h"
#include "win/WinUser.h"

namespace {

std::unique_ptr<THookList>& HookListSlot() {
  static std::unique_ptr<THookList> list;
  return list;
}

THookList& TheHookList() {
  auto& list = HookListSlot();
  if (!list) list = std::make_unique<THookList>();
  return *list;
}

LPARAM HookParam(TControlHook* Hook) { return reinterpret_cast<LPARAM>(Hook); }

}  // namespace

THookList* HookList() { return HookListSlot().get(); }

// ---------------------------------------------------------------------------------------------------
// TOmWindowHook

TOmWindowHook::TOmWindowHook(TComponent* AOwner) : TComponent(AOwner) { active_ = true; }

TOmWindowHook::~TOmWindowHook() {
  SetActive(false);
  SetWinControl(nullptr);
}

void TOmWindowHook::SetActive(bool Value) {
  if (!Value) {
    if (controlHook_) controlHook_->RemoveHook(this);
    active_ = false;
    return;
  }
  active_ = true;
  if (control_ && !IsDestroying() && !controlHook_) TheHookList().GetControlHook(control_)->AddHook(this);
}

TWinControl* TOmWindowHook::WinControl() const { return controlHook_ ? controlHook_->Control() : control_; }

void TOmWindowHook::SetWinControl(TWinControl* Value) {
  if (Value == WinControl()) return;
  const bool wasActive = active_;
  TControlHook* old = controlHook_;
  SetActive(false);
  if (control_) RemoveFreeNotification(control_);
  control_ = Value;
  if (control_) control_->FreeNotification(this);
  // The old TControlHook goes later: its control's message may still be running through it.
  if (old && old->HookCount() == 0 && HookList()) PostMessage(HookList()->Handle(), CM_DESTROYHOOK, 0, HookParam(old));
  if (wasActive) SetActive(true);
}

bool TOmWindowHook::IsForm() const {
  return WinControl() && WinControl() == Owner() && dynamic_cast<TCustomForm*>(Owner());
}

void TOmWindowHook::SetIsForm(bool Value) {
  if (auto* form = dynamic_cast<TCustomForm*>(Owner()); Value && form) SetWinControl(form);
}

void TOmWindowHook::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && (AComponent == WinControl() || AComponent == Owner() || !Owner()))
    SetWinControl(nullptr);
}

void TOmWindowHook::DoAfterMessage(TMessage& Msg, bool& Handled) { Fire(AfterMessage, this, Msg, Handled); }
void TOmWindowHook::DoBeforeMessage(TMessage& Msg, bool& Handled) { Fire(BeforeMessage, this, Msg, Handled); }

// ---------------------------------------------------------------------------------------------------
// TControlHook

TControlHook::TControlHook() : newWndProc_(MakeObjectInstance(TWndMethod(this, &TControlHook::WndProc))) {}

TControlHook::~TControlHook() {
  destroying_ = true;
  while (!hooks_.empty()) RemoveHook(hooks_.back());
}

void TControlHook::SetControl(TWinControl* Value) {
  if (Value == control_) return;
  UnhookControl();
  control_ = Value;
  if (!hooks_.empty()) HookControl();
}

void TControlHook::AddHook(TOmWindowHook* Hook) {
  if (std::find(hooks_.begin(), hooks_.end(), Hook) == hooks_.end()) hooks_.push_back(Hook);
  Hook->controlHook_ = this;
  SetControl(Hook->control_);
  HookControl();
}

void TControlHook::RemoveHook(TOmWindowHook* Hook) {
  Hook->controlHook_ = nullptr;
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), Hook), hooks_.end());
  if (hooks_.empty()) UnhookControl();
}

void TControlHook::HookControl() {
  if (!control_ || control_->IsDesigning() || control_->IsDestroying() || destroying_) return;
  const HWND window = control_->Handle();
  const WNDPROC current = GetWindowProc(window);
  if (current == newWndProc_) return;
  prevWndProc_ = current;
  SetWindowProc(window, newWndProc_);
}

void TControlHook::UnhookControl() {
  // With no previous procedure nothing is installed, so the control is not looked at at all.
  if (control_ && prevWndProc_ && control_->HandleAllocated() && GetWindowProc(control_->Handle()) == newWndProc_)
    SetWindowProc(control_->Handle(), prevWndProc_);
  prevWndProc_ = nullptr;
}

void TControlHook::WndProc(TMessage& Msg) {
  bool handled = false;
  if (!control_) return;
  if (Msg.Msg != WM_QUIT) NotifyHooks(false, Msg, handled);
  if (!handled || Msg.Msg == WM_DESTROY) {
    const HWND window = control_->Handle();
    // Without a previous procedure (another procedure above kept this one in the chain after it
    // was taken out) the control's own still gets the message.
    const WNDPROC next = prevWndProc_ ? prevWndProc_ : WNDPROC(control_, &TWinControl::OwnWindowProc);
    try {
      Msg.Result = CallWindowProc(next, window, Msg.Msg, Msg.WParam, Msg.LParam);
    } catch (...) {
      NotifyHooks(true, Msg, handled);
      throw;
    }
    NotifyHooks(true, Msg, handled);
  }
  if (Msg.Msg == WM_DESTROY) {
    UnhookControl();
    if (HookList() && !destroying_ && !control_->IsDestroying())
      PostMessage(HookList()->Handle(), CM_RECREATEWINDOW, 0, HookParam(this));
  }
}

void TControlHook::NotifyHooks(bool After, TMessage& Msg, bool& Handled) {
  if (hooks_.empty() || !control_ || destroying_ || control_->IsDestroying()) return;
  // By index: a handler may detach hooks.
  for (int i = HookCount() - 1; i >= 0; --i) {
    if (i >= HookCount()) continue;
    TOmWindowHook* hook = hooks_[static_cast<size_t>(i)];
    try {
      if (After)
        hook->DoAfterMessage(Msg, Handled);
      else
        hook->DoBeforeMessage(Msg, Handled);
    } catch (...) {
      Application->HandleException(hook);
    }
    if (Handled) break;
  }
}

// ---------------------------------------------------------------------------------------------------
// THookList

THookList::THookList() : handle_(AllocateHWnd(TWndMethod(this, &THookList::WndProc))) {}

THookList::~THookList() {
  while (!items_.empty()) FreeControlHook(items_.back().get());
  DeallocateHWnd(handle_);
}

TControlHook* THookList::FindControlHook(TWinControl* Control) const {
  if (!Control) return nullptr;
  for (const auto& item : items_)
    if (item->Control() == Control) return item.get();
  return nullptr;
}

TControlHook* THookList::GetControlHook(TWinControl* Control) {
  if (TControlHook* found = FindControlHook(Control)) return found;
  items_.push_back(std::make_unique<TControlHook>());
  TControlHook* hook = items_.back().get();
  try {
    hook->SetControl(Control);
  } catch (...) {
    FreeControlHook(hook);
    throw;
  }
  return hook;
}

bool THookList::Contains(const TControlHook* Hook) const {
  return std::any_of(items_.begin(), items_.end(), [Hook](const auto& item) { return item.get() == Hook; });
}

void THookList::FreeControlHook(TControlHook* Hook) {
  auto found = std::find_if(items_.begin(), items_.end(), [Hook](const auto& item) { return item.get() == Hook; });
  if (found == items_.end()) return;
  const std::unique_ptr<TControlHook> going = std::move(*found);
  items_.erase(found);
}

void THookList::WndProc(TMessage& Msg) {
  // Only the pointer is compared until it is known to be in the list: a stale message finds nothing.
  auto* hook = reinterpret_cast<TControlHook*>(Msg.LParam);
  CallHandler(this, [&] {
    switch (Msg.Msg) {
      case CM_RECREATEWINDOW:
        // A TControlHook whose hooks all went has nothing to install.
        if (Contains(hook) && hook->HookCount() > 0) hook->HookControl();
        break;
      case CM_DESTROYHOOK:
        if (Contains(hook) && hook->HookCount() == 0) FreeControlHook(hook);
        break;
      default:
        break;
    }
  });
}
