// The main window as a new user first sees it: every caption and panel text fits its control in the
// fonts this platform has.
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "common/MainWindow.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/TextFit.h"
#include "editctl/qzCustomEdit.h"
#include "editor/About.h"
#include "editor/Corvane.h"
#include "editor/InsEdit.h"
#include "editor/Print.h"
#include "editor/QsEdit.h"
#include "editor/Template.h"
#include "editor/Unit1.h"
#include "editor/Unit4.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/ComCtrls.h"

using namespace Corvane;

namespace fs = std::filesystem;

namespace {

using corvane::test::ControlsOutsideClientArea;
using corvane::test::PanelTextsThatDoNotFit;
using corvane::test::TextsThatDoNotFit;

using Unit1Layout = corvane::test::MainWindowTest;

TEST_F(Unit1Layout, TheFirstWindowShowsEveryMenuAndEveryTextWhole) {
  Start();
  corvane::test::PumpPosted();
  EXPECT_EQ(TextsThatDoNotFit(WidgetOf(form_.get())), std::vector<std::string>{});
  EXPECT_EQ(PanelTextsThatDoNotFit(form_->StatusBar1), std::vector<std::string>{});
}

TEST_F(Unit1Layout, TheCaretPanelHoldsLineNumbersOfFourDigitsAndMore) {
  Start();
  for (const int lines : {1559, 123456}) {
    std::string text;
    for (int i = 1; i < lines; ++i) text += "my $x = 1;\r\n";
    corvane::test::WriteFile(dir_ + "/long.pl", text + "1;");
    form_->Open(dir_ + "/long.pl", false);
    QTest::keyClick(WidgetOf(form_->Editor), Qt::Key_End, Qt::ControlModifier);
    const std::string caret = form_->StatusBar1->Panels()->Items(0)->Text();
    EXPECT_NE(caret.find(std::to_string(lines) + ":"), std::string::npos) << caret;
    EXPECT_EQ(PanelTextsThatDoNotFit(form_->StatusBar1), std::vector<std::string>{});
  }
}

// Every dialog shows all its controls, OK and Cancel too, and every caption whole.
TEST_F(Unit1Layout, EveryDialogShowsEachControlAndCaptionWhole) {
  Build();
  const std::vector<std::function<TForm*()>> dialogs = {
      [] { return new TEnvEditForm(nullptr); }, [] { return new TInsForm(nullptr); },
      [] { return new TTempltForm(nullptr); },  [] { return new TForm4(nullptr); },
      [] { return new TAboutForm(nullptr); },   [this] { return new TPrintForm(form_.get()); },
  };
  for (const auto& make : dialogs) {
    const std::unique_ptr<TForm> dialog(make());
    dialog->Show();
    corvane::test::PumpPosted();
    SCOPED_TRACE(dialog->ClassName());
    EXPECT_EQ(ControlsOutsideClientArea(WidgetOf(dialog.get())), std::vector<std::string>{});
    EXPECT_EQ(TextsThatDoNotFit(WidgetOf(dialog.get())), std::vector<std::string>{});
  }
}

}  // namespace
