#include "vcl/Forms.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>

#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "vcl/StdCtrls.h"

namespace {

using corvane::test::EnsureApplication;
using corvane::test::PumpPosted;
using corvane::test::PumpUntil;

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApplication(); }

  std::unique_ptr<TForm> NewForm() {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(40, 50, 300, 200);
    form->AfterConstruction();
    return form;
  }
};

TEST_F(FormsTest, ShowFiresOnShowBeforeTheWindowAppearsAndHideFiresOnHide) {
  auto form = NewForm();
  EXPECT_FALSE(form->Visible());
  bool visibleDuringShow = true;
  int hides = 0;
  form->OnShow = [&](TObject*) { visibleDuringShow = WidgetOf(form.get())->isVisible(); };
  form->OnHide = [&](TObject*) { ++hides; };
  form->Show();
  EXPECT_FALSE(visibleDuringShow);
  EXPECT_TRUE(WidgetOf(form.get())->isVisible());
  form->Hide();
  EXPECT_FALSE(WidgetOf(form.get())->isVisible());
  EXPECT_EQ(hides, 1);
}

TEST_F(FormsTest, CloseAsksOnCloseQueryAndFollowsTheCloseAction) {
  struct Case {
    bool canClose;
    TCloseAction action;
    bool staysVisible;
    bool freed;
  };
  const Case cases[] = {
      {false, caHide, true, false},    {true, caHide, false, false}, {true, caNone, true, false},
      {true, caMinimize, true, false}, {true, caFree, false, true},
  };
  for (const Case& c : cases) {
    auto owned = NewForm();
    TForm* form = owned.get();
    bool destroyed = false;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = c.canClose; };
    form->OnClose = [&](TObject*, TCloseAction& action) { action = c.action; };
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->Show();
    form->Close();
    if (c.freed) {
      owned.release();  // the form frees itself from the event loop
      EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
      continue;
    }
    PumpPosted();  // a release would have been posted by now
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(WidgetOf(form)->isVisible(), c.staysVisible) << c.action;
    if (c.action == caMinimize) {
      EXPECT_EQ(form->WindowState(), wsMinimized);
    }
  }
}

TEST_F(FormsTest, TheWindowsCloseRequestGoesThroughTheForm) {
  auto form = NewForm();
  form->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
  form->Show();
  WidgetOf(form.get())->close();
  EXPECT_TRUE(WidgetOf(form.get())->isVisible());
}

TEST_F(FormsTest, ClosingTheMainFormEndsTheProgram) {
  auto form = NewForm();
  static int terminations = 0;
  terminations = 0;
  TCustomForm::SetMainForm(form.get());
  TCustomForm::SetTerminateHandler([] { ++terminations; });
  form->Show();
  form->Close();
  EXPECT_EQ(terminations, 1);
  TCustomForm::SetMainForm(nullptr);
  TCustomForm::SetTerminateHandler(nullptr);
}

TEST_F(FormsTest, ShowModalRunsUntilAResultIsSet) {
  auto form = NewForm();
  QTimer::singleShot(10, [&] { form->SetModalResult(mrOk); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->Visible());
}

TEST_F(FormsTest, ClosingAModalFormGivesCancelUnlessCloseQueryRefuses) {
  auto form = NewForm();
  int queries = 0;
  form->OnCloseQuery = [&](TObject*, bool& canClose) {
    canClose = ++queries > 1;
    // Tried again once refused, as a user would: two closes arriving together are asked about once.
    if (!canClose) QTimer::singleShot(0, [&] { form->Close(); });
  };
  QTimer::singleShot(0, [&] { form->Close(); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
  EXPECT_THROW(
      {
        form->Show();
        form->ShowModal();
      },
      EInvalidOperation);
}

TEST_F(FormsTest, ScreenCentredFormIsCentredWhenShown) {
  auto form = NewForm();
  form->SetPosition(poScreenCenter);
  form->Show();
  EXPECT_EQ(form->Left(), (Screen->Width() - form->Width()) / 2);
  EXPECT_EQ(form->Top(), (Screen->Height() - form->Height()) / 2);
}

// A dialog of fixed size shows its whole title: it widens for a long one, its controls stay in its
// middle, and it stays of fixed size (so the window manager offers no maximize). A short title
// changes nothing.
TEST_F(FormsTest, AFixedDialogIsAsWideAsItsTitle) {
  const std::string longTitle = "A dialog title far longer than the dialog itself is wide (build 11 Dec 2026)";
  for (const std::string& title : {longTitle, std::string("Go")}) {
    auto form = NewForm();
    form->SetBorderStyle(bsDialog);
    form->SetClientSize(title == longTitle ? 120 : 300, 80);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 100, 24);
    form->SetCaption(title);
    form->Show();
    QWidget* window = WidgetOf(form.get());
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << title;
    if (title == longTitle) {
      EXPECT_GE(form->Width(), TitleBarWidth(title));
      EXPECT_EQ(button->Left() + button->Width() / 2, window->width() / 2) << "the button left the middle";
    } else {
      EXPECT_EQ(window->width(), 300) << title;
      EXPECT_EQ(button->Left(), 10);
    }
  }
}

TEST_F(FormsTest, PlacementKeepsTheNormalRectangleWhileMaximized) {
  auto form = NewForm();
  form->Show();
  PumpPosted();
  WINDOWPLACEMENT wp;
  ASSERT_TRUE(GetWindowPlacement(form->Handle(), &wp));
  EXPECT_EQ(wp.showCmd, SW_SHOWNORMAL);
  EXPECT_EQ(wp.rcNormalPosition, Rect(40, 50, 340, 250));

  form->SetWindowState(wsMaximized);
  PumpUntil([&] { return GetWindowPlacement(form->Handle(), &wp) && wp.showCmd == SW_SHOWMAXIMIZED; });
  ASSERT_TRUE(GetWindowPlacement(form->Handle(), &wp));
  EXPECT_EQ(wp.showCmd, SW_SHOWMAXIMIZED);
  EXPECT_EQ(wp.rcNormalPosition, Rect(40, 50, 340, 250));

  wp.showCmd = SW_SHOWNORMAL;
  wp.rcNormalPosition = Rect(10, 20, 410, 320);
  ASSERT_TRUE(SetWindowPlacement(form->Handle(), &wp));
  PumpUntil([&] { return form->WindowState() == wsNormal && form->BoundsRect() == Rect(10, 20, 410, 320); });
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_EQ(form->BoundsRect(), Rect(10, 20, 410, 320));
}

TEST_F(FormsTest, HiddenPlacementMovesWithoutShowing) {
  auto form = NewForm();
  WINDOWPLACEMENT wp;
  ASSERT_TRUE(GetWindowPlacement(form->Handle(), &wp));
  wp.showCmd = SW_HIDE;
  wp.rcNormalPosition = Rect(5, 6, 205, 106);
  ASSERT_TRUE(SetWindowPlacement(form->Handle(), &wp));
  EXPECT_FALSE(WidgetOf(form.get())->isVisible());
  form->Show();
  PumpUntil([&] { return form->BoundsRect() == Rect(5, 6, 205, 106); });
  EXPECT_EQ(form->BoundsRect(), Rect(5, 6, 205, 106));
}

TEST_F(FormsTest, ActivationReachesOnActivateAndTheScreen) {
  auto first = NewForm();
  auto second = NewForm();
  std::string events;
  first->OnActivate = [&](TObject*) { events += "first+"; };
  first->OnDeactivate = [&](TObject*) { events += "first-"; };
  second->OnActivate = [&](TObject*) { events += "second+"; };
  first->Show();
  PumpUntil([&] { return Screen->ActiveForm() == first.get(); });
  EXPECT_EQ(Screen->ActiveForm(), first.get());
  second->Show();
  PumpUntil([&] { return Screen->ActiveForm() == second.get() && events.find("first-") != std::string::npos; });
  EXPECT_EQ(Screen->ActiveForm(), second.get());
  // The desktop tells the newly active window before the one it leaves.
  EXPECT_EQ(events, "first+second+first-");
  EXPECT_TRUE(second->Active());
}

TEST_F(FormsTest, ScreenCursorTableHoldsRegisteredCursors) {
  EXPECT_NE(Screen->Cursors(crIBeam), nullptr);
  EXPECT_EQ(Screen->Cursors(12345), Screen->Cursors(crDefault));
  const HCURSOR ibeam = Screen->Cursors(crIBeam);
  Screen->SetCursors(12345, ibeam);
  EXPECT_EQ(Screen->Cursors(12345), ibeam);
  Screen->SetCursors(12345, nullptr);
}

}  // namespace
