#include <gtest/gtest.h>

#include <QIcon>
#include <QPixmap>

#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "vcl/ImgList.h"

namespace {

const char* const kTwoByTwo[] = {"2 2 2 1", "  c None", "r c #FF0000", "r ", " r"};

TEST(ImgListTest, ImagesTakeTheListsSizeAndListenersHearEveryChange) {
  corvane::test::EnsureApplication();
  TImageList list(nullptr);
  int changes = 0;
  const TNotifyEvent listener([&](TObject*) { ++changes; });
  list.RegisterChanges(listener);
  EXPECT_EQ(list.AddXpm(kTwoByTwo), 0);
  EXPECT_EQ(list.AddXpm(kTwoByTwo), 1);
  EXPECT_EQ(list.AddFromFile("/nonexistent.png"), -1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(ImagePixmap(list, 1).size(), QSize(16, 16));
  EXPECT_TRUE(ImagePixmap(list, 2).isNull());
  EXPECT_TRUE(ImageIcon(list, -1).isNull());
  list.Delete(0);
  EXPECT_EQ(list.Count(), 1);
  list.SetSize(24, 24);  // a new size empties the list
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(changes, 4);
  list.UnRegisterChanges(listener);
  list.AddXpm(kTwoByTwo);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(ImagePixmap(list, 0).size(), QSize(24, 24));
}

}  // namespace
