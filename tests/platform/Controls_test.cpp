#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <QWidget>

#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "vcl/Controls.h"
#include "vcl/CustomControl.h"
#include "vcl/Dialogs.h"

namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }
};

TEST_F(ControlsTest, AlignedChildrenShareTheClientArea) {
  TComponent owner(nullptr);
  auto* frame = new TWinControl(&owner);
  frame->SetBounds(0, 0, 400, 300);
  auto make = [&](TAlign align, int size) {
    auto* c = new TWinControl(&owner);
    c->SetBounds(0, 0, size, size);
    c->SetAlign(align);
    c->SetParent(frame);
    return c;
  };
  TWinControl* top = make(alTop, 30);
  TWinControl* bottom = make(alBottom, 20);
  TWinControl* left = make(alLeft, 50);
  TWinControl* client = make(alClient, 1);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 280, 400, 300));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, 280));
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 400, 280));
  frame->SetBounds(0, 0, 200, 100);
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 200, 80));
  bottom->Hide();
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 200, 100));
}

class Recorder : public TWinControl {
 public:
  using TWinControl::TWinControl;
  std::vector<UINT> messages;
  void WndProc(TMessage& m) override {
    messages.push_back(m.Msg);
    TWinControl::WndProc(m);
  }
};

TEST_F(ControlsTest, MessagesReachTheWindowProcedureWithOrWithoutAWidget) {
  Recorder control(nullptr);
  std::vector<std::string> events;
  control.OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
    events.push_back("down " + std::to_string(key) + (shift.Contains(ssAlt) ? " alt" : ""));
  };
  control.OnKeyPress = [&](TObject*, char& key) { events.push_back(std::string("press ") + key); };
  control.OnResize = [&](TObject*) { events.push_back("resize"); };
  control.Perform(WM_SYSKEYDOWN, 'X', KF_ALTDOWN_LPARAM);
  control.Perform(WM_CHAR, 'q');
  control.SetBounds(0, 0, 120, 80);
  control.SetBounds(5, 5, 120, 80);  // a move alone is no resize
  EXPECT_EQ(events, (std::vector<std::string>{"down 88 alt", "press q", "resize"}));
  EXPECT_EQ(std::count(control.messages.begin(), control.messages.end(), WM_SIZE), 1);
  ASSERT_NE(WidgetOf(&control), nullptr);
  EXPECT_EQ(TWinControl::FindControl(control.Handle()), &control);
}

}  // namespace

namespace {

class FailingPaint : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  bool fail = true;

 protected:
  void Paint() override {
    if (fail) throw Exception("Painting failed");
  }
};

// What a handler throws while Qt delivers an event shows its message in a box, as the message loop
// shows it, and the program goes on: the next key still arrives.
TEST_F(ControlsTest, AnExceptionInAnEventFromQtShowsItsMessageAndTheProgramGoesOn) {
  std::vector<TDialogRequest> asked;
  TDialogHookScope hook([&](TDialogRequest& r) {
    asked.push_back(r);
    return IDOK;
  });
  TWinControl control(nullptr);
  std::string typed;
  control.OnKeyDown = [](TObject*, WORD& key, TShiftState) {
    if (key == 'A') throw Exception("Typing failed");
  };
  control.OnKeyPress = [&](TObject*, char& key) { typed += key; };
  control.SetBounds(0, 0, 60, 40);
  WidgetOf(&control)->show();
  QTest::keyClick(WidgetOf(&control), Qt::Key_A);
  QTest::keyClick(WidgetOf(&control), Qt::Key_B);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Kind, dkMessageBox);
  EXPECT_EQ(asked[0].Text, "Typing failed.");
  EXPECT_EQ(typed, "ab");  // the character of the failing key and the next key still come

  // A failing paint is reported after the paint, once until the control paints again.
  asked.clear();
  FailingPaint painted(nullptr);
  painted.SetBounds(0, 0, 60, 40);
  WidgetOf(&painted)->show();
  const auto paintAndSettle = [&] {
    WidgetOf(&painted)->repaint();
    bool settled = false;
    QTimer::singleShot(0, [&] { settled = true; });
    ASSERT_TRUE(corvane::test::PumpUntil([&] { return settled; }));
  };
  paintAndSettle();
  paintAndSettle();
  EXPECT_EQ(asked.size(), 1u);
  painted.fail = false;
  paintAndSettle();
  painted.fail = true;
  paintAndSettle();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].Text, "Painting failed.");
}

}  // namespace
