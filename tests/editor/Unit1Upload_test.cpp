#include <gtest/gtest.h>

#include <filesystem>

#include "common/TestApp.h"
#include "editor/Unit1.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"
#include "vcl/Menus.h"
#include "win/RegistryStore.h"

using namespace Corvane;

namespace {

// The test program has no uploader beside it, as a Corvane installed without one.
TEST(Unit1Upload, WithoutTheUploaderTheCommandOnlySaysSo) {
  corvane::test::EnsureApplication();
  const std::string folder = corvane::test::MakeTempDir("unit1-upload");
  RegistryStore::Instance().SetPath(folder + "/registry.sqlite3");
  RegWriteBool(kSettingsKey, "NoAssociation", true);
  char name[] = "Corvane";
  char* argv[] = {name, nullptr};
  Application->Initialize(1, argv);
  std::vector<TDialogRequest> asked;
  TDialogHookScope dialogs([&](TDialogRequest& request) {
    asked.push_back(request);
    return IDOK;
  });
  {
    std::unique_ptr<TForm1> form(CreateForm<TForm1>(nullptr));
    EXPECT_FALSE(form->Upload1->Enabled());
    form->Upload1Click(form->Upload1);
  }
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Caption, "Upload To FTP");
  EXPECT_EQ(asked[0].Text, "Not available in this version.");
  std::filesystem::remove_all(folder);
}

}  // namespace
