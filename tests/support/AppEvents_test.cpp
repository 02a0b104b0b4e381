#include "support/AppEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QTest>
#include <QWidget>

#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "vcl/Dialogs.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace {

using corvane::test::EnsureApplication;
using Log = std::vector<std::string>;

class AppEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    owner_ = std::make_unique<TComponent>(nullptr);
  }

  TAppEvents* Make(const std::string& name, bool chained = true) {
    auto* events = new TAppEvents(owner_.get());
    events->SetName(name);
    events->Chained = chained;
    events->OnHint = [this, name](TObject*) { log_.push_back(name); };
    events->OnMessage = [this, name](TMsg&, bool& handled) {
      log_.push_back(name);
      handled = name == handler_;
    };
    events->OnIdle = [this, name](TObject*, bool& done) {
      log_.push_back(name);
      done = true;
    };
    return events;
  }

  Log log_;
  std::string handler_;  // the instance that marks the message handled
  std::unique_ptr<TComponent> owner_;
};

TEST_F(AppEventsTest, EventsGoNewestFirstThenToTheApplicationsOwnHandler) {
  Application->OnHint = [this](TObject*) { log_.push_back("saved"); };
  Application->OnIdle = [this](TObject*, bool&) { log_.push_back("saved"); };
  Make("old");
  Make("new");
  Application->OnHint(Application);
  EXPECT_EQ(log_, (Log{"new", "old", "saved"}));
  // A var argument that is no Handled flag does not stop the walk.
  log_.clear();
  bool done = false;
  Application->OnIdle(Application, done);
  EXPECT_EQ(log_, (Log{"new", "old", "saved"}));
}

TEST_F(AppEventsTest, AnUnchainedInstanceIsTheLastToHear) {
  Application->OnHint = [this](TObject*) { log_.push_back("saved"); };
  Make("old");
  Make("new", false);
  Application->OnHint(Application);
  EXPECT_EQ(log_, Log{"new"});
}

TEST_F(AppEventsTest, AHandledMessageStopsTheWalk) {
  struct Case {
    std::string handler;
    Log expected;
  };
  const Case cases[] = {{"", {"new", "old", "saved"}}, {"new", {"new"}}, {"old", {"new", "old"}}};
  Application->OnMessage = [this](TMsg&, bool&) { log_.push_back("saved"); };
  Make("old");
  Make("new");
  for (const Case& c : cases) {
    log_.clear();
    handler_ = c.handler;
    TMsg msg;
    bool handled = false;
    Application->OnMessage(msg, handled);
    EXPECT_EQ(log_, c.expected) << c.handler;
    EXPECT_EQ(handled, !c.handler.empty());
  }
}

TEST_F(AppEventsTest, AnExceptionNobodyHandlesIsShownByTheStandardDisplay) {
  Log shown;
  const TDialogHookScope boxes([&](TDialogRequest& request) {
    shown.push_back(request.Text);
    return IDOK;
  });
  TAppEvents* events = Make("only");
  Exception error("Disk full");
  Application->OnException(Application, &error);
  EXPECT_EQ(shown, Log{"Disk full."});

  std::string caught;
  events->OnException = [&](TObject*, Exception* e) { caught = e->Message; };
  Application->OnException(Application, &error);
  EXPECT_EQ(caught, "Disk full");
  EXPECT_EQ(shown.size(), 1u);
}

TEST_F(AppEventsTest, HelpAnswersWithTheLastHandlerCalled) {
  Application->OnHelp = nullptr;
  TAppEvents* older = Make("old");
  TAppEvents* newer = Make("new");
  bool callHelp = true;
  EXPECT_FALSE(Application->OnHelp(0, 0, callHelp));
  newer->OnHelp = [](WORD, int, bool&) { return true; };
  EXPECT_TRUE(Application->OnHelp(0, 0, callHelp));
  older->OnHelp = [](WORD, int, bool&) { return false; };
  EXPECT_FALSE(Application->OnHelp(0, 0, callHelp));
}

TEST_F(AppEventsTest, TheLastInstanceToGoLeavesEverySlotEmpty) {
  Application->OnHint = [this](TObject*) { log_.push_back("saved"); };
  Application->OnException = [](TObject*, Exception*) {};
  Make("a");
  Make("b");
  owner_.reset();
  EXPECT_EQ(AppEventList()->Count(), 0);
  EXPECT_FALSE(Application->OnHint);
  EXPECT_FALSE(Application->OnException);
  EXPECT_FALSE(Application->OnMessage);
  EXPECT_FALSE(Application->OnShowHint);
  EXPECT_FALSE(Screen->OnActiveControlChange);
  EXPECT_FALSE(Screen->OnActiveFormChange);
}

TEST_F(AppEventsTest, AFinishedWindowSetsTheApplicationToTheComponentsValues) {
  Application->HintPause = 1;
  Application->HintShortPause = 1;
  Application->HintHidePause = 1;
  Mouse->DragThreshold = 1;
  {
    TForm form(nullptr);
    auto* events = new TAppEvents(&form);
    form.AfterConstruction();
    EXPECT_EQ(Application->HintPause, 500);
    EXPECT_EQ(Application->HintShortPause, 50);
    EXPECT_EQ(Application->HintHidePause, 2500);
    EXPECT_EQ(Mouse->DragThreshold, 5);
    EXPECT_EQ(Application->HintColor, clInfoBk);
    // At run time the properties are the application's.
    events->SetHintPause(800);
    EXPECT_EQ(Application->HintPause, 800);
    Application->HintHidePause = 9000;
    EXPECT_EQ(events->HintHidePause(), 9000);
  }
  Application->HintPause = 500;
  Application->HintHidePause = 2500;
}

TEST_F(AppEventsTest, TheApplicationWindowsSettingsAndIconPaintsReachTheHandlers) {
  TAppEvents* events = Make("only");
  int settings = 0;
  events->OnSettingsChanged = [&](TObject*) {
    ++settings;
    throw Exception("settings handler failed");
  };
  std::string caught;
  events->OnException = [&](TObject*, Exception* e) { caught = e->Message; };
  TMessage change{WM_WININICHANGE, 0, 0, 0};
  EXPECT_FALSE(Application->DispatchToHooks(change));
  EXPECT_EQ(settings, 1);
  EXPECT_EQ(caught, "settings handler failed");

  bool drew = false;
  events->OnPaintIcon = [&](TObject*) { drew = events->Canvas()->HandleAllocated(); };
  TMessage paint{WM_PAINT, 0, 0, 0};
  EXPECT_FALSE(Application->DispatchToHooks(paint));  // not minimized: the icon is not painted
  TForm form(nullptr);
  form.AfterConstruction();
  TCustomForm* previous = Application->MainForm();
  Application->SetMainForm(&form);
  form.StoreWindowState(wsMinimized);
  EXPECT_TRUE(Application->DispatchToHooks(paint));
  EXPECT_TRUE(drew);
  Application->SetMainForm(previous);
}

// The application window's own events come from the desktop through Qt: a change of the desktop's
// colours, the keyboard moving to another control, and the main window going to an icon and back.
TEST_F(AppEventsTest, TheDesktopsEventsReachTheRelay) {
  char name[] = "corvane-test";
  char* argv[] = {name, nullptr};
  Application->Initialize(1, argv);  // as a program starts: from here the application hears Qt
  TAppEvents* events = Make("only");
  Log heard;
  events->OnSettingsChanged = [&](TObject*) { heard.push_back("settings"); };
  events->OnMinimize = [&](TObject*) { heard.push_back("minimize"); };
  events->OnRestore = [&](TObject*) { heard.push_back("restore"); };
  int controlChanges = 0;
  events->OnActiveControlChange = [&](TObject*) { ++controlChanges; };

  const QPalette palette = QApplication::palette();
  QPalette changed(palette);
  changed.setColor(QPalette::Window, Qt::darkCyan);
  QApplication::setPalette(changed);
  QApplication::setPalette(palette);
  EXPECT_EQ(heard, (Log{"settings", "settings"}));

  heard.clear();
  TForm form(nullptr);
  auto* first = new TEdit(&form);
  first->SetParent(&form);
  auto* second = new TEdit(&form);
  second->SetParent(&form);
  second->SetTop(40);
  form.AfterConstruction();
  TCustomForm* previous = Application->MainForm();
  Application->SetMainForm(&form);
  form.Show();
  QWidget* window = WidgetOf(&form);
  QApplication::setActiveWindow(window);
  QTest::mouseClick(WidgetOf(first), Qt::LeftButton);
  controlChanges = 0;
  QTest::mouseClick(WidgetOf(second), Qt::LeftButton);
  EXPECT_EQ(controlChanges, 1);

  window->setWindowState(Qt::WindowMinimized);
  window->setWindowState(Qt::WindowNoState);
  EXPECT_EQ(heard, (Log{"minimize", "restore"}));
  Application->SetMainForm(previous);
}

}  // namespace
