#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "common/ModalForms.h"
#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"
#include "vcl/Forms.h"

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

// The real box and prompt show their whole title and are of fixed size, so not maximizable.
TEST_F(DialogsTest, BoxesAndPromptsAreAsWideAsTheirTitleAndOfFixedSize) {
  const std::string title = "Upload A Script To FTP, with a caption longer than its text";
  const struct {
    const char* kind;
    std::function<void()> open;
  } cases[] = {
      {"box", [&] { ShowMessageBox("Done.", title, MB_OK); }},
      {"prompt", [&] {
         std::string value;
         InputQuery(title, "Line:", value);
       }},
  };
  for (const auto& c : cases) {
    bool shown = false;
    corvane::test::WhenModalWidgetShown([](QWidget*) { return true; }, [&](QWidget* w) {
      shown = true;
      EXPECT_GE(w->width(), TitleBarWidth(title)) << c.kind;
      EXPECT_EQ(w->minimumSize(), w->maximumSize()) << c.kind;
      QTest::keyClick(w, Qt::Key_Escape);
    });
    c.open();
    EXPECT_TRUE(shown) << c.kind;
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

TEST_F(DialogsTest, FontsTravelThroughTheHookAsNameHeightAndStyles) {
  const struct {
    const char* text;
    bool ok;
    const char* name;
    int height;
    TFontStyles style;
  } cases[] = {
      {"Courier New,-13,", true, "Courier New", -13, {}},
      {"Courier New,-13,BI", true, "Courier New", -13, {fsBold, fsItalic}},
      {"A, B,12,US", true, "A, B", 12, {fsUnderline, fsStrikeOut}},
      {"Courier New,-13,X", false, "", 0, {}},
      {"Courier New,,B", false, "", 0, {}},
      {"-13,B", false, "", 0, {}},
  };
  for (const auto& c : cases) {
    TFont font;
    EXPECT_EQ(FontFromDialogText(c.text, font), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(font.Name(), c.name);
    EXPECT_EQ(font.Height(), c.height);
    EXPECT_EQ(font.Style(), c.style);
    EXPECT_EQ(FontToDialogText(font), c.text);
  }
  TFontDialog dialog(nullptr);
  dialog.Font()->SetName("Courier New");
  dialog.Font()->SetHeight(-13);
  std::string shown;
  TDialogHookScope hook([&](TDialogRequest& r) {
    shown = r.Value;
    r.Value = "Monospace,-16,B";
    return IDOK;
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(shown, "Courier New,-13,");
  EXPECT_EQ(dialog.Font()->Name(), "Monospace");
  EXPECT_EQ(dialog.Font()->Height(), -16);
  EXPECT_TRUE(dialog.Font()->Style().Contains(fsBold));
}

QPushButton* ButtonNamed(const char* caption) {
  for (QWidget* w : QApplication::topLevelWidgets())
    for (QPushButton* b : w->findChildren<QPushButton*>())
      if (b->isVisible() && b->text() == caption) return b;
  return nullptr;
}

TEST_F(DialogsTest, ReplaceDialogReportsEachButtonWithItsOptions) {
  TReplaceDialog dialog(nullptr);
  dialog.FindText = "foo";
  dialog.ReplaceText = "bar";
  dialog.Options = {TFindOption::frDown, TFindOption::frMatchCase};
  std::vector<std::string> events;
  auto record = [&](const char* what) {
    return [&, what](TObject*) {
      std::string e = what;
      if (dialog.Options.Contains(TFindOption::frFindNext)) e += " next";
      if (dialog.Options.Contains(TFindOption::frReplace)) e += " one";
      if (dialog.Options.Contains(TFindOption::frReplaceAll)) e += " all";
      if (dialog.Options.Contains(TFindOption::frMatchCase)) e += " case";
      events.push_back(e + " " + dialog.FindText + ">" + dialog.ReplaceText);
    };
  };
  dialog.OnFind = record("find");
  dialog.OnReplace = record("replace");
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(dialog.Showing());
  for (const char* caption : {"&Find Next", "&Replace", "Replace &All"}) {
    QPushButton* button = ButtonNamed(caption);
    ASSERT_NE(button, nullptr) << caption;
    button->click();
  }
  EXPECT_EQ(events, (std::vector<std::string>{"find next case foo>bar", "replace one case foo>bar",
                                              "replace all case foo>bar"}));
  dialog.CloseDialog();
  EXPECT_FALSE(dialog.Showing());
}

TEST_F(DialogsTest, AFindDialogBelongsToTheWindowOfTheFormThatOwnsIt) {
  TForm owner(nullptr);
  owner.AfterConstruction();
  owner.Show();
  TForm other(nullptr);  // shown later, so the owner is not simply the active window
  other.AfterConstruction();
  other.Show();
  auto* dialog = new TReplaceDialog(&owner);  // the form frees it
  ASSERT_TRUE(dialog->Execute());
  QWidget* shown = ButtonNamed("Replace &All")->window();
  ASSERT_NE(shown->windowHandle(), nullptr);
  EXPECT_EQ(shown->windowHandle()->transientParent(), WidgetOf(&owner)->windowHandle());
  dialog->CloseDialog();
}

}  // namespace
