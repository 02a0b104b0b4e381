#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include <QFontDatabase>
#include <QFontDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

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

// The real dialog starts on the editor's font. A size typed into its size field and Apply set it in the
// editor and the settings while the dialog stays open; a family picked in its list and OK set that as
// well, in the output view too, and the next window starts with it. Esc after Apply keeps what Apply set.
TEST_F(Unit1Font, TheRealDialogAppliesAndTakesFamilyAndSize) {
  TFont stored;
  stored.SetName("DejaVu Sans Mono");
  stored.SetSize(10);
  SaveFontToRegistry(&stored, std::string(kSettingsKey) + "\\Font");
  TForm1* form = Start();
  const auto armDialog = [](const std::function<void(QFontDialog*)>& steps) {
    corvane::test::WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QFontDialog*>(w) != nullptr; },
                                        [steps](QWidget* w) { steps(static_cast<QFontDialog*>(w)); });
  };
  // The size field is the one of the dialog's fields that takes numbers only.
  const auto sizeField = [](QFontDialog* dialog) -> QLineEdit* {
    for (QLineEdit* field : dialog->findChildren<QLineEdit*>())
      if (field->validator()) return field;
    return nullptr;
  };
  const auto button = [](QFontDialog* dialog, QDialogButtonBox::StandardButton which) {
    QDialogButtonBox* box = dialog->findChild<QDialogButtonBox*>();
    return box ? box->button(which) : nullptr;
  };

  QString shownFamily;
  int appliedSize = 0;
  bool openAfterApply = false;
  int storedAfterApply = 0;
  armDialog([&](QFontDialog* dialog) {
    shownFamily = dialog->currentFont().family();
    QLineEdit* size = sizeField(dialog);
    QPushButton* apply = button(dialog, QDialogButtonBox::Apply);
    ASSERT_NE(size, nullptr);
    ASSERT_NE(apply, nullptr);
    QTest::mouseClick(size, Qt::LeftButton);
    QTest::keyClick(size, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(size, "16");
    QTest::mouseClick(apply, Qt::LeftButton);
    appliedSize = form->Editor->Font()->Size();
    storedAfterApply = RegReadInteger(std::string(kSettingsKey) + "\\Font", "Size", 0);
    openAfterApply = dialog->isVisible();
    QListView* families = dialog->findChildren<QListView*>().value(0);
    ASSERT_NE(families, nullptr);
    families->setFocus();
    QTest::keyClicks(families, "Liberation Mono");
    QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
  });
  ASSERT_TRUE(Choose(form->View1, form->Font1));
  EXPECT_EQ(shownFamily.toStdString(), "DejaVu Sans Mono");
  EXPECT_EQ(appliedSize, 16);
  EXPECT_EQ(storedAfterApply, 16);
  EXPECT_TRUE(openAfterApply);
  for (TFont* font : {form->Editor->Font(), form->Memo1->Font()}) {
    EXPECT_EQ(font->Name(), "Liberation Mono");
    EXPECT_EQ(font->Size(), 16);
  }

  armDialog([&](QFontDialog* dialog) {
    QLineEdit* size = sizeField(dialog);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->text().toStdString(), "16");
    QTest::mouseClick(size, Qt::LeftButton);
    QTest::keyClick(size, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(size, "12");
    QTest::mouseClick(button(dialog, QDialogButtonBox::Apply), Qt::LeftButton);
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  ASSERT_TRUE(Choose(form->View1, form->Font1));
  EXPECT_EQ(form->Editor->Font()->Size(), 12);
  EXPECT_EQ(form->Memo1->Font()->Size(), 12);

  form = Start();
  EXPECT_EQ(form->Editor->Font()->Name(), "Liberation Mono");
  EXPECT_EQ(form->Editor->Font()->Size(), 12);
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
