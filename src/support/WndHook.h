#pragma once
// TOmWindowHook lets a component see the messages of one windowed control before and after the
// control's own window procedure handles them, by replacing the window's procedure. Several hooks
// on one control share one TControlHook; all of those live in the process-wide THookList, whose
// hidden window takes the work that must wait until the current message is done.
#include <memory>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Controls.h"

class TControlHook;

using THookMessageEvent = TEvent<void(TObject* Sender, TMessage& Msg, bool& Handled)>;

class TOmWindowHook : public TComponent {
 public:
  explicit TOmWindowHook(TComponent* AOwner);
  ~TOmWindowHook() override;
  std::string ClassName() const override { return "TOmWindowHook"; }

  // Attached to the control's TControlHook.
  bool Active() const { return active_; }
  void SetActive(bool Value);
  TWinControl* WinControl() const;
  void SetWinControl(TWinControl* Value);
  // The hook watches its owner form; a form description keeps this instead of a reference.
  bool IsForm() const;
  void SetIsForm(bool Value);

  THookMessageEvent BeforeMessage;
  THookMessageEvent AfterMessage;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void DoAfterMessage(TMessage& Msg, bool& Handled);
  virtual void DoBeforeMessage(TMessage& Msg, bool& Handled);

 private:
  friend class TControlHook;
  TWinControl* control_ = nullptr;       // the watched control while not attached
  TControlHook* controlHook_ = nullptr;  // while attached
  bool active_ = false;
};

class TControlHook : public TObject {
 public:
  TControlHook();
  ~TControlHook() override;
  std::string ClassName() const override { return "TControlHook"; }

  TWinControl* Control() const { return control_; }
  void SetControl(TWinControl* Value);
  int HookCount() const { return static_cast<int>(hooks_.size()); }
  // Appends the hook and puts the replacement procedure on the control's window.
  void AddHook(TOmWindowHook* Hook);
  // The last hook to go takes the replacement procedure away.
  void RemoveHook(TOmWindowHook* Hook);
  void HookControl();
  // Never overwrites a procedure somebody else put above this one.
  void UnhookControl();

 private:
  void WndProc(TMessage& Msg);
  void NotifyHooks(bool After, TMessage& Msg, bool& Handled);

  TWinControl* control_ = nullptr;
  WNDPROC newWndProc_;
  WNDPROC prevWndProc_;
  std::vector<TOmWindowHook*> hooks_;  // in the order of attaching
  bool destroying_ = false;
};

class THookList : public TObject {
 public:
  THookList();
  ~THookList() override;
  std::string ClassName() const override { return "THookList"; }

  int Count() const { return static_cast<int>(items_.size()); }
  // nullptr for no control or none made for it.
  TControlHook* FindControlHook(TWinControl* Control) const;
  TControlHook* GetControlHook(TWinControl* Control);
  HWND Handle() const { return handle_; }

 private:
  bool Contains(const TControlHook* Hook) const;
  void FreeControlHook(TControlHook* Hook);
  void WndProc(TMessage& Msg);

  std::vector<std::unique_ptr<TControlHook>> items_;
  HWND handle_ = nullptr;
};

// The process's list; nullptr before the first hook attaches.
THookList* HookList();

// Messages to the list's window; the TControlHook is the LParam.
inline constexpr UINT CM_RECREATEWINDOW = 0xB052;   // the window was recreated: install again
inline constexpr UINT CM_DESTROYHOOK = 0xB053;      // free it when no hook uses it any more
