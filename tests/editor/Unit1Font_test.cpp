#include <gtest/gtest.h>

#include <climits>

#include <QFontDatabase>
#include <QFontDialog>
#include <QListView>

#include "common/MainWindow.h"
#include "common/ModalForms.h"
#include "vcl/Dialogs.h"

using namespace Corvane;

namespace {

using Unit1Font = corvane::test::MainWindowTest;

// The dialog starts from the stored font; OK sets it in the editor and the output view and stores it,
// so the next window starts with it. Cancel changes nothing.
TEST_F(Unit1Font, TheChosenFontIsSetStoredAndSharedWithTheOutput) {
  TFont stored;
  stored.SetName("DejaVu Sans Mono");
  stored.SetHeight(-15);
  SaveFontToRegistry(&stored, std::string(kSettingsKey) + "\\Font");
  std::vector<std::string> shown;
  std::vector<std::pair<int, std::string>> answers = {{IDCANCEL, ""}, {IDOK, "DejaVu Sans Mono,-16,B"}};
  TDialogHookScope hook([&](TDialogRequest& request) {
    shown.push_back(request.Value);
    auto [button, value] = answers.front();
    answers.erase(answers.begin());
    if (!value.empty()) request.Value = value;
    return button;
  });
  TForm1* form = Start();
  ASSERT_TRUE(Choose(form->View1, form->Font1));
  EXPECT_EQ(form->Editor->Font()->Height(), -15);
  ASSERT_TRUE(Choose(form->View1, form->Font1));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], "DejaVu Sans Mono,-15,");
  EXPECT_EQ(form->Editor->Font()->Height(), -16);
  EXPECT_TRUE(form->Editor->Font()->Style().Contains(fsBold));
  EXPECT_EQ(form->Memo1->Font()->Height(), -16);
  form = Start();
  EXPECT_EQ(form->Editor->Font()->Height(), -16);
  EXPECT_EQ(form->Editor->Font()->Name(), "DejaVu Sans Mono");
}

// An absurd stored size gives the window a font of a size fonts have, with cells to match.
TEST_F(Unit1Font, AnAbsurdStoredSizeIsClampedToAFontsSizes) {
  for (const int size : {INT_MIN, 0, 1431655767}) {
    RegWriteInteger(std::string(kSettingsKey) + "\\Font", "Size", size);
    TForm1* form = Start();
    const int shown = form->Editor->Font()->Size();
    EXPECT_GE(shown, 1) << size;
    EXPECT_LE(shown, 1638) << size;
    EXPECT_GT(form->Editor->LineHeight(), 0) << size;
    EXPECT_LT(form->Editor->LineHeight(), 4 * 1638) << size;
  }
}

// The real dialog offers fixed-pitch families only; a family typed in its list and Enter set it.
TEST_F(Unit1Font, TheDialogListsFixedPitchFontsOnly) {
  TForm1* form = Start();
  QStringList families;
  corvane::test::WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QFontDialog*>(w) != nullptr; },
                                      [&](QWidget* w) {
                                        QListView* list = w->findChildren<QListView*>().value(0);
                                        ASSERT_NE(list, nullptr);
                                        for (int i = 0; i < list->model()->rowCount(); ++i)
                                          families << list->model()->index(i, 0).data().toString();
                                        list->setFocus();
                                        QTest::keyClicks(list, "Liberation Mono");
                                        QTest::keyClick(list, Qt::Key_Return);
                                      });
  ASSERT_TRUE(Choose(form->View1, form->Font1));
  EXPECT_TRUE(families.contains("Liberation Mono")) << families.join(", ").toStdString();
  for (const QString& family : families) EXPECT_TRUE(QFontDatabase::isFixedPitch(family)) << family.toStdString();
  EXPECT_EQ(form->Editor->Font()->Name(), "Liberation Mono");
}

// The status bar shows the hint of what the mouse is over, relayed from the application.
TEST_F(Unit1Font, HintsReachTheStatusBar) {
  TForm1* form = Start();
  Application->SetHint("Save the script");
  EXPECT_TRUE(form->StatusBar1->SimplePanel());
  EXPECT_EQ(form->StatusBar1->SimpleText(), "Save the script");
  Application->CancelHint();
  EXPECT_FALSE(form->StatusBar1->SimplePanel());
}

}  // namespace
