#include <gtest/gtest.h>

#include <vector>

#include "common/MainWindow.h"
#include "editor/Unit1.h"
#include "vcl/Dialogs.h"
#include "vcl/Menus.h"

using namespace Corvane;

namespace {

using Unit1Upload = corvane::test::MainWindowTest;

// The test program has no uploader beside it, as a Corvane installed without one.
TEST_F(Unit1Upload, WithoutTheUploaderTheCommandOnlySaysSo) {
  std::vector<TDialogRequest> asked;
  TDialogHookScope dialogs([&](TDialogRequest& request) {
    asked.push_back(request);
    return IDOK;
  });
  TForm1* form = Build();
  EXPECT_FALSE(form->Upload1->Enabled());
  form->Upload1Click(form->Upload1);
  form_.reset();  // gone while its dialogs are still answered and counted here
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Caption, "Upload To FTP");
  EXPECT_EQ(asked[0].Text, "Not available in this version.");
}

}  // namespace
