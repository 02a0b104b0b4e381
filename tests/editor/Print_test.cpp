// The print dialog, reached by Ctrl+P in the main window and driven by keys and clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "common/CommandOutput.h"
#include "common/MainWindow.h"
#include "common/ModalForms.h"
#include "common/TestApp.h"
#include "common/UserInput.h"
#include "editctl/qzCustomEdit.h"
#include "editor/Print.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "support/SpinEdit.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"
#include "vcl/Printers.h"
#include "vcl/Messages.h"
#include "vcl/StdCtrls.h"

using namespace Corvane;

namespace fs = std::filesystem;

namespace {

std::string PdfText(const std::string& file) {
  return corvane::test::CommandOutput("pdftotext -layout '" + file + "' -");
}

class PrintFormTest : public corvane::test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Start();
    Printer()->SetOutputFileName("");
    QtPrinterOf(*Printer())->setOutputFileName(QString());  // nor one left by a set-up dialog before
  }
  // Runs Check on the print dialog once Ctrl+P has opened it; the dialog is closed by Check.
  void PressCtrlP(const std::function<void(TPrintForm&)>& Check) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<TPrintForm*>(form_->FindComponent("PrintForm"));
      ASSERT_NE(dialog, nullptr);
      seen = true;
      Check(*dialog);
      if (dialog->Modal() && dialog->ModalResult() == mrNone) dialog->SetModalResult(mrCancel);
    });
    QTest::keyClick(WidgetOf(form_->Editor), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(seen);
  }
};

TEST_F(PrintFormTest, CtrlPOpensTheDialogWithItsDefaults) {
  PressCtrlP([](TPrintForm& dialog) {
    EXPECT_EQ(dialog.Caption(), "Print");
    EXPECT_TRUE(dialog.SynHighl->Checked());
    EXPECT_TRUE(dialog.UseColor->Checked());
    EXPECT_FALSE(dialog.PrintSel->Checked());  // no selection
    EXPECT_FALSE(dialog.PrintSel->Enabled());
    EXPECT_EQ(dialog.Copies->IntValue(), 1);
  });
}

TEST_F(PrintFormTest, CopiesRefusesLettersAndStepsWithTheArrowKeys) {
  PressCtrlP([](TPrintForm& dialog) {
    QWidget* copies = WidgetOf(dialog.Copies);
    QTest::keyClick(copies, Qt::Key_End);
    QTest::keyClick(copies, Qt::Key_X);
    EXPECT_EQ(dialog.Copies->Text(), "1");
    QTest::keyClick(copies, Qt::Key_Up);
    QTest::keyClick(copies, Qt::Key_Up);
    EXPECT_EQ(dialog.Copies->IntValue(), 3);
    QTest::keyClick(copies, Qt::Key_Down);
    EXPECT_EQ(dialog.Copies->IntValue(), 2);
  });
}

TEST_F(PrintFormTest, PrintToFileWritesTheScriptWithHeaderAndFooter) {
  const std::string pdf = dir_ + "/script.pdf";
  TDialogHookScope hook([&](TDialogRequest& request) {
    if (request.Kind != dkPrinterSetup) return IDCANCEL;
    request.Value = pdf;
    return IDOK;
  });
  form_->Editor->SetText("print \"hello\\n\";\n");
  form_->Editor->SelectAll();
  PressCtrlP([](TPrintForm& dialog) {
    EXPECT_TRUE(dialog.PrintSel->Checked());
    QTest::mouseClick(WidgetOf(dialog.SetupButton), Qt::LeftButton);
    QTest::mouseClick(WidgetOf(dialog.PrintButton), Qt::LeftButton);
  });
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("File: Untitled"), std::string::npos) << text;
  EXPECT_NE(text.find("print \"hello\\n\";"), std::string::npos) << text;
  EXPECT_NE(text.find("Page Number: 1"), std::string::npos) << text;
}

// Qt's own set-up dialog, as a user meets it: the PDF file is chosen in its printer list, the name typed
// into its file field, and the dialog accepted; Print then writes that file.
TEST_F(PrintFormTest, TheRealSetupDialogChoosesThePdfFileToPrintTo) {
  const std::string pdf = dir_ + "/chosen.pdf";  // a new name: Qt asks before overwriting a file
  form_->Editor->SetText("print \"set up\\n\";\n");
  const size_t printers = Printer()->Printers().size();
  bool accepted = false;
  PressCtrlP([&](TPrintForm& dialog) {
    corvane::test::WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QPrintDialog*>(w) != nullptr; },
                                        [&](QWidget* setup) {
      auto* list = setup->findChild<QComboBox*>("printers");
      auto* file = setup->findChild<QLineEdit*>("filename");
      auto* buttons = setup->findChild<QDialogButtonBox*>();
      ASSERT_TRUE(list && file && buttons);
      // Every printer of the print service, then the PDF file; with no printer, the PDF file alone.
      EXPECT_EQ(list->count(), static_cast<int>(printers) + 1);
      const QString last = list->itemText(list->count() - 1);
      EXPECT_TRUE(last.contains("PDF")) << last.toStdString();
      corvane::test::Press(list, Qt::Key_End);
      EXPECT_EQ(list->currentIndex(), list->count() - 1);
      ASSERT_TRUE(file->isEnabled());
      corvane::test::Press(file, Qt::Key_A, Qt::ControlModifier);
      corvane::test::Type(file, pdf);
      EXPECT_EQ(file->text().toStdString(), pdf);
      accepted = true;
      QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(WidgetOf(dialog.SetupButton), Qt::LeftButton);
    ASSERT_TRUE(accepted);
    EXPECT_TRUE(dialog.Modal());  // the print dialog stays open after the set-up
    QTest::mouseClick(WidgetOf(dialog.PrintButton), Qt::LeftButton);
  });
  EXPECT_EQ(Printer()->OutputFileName(), pdf);
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("print \"set up\\n\";"), std::string::npos) << text;
  EXPECT_NE(text.find("Page Number: 1"), std::string::npos) << text;
}

// Names with Cyrillic letters: the PDF file typed into the set-up dialog is written under that name,
// the page header names the script as it reads, and the set-up dialog shows the file chosen as typed.
TEST_F(PrintFormTest, FileNamesInTheSetUpDialogAndTheHeaderReadAsTyped) {
  const std::string script = dir_ + "/отчёт.pl";
  const std::string pdf = dir_ + "/печать.pdf";
  std::FILE* file = std::fopen(script.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("print \"report\\n\";\n", file);
  std::fclose(file);
  form_->Open(script, false);
  QString shownBefore;
  PressCtrlP([&](TPrintForm& dialog) {
    corvane::test::WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QPrintDialog*>(w) != nullptr; },
                                        [&](QWidget* setup) {
      auto* list = setup->findChild<QComboBox*>("printers");
      auto* field = setup->findChild<QLineEdit*>("filename");
      auto* buttons = setup->findChild<QDialogButtonBox*>();
      ASSERT_TRUE(list && field && buttons);
      corvane::test::Press(list, Qt::Key_End);
      corvane::test::Press(field, Qt::Key_A, Qt::ControlModifier);
      corvane::test::TypeText(field, QString::fromStdString(pdf));
      QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(WidgetOf(dialog.SetupButton), Qt::LeftButton);
    corvane::test::WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QPrintDialog*>(w) != nullptr; },
                                        [&](QWidget* setup) {
      auto* field = setup->findChild<QLineEdit*>("filename");
      ASSERT_TRUE(field);
      shownBefore = field->text();
      static_cast<QDialog*>(setup)->reject();
    });
    QTest::mouseClick(WidgetOf(dialog.SetupButton), Qt::LeftButton);
    QTest::mouseClick(WidgetOf(dialog.PrintButton), Qt::LeftButton);
  });
  EXPECT_EQ(shownBefore.toStdString(), pdf);
  ASSERT_TRUE(fs::exists(pdf));
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("File: отчёт.pl"), std::string::npos) << text;
}

// With no printer installed and no file chosen yet, Print asks for the PDF file in the printer set-up
// first and prints only when the set-up is accepted.
TEST_F(PrintFormTest, WithoutPrinterPrintAsksForThePdfFileFirst) {
  // The test main gives the program a print service of its own, where no printer is installed.
  ASSERT_TRUE(Printer()->Printers().empty()) << "the machine's printers reached the test";
  const std::string pdf = dir_ + "/first.pdf";
  form_->Editor->SetText("print 1;\n");
  for (const int answer : {IDCANCEL, IDOK}) {
    const char* const how = answer == IDOK ? "set-up accepted" : "set-up cancelled";
    int setups = 0;
    int boxes = 0;
    TDialogHookScope hook([&](TDialogRequest& request) {
      if (request.Kind == dkPrinterSetup) {
        ++setups;
        request.Value = pdf;
        return answer;
      }
      ++boxes;
      return IDOK;
    });
    bool stayedOpen = false;
    PressCtrlP([&](TPrintForm& dialog) {
      QTest::mouseClick(WidgetOf(dialog.PrintButton), Qt::LeftButton);
      stayedOpen = dialog.ModalResult() == mrNone;
    });
    EXPECT_EQ(setups, 1) << how;
    EXPECT_EQ(boxes, 0) << how;  // no error box either way
    EXPECT_EQ(stayedOpen, answer == IDCANCEL) << how;
    EXPECT_EQ(fs::exists(pdf), answer == IDOK) << how;
  }
  EXPECT_NE(PdfText(pdf).find("print 1;"), std::string::npos);
}

// A job that cannot be written shows why, keeps the dialog open, and leaves the printer free, so the
// next Print writes its file.
TEST_F(PrintFormTest, PrinterErrorIsShownAndTheNextJobPrints) {
  form_->Editor->SetText("print 2;\n");
  Printer()->SetOutputFileName(dir_ + "/missing/folder.pdf");
  std::string message;
  TDialogHookScope hook([&](TDialogRequest& request) {
    if (request.Kind == dkMessageBox) message = request.Text;
    return IDOK;
  });
  const std::string pdf = dir_ + "/after.pdf";
  PressCtrlP([&](TPrintForm& dialog) {
    QTest::mouseClick(WidgetOf(dialog.PrintButton), Qt::LeftButton);
    EXPECT_NE(message.find("Cannot write \"" + dir_ + "/missing/folder.pdf\""), std::string::npos) << message;
    EXPECT_EQ(dialog.ModalResult(), mrNone);
    EXPECT_FALSE(Printer()->Printing());
    Printer()->SetOutputFileName(pdf);
    QTest::mouseClick(WidgetOf(dialog.PrintButton), Qt::LeftButton);
    EXPECT_EQ(dialog.ModalResult(), mrOk);
  });
  EXPECT_NE(PdfText(pdf).find("print 2;"), std::string::npos);
}

}  // namespace
