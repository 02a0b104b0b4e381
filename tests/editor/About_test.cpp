#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/EditorWindow.h"
#include "editor/About.h"
#include "support/LCDate.h"
#include "vcl/DateTimes.h"

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
  WithDialog<TAboutForm>(form_->About1, [](TAboutForm& d) { QTest::keyClick(d.Widget(), Qt::Key_Escape); });
}

}  // namespace
