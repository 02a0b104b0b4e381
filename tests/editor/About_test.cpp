#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>

#include <string>
#include <vector>

#include "common/EditorWindow.h"
#include "editor/About.h"
#include "qt/QtSide.h"
#include "support/LCDate.h"
#include "vcl/DateTimes.h"

using namespace Corvane;

namespace {

using corvane::test::Click;

class AboutTest : public corvane::test::EditorWindowTest {};

TEST_F(AboutTest, ShowsTheBuildDateAndTheLinksAndRegistersTheHand) {
  std::vector<std::string> opened;
  WithDialog<TAboutForm>(form_->About1, [&](TAboutForm& d) {
    EXPECT_EQ(d.Caption(), "Ombrix Tarnwick 2.1 (build " + DateToStr(form_->LCDate1->LCDate) + ")");
    EXPECT_NE(Screen->Cursors(crMyHand), Screen->Cursors(crArrow));
    for (size_t i = 0; i < d.Links.size(); ++i) EXPECT_EQ(d.Links[i]->Hint, kAboutLinks[i][1]);
    Click(d.CloseButton);
  });
  EXPECT_NE(Screen->Cursors(crMyHand), Screen->Cursors(crArrow));
  WithDialog<TAboutForm>(form_->About1, [](TAboutForm& d) { QTest::keyClick(WidgetOf(&d), Qt::Key_Escape); });
}

// The pointer over an address shows it in the main window's status bar; closing the box under the
// pointer takes it away, since no Leave comes then.
TEST_F(AboutTest, AnAddressHintGoesWhenTheBoxCloses) {
  WithDialog<TAboutForm>(form_->About1, [&](TAboutForm& d) {
    // The crossing event the window system sends as the pointer comes onto the button.
    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QApplication::sendEvent(WidgetOf(d.Links[0]), &enter);
    EXPECT_TRUE(form_->StatusBar1->SimplePanel());
    EXPECT_EQ(form_->StatusBar1->SimpleText(), kAboutLinks[0][1]);
    QTest::keyClick(WidgetOf(&d), Qt::Key_Escape);
  });
  EXPECT_FALSE(form_->StatusBar1->SimplePanel());
  EXPECT_EQ(Application->Hint(), "");
}

}  // namespace
