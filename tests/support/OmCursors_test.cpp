#include "support/OmCursors.h"

#include <gtest/gtest.h>

#include "common/TestApp.h"

namespace {

TEST(OmCursorsTest, BothCursorsComeFromTheShippedImages) {
  corvane::test::EnsureApplication();
  const HCURSOR arrow = Screen->Cursors(crDefault);
  EXPECT_EQ(Screen->Cursors(crOmHand), arrow);
  RegisterOmCursors();
  EXPECT_NE(Screen->Cursors(crOmHand), arrow);
  EXPECT_NE(Screen->Cursors(crOmDrag), arrow);
  EXPECT_NE(Screen->Cursors(crOmHand), Screen->Cursors(crOmDrag));
}

}  // namespace
