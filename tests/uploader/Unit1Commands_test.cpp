// Every command of the uploader's window does something, and its popup menu opens where the user asks
// for it: over the two buttons and the status line.
#include "uploader/Unit1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "common/CommandWalk.h"
#include "common/TempRegistry.h"
#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/Buttons.h"
#include "vcl/ComCtrls.h"
#include "vcl/Dialogs.h"
#include "vcl/Menus.h"

using namespace Uploader;

namespace corvane::test {
namespace {

class UploaderCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    Application->Initialize(1, argv_);
    form_.reset(CreateForm<TForm1>(nullptr));
    form_->Show();
  }
  void TearDown() override { form_.reset(); }

  TempRegistry store_;
  char name_[9] = "Uploader";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<TForm1> form_;
  std::vector<std::string> boxes_;
  TDialogHookScope dialogs_{[this](TDialogRequest& request) {
    boxes_.push_back(request.Text);
    return IDOK;
  }};
};

TEST_F(UploaderCommands, EveryItemHasAHandlerAndShowsWhereTheUserLooks) {
  const TCommandWalk walk = WalkCommands(form_.get());
  EXPECT_EQ(walk.Dead(), std::vector<std::string>{});
  EXPECT_EQ(walk.unreachable, std::vector<std::string>{});
  ASSERT_EQ(walk.commands.size(), 1u);
  EXPECT_EQ(walk.commands[0].place, "PopupMenu1 > About...");
}

TEST_F(UploaderCommands, AboutOpensFromThePopupOfEachControlThatCarriesIt) {
  for (TWinControl* control : std::vector<TWinControl*>{form_->BitBtn1, form_->BitBtn2, form_->StatusBar1}) {
    SCOPED_TRACE(control->Name());
    boxes_.clear();
    QWidget* widget = WidgetOf(control);
    const QPoint at(5, 5);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &request);
    QMenu* popup = SubMenuOf(form_->PopupMenu1->Items());
    ASSERT_TRUE(popup->isVisible());
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(ActionOf(form_->About1)).center());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].substr(0, 19), "FTP Script Uploader");
  }
}

}  // namespace
}  // namespace corvane::test
