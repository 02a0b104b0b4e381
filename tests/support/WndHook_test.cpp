#include "support/WndHook.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/TestApp.h"
#include "vcl/Application.h"
#include "vcl/Forms.h"
#include "win/WinUser.h"

namespace {

using corvane::test::EnsureApplication;
using corvane::test::PumpPosted;
using Log = std::vector<std::string>;

constexpr UINT kProbe = WM_USER + 1;

// Notes the messages its own window procedure gets.
class TRecordingControl : public TWinControl {
 public:
  TRecordingControl(TComponent* AOwner, Log& log) : TWinControl(AOwner), log_(log) {}

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == kProbe || Message.Msg == WM_DESTROY || Message.Msg == WM_QUIT) {
      log_.push_back("control");
      Message.Result = 42;
      return;
    }
    TWinControl::WndProc(Message);
  }

 private:
  Log& log_;
};

class WndHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    owner_ = std::make_unique<TComponent>(nullptr);
    control_ = new TRecordingControl(owner_.get(), log_);
  }

  // A hook that notes its calls as "<name>:before" / "<name>:after" and sets Handled in the
  // phases listed.
  TOmWindowHook* AddHook(const std::string& name, TWinControl* control, Log handledIn = {}) {
    auto* hook = new TOmWindowHook(owner_.get());
    auto note = [this, name, handledIn](const std::string& phase, bool& handled) {
      log_.push_back(name + ":" + phase);
      if (std::find(handledIn.begin(), handledIn.end(), phase) != handledIn.end()) handled = true;
    };
    hook->BeforeMessage = [note](TObject*, TMessage&, bool& handled) { note("before", handled); };
    hook->AfterMessage = [note](TObject*, TMessage&, bool& handled) { note("after", handled); };
    hook->SetWinControl(control);
    return hook;
  }

  Log Probe(UINT msg = kProbe) {
    log_.clear();
    result_ = control_->Perform(msg);
    return log_;
  }

  Log log_;
  LRESULT result_ = 0;
  std::unique_ptr<TComponent> owner_;
  TRecordingControl* control_ = nullptr;
};

TEST_F(WndHookTest, TheLaterHookHearsFirstAndAHandledMessageGoesNoFurther) {
  struct Case {
    std::string handler;
    Log expected;
    LRESULT result;
  };
  const Case cases[] = {
      {"", {"h2:before", "h1:before", "control", "h2:after", "h1:after"}, 42},
      {"h2", {"h2:before"}, 0},
      {"h1", {"h2:before", "h1:before"}, 0},
  };
  for (const Case& c : cases) {
    TOmWindowHook* h1 = AddHook("h1", control_, c.handler == "h1" ? Log{"before"} : Log{});
    TOmWindowHook* h2 = AddHook("h2", control_, c.handler == "h2" ? Log{"before"} : Log{});
    EXPECT_EQ(Probe(), c.expected) << c.handler;
    EXPECT_EQ(result_, c.result) << c.handler;
    delete h2;
    delete h1;
  }
  EXPECT_EQ(Probe(), Log{"control"});
}

TEST_F(WndHookTest, AfterStopsAtTheFirstHookThatHandles) {
  AddHook("h1", control_);
  AddHook("h2", control_, {"after"});
  EXPECT_EQ(Probe(), (Log{"h2:before", "h1:before", "control", "h2:after"}));
}

TEST_F(WndHookTest, QuitGetsNoBeforeNotification) {
  AddHook("h1", control_);
  EXPECT_EQ(Probe(WM_QUIT), (Log{"control", "h1:after"}));
}

TEST_F(WndHookTest, DestroyHandledBeforeStillReachesTheControlAndItsAfterOnlyTheLastHook) {
  AddHook("h1", control_);
  AddHook("h2", control_, {"before"});
  EXPECT_EQ(Probe(WM_DESTROY), (Log{"h2:before", "control", "h2:after"}));
  // The window is taken to be going: the procedure comes back only from the message loop.
  EXPECT_EQ(Probe(), Log{"control"});
  PumpPosted();
  EXPECT_EQ(Probe(), (Log{"h2:before"}));
}

TEST_F(WndHookTest, ARecreatedWindowIsHookedAgainFromTheMessageLoop) {
  AddHook("h1", control_);
  control_->RecreateWnd();
  EXPECT_EQ(Probe(), Log{"control"});
  PumpPosted();
  EXPECT_EQ(Probe(), (Log{"h1:before", "control", "h1:after"}));
}

TEST_F(WndHookTest, UnhookingUnderAnotherReplacementLeavesItsProcedureInPlace) {
  TOmWindowHook* hook = AddHook("h1", control_);
  const HWND window = control_->Handle();
  // Shared, not on this stack: the replacement still runs when the control is destroyed after the test.
  const auto saved = std::make_shared<WNDPROC>();
  const WNDPROC other = MakeObjectInstance([this, saved, window](TMessage& m) {
    log_.push_back("other");
    m.Result = CallWindowProc(*saved, window, m.Msg, m.WParam, m.LParam);
  });
  *saved = SetWindowProc(window, other);
  hook->SetActive(false);
  EXPECT_TRUE(GetWindowProc(window) == other);
  // The chain still ends at the control's own procedure.
  EXPECT_EQ(Probe(), (Log{"other", "control"}));
  EXPECT_EQ(result_, 42);
}

TEST_F(WndHookTest, AnInactiveHookHearsNothingAndKeepsItsControl) {
  TOmWindowHook* hook = AddHook("h1", control_);
  hook->SetActive(false);
  EXPECT_EQ(Probe(), Log{"control"});
  EXPECT_EQ(hook->WinControl(), control_);
  hook->SetActive(true);
  EXPECT_EQ(Probe(), (Log{"h1:before", "control", "h1:after"}));
}

TEST_F(WndHookTest, AMovedHookFreesTheOldControlHookLaterAndOnlyWhenNobodyUsesIt) {
  auto* other = new TRecordingControl(owner_.get(), log_);
  TOmWindowHook* h1 = AddHook("h1", control_);
  TOmWindowHook* h2 = AddHook("h2", control_);
  TControlHook* shared = HookList()->FindControlHook(control_);
  ASSERT_NE(shared, nullptr);
  h1->SetWinControl(other);
  PumpPosted();
  EXPECT_EQ(HookList()->FindControlHook(control_), shared);
  EXPECT_EQ(Probe(), (Log{"h2:before", "control", "h2:after"}));

  h2->SetWinControl(other);
  EXPECT_EQ(HookList()->FindControlHook(control_), shared);
  PumpPosted();
  EXPECT_EQ(HookList()->FindControlHook(control_), nullptr);
  EXPECT_EQ(Probe(), Log{"control"});
  log_.clear();
  other->Perform(kProbe);
  EXPECT_EQ(log_, (Log{"h2:before", "h1:before", "control", "h2:after", "h1:after"}));
}

TEST_F(WndHookTest, AHandlersExceptionGoesToTheApplicationAndTheMessageGoesOn) {
  std::string reported;
  Application->OnException = [&](TObject*, Exception* e) { reported = e->Message; };
  TOmWindowHook* h1 = AddHook("h1", control_);
  TOmWindowHook* h2 = AddHook("h2", control_);
  h2->BeforeMessage = [](TObject*, TMessage&, bool&) { throw Exception("hook failed"); };
  EXPECT_EQ(Probe(), (Log{"h1:before", "control", "h2:after", "h1:after"}));
  EXPECT_EQ(reported, "hook failed");
  Application->OnException = nullptr;
  delete h1;
}

TEST_F(WndHookTest, AFreedControlLeavesItsHooksWatchingNothing) {
  TOmWindowHook* hook = AddHook("h1", control_);
  TWinControl* gone = control_;
  delete control_;
  control_ = nullptr;
  EXPECT_EQ(hook->WinControl(), nullptr);
  EXPECT_TRUE(hook->Active());
  PumpPosted();
  EXPECT_EQ(HookList()->FindControlHook(gone), nullptr);
}

TEST(WndHookForm, AHookOnItsOwnFormIsKeptAsIsForm) {
  EnsureApplication();
  TForm form(nullptr);
  auto* hook = new TOmWindowHook(&form);
  EXPECT_FALSE(hook->IsForm());
  hook->SetIsForm(true);
  EXPECT_EQ(hook->WinControl(), &form);
  EXPECT_TRUE(hook->IsForm());
  int sizeQueries = 0;
  hook->AfterMessage = [&](TObject*, TMessage& m, bool&) { sizeQueries += m.Msg == WM_GETMINMAXINFO; };
  form.UpdateSizeLimits();
  EXPECT_EQ(sizeQueries, 1);
}

}  // namespace
