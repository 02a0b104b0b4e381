#include <gtest/gtest.h>

#include "common/TestApp.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"

namespace {

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }
};

TEST_F(DialogsTest, MessageDialogsAreBoxesWithTheirTypesCaptionAndButtons) {
  const struct {
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    const char* caption;
    UINT flags;
  } cases[] = {
      {mtConfirmation, mbYesNoCancel, "Confirm", MB_YESNOCANCEL | MB_ICONQUESTION},
      {mtError, TMsgDlgButtons{mbOK}, "Error", MB_OK | MB_ICONERROR},
      {mtWarning, TMsgDlgButtons{mbYes, mbNo}, "Warning", MB_YESNO | MB_ICONWARNING},
      {mtInformation, mbOKCancel, "Information", MB_OKCANCEL | MB_ICONINFORMATION},
  };
  for (const auto& c : cases) {
    TDialogRequest seen;
    TDialogHookScope hook([&](TDialogRequest& r) {
      seen = r;
      return IDNO;
    });
    EXPECT_EQ(MessageDlg("Save changes?", c.type, c.buttons, 0), mrNo);
    EXPECT_EQ(seen.Kind, dkMessageBox);
    EXPECT_EQ(seen.Caption, c.caption);
    EXPECT_EQ(seen.Text, "Save changes?");
    EXPECT_EQ(seen.Flags, c.flags);
  }
}

TEST_F(DialogsTest, PromptsAndFileDialogsTakeTheAnswerOnlyOnOk) {
  int button = IDCANCEL;
  TDialogHookScope hook([&](TDialogRequest& r) {
    r.Value = r.Kind == dkInputQuery ? "/usr/bin/perl" : "/tmp/chosen.pl";
    return button;
  });
  std::string value = "C:\\Perl\\bin\\perl.exe";
  EXPECT_FALSE(InputQuery("Edit Perl Path", "New Perl path:", value));
  EXPECT_EQ(value, "C:\\Perl\\bin\\perl.exe");
  TSaveDialog dialog(nullptr);
  dialog.FileName = "old.pl";
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "old.pl");

  button = IDOK;
  EXPECT_TRUE(InputQuery("Edit Perl Path", "New Perl path:", value));
  EXPECT_EQ(value, "/usr/bin/perl");
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "/tmp/chosen.pl");
  EXPECT_EQ(dialog.Files()->Count(), 1);
}

TEST_F(DialogsTest, UnhandledExceptionsReachTheUserAsABoxEndingInAPeriod) {
  std::vector<std::string> shown;
  TDialogHookScope hook([&](TDialogRequest& r) {
    shown.push_back(r.Text);
    return IDOK;
  });
  CallHandler(nullptr, [] { throw EFOpenError("Cannot open file \"x\". No such file or directory"); });
  CallHandler(nullptr, [] { throw EAbort("silent"); });
  CallHandler(nullptr, [] { throw std::runtime_error("boom."); });
  EXPECT_EQ(shown, (std::vector<std::string>{"Cannot open file \"x\". No such file or directory.", "boom."}));
}

}  // namespace
