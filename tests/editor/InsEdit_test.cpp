#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/EditorWindow.h"
#include "editor/InsEdit.h"
#include "qt/QtSide.h"
#include "vcl/ShortCuts.h"

using namespace Corvane;

namespace {

using corvane::test::Click;
using corvane::test::Retype;

class InsEditTest : public corvane::test::EditorWindowTest {
 protected:
  void WithDialog(const std::function<void(TInsForm&)>& steps) {
    EditorWindowTest::WithDialog<TInsForm>(form_->EditList1, steps);
  }
};

TEST_F(InsEditTest, AHotKeyAndATextSetWithOkBecomeTheMenuItem) {
  WithDialog([](TInsForm& d) {
    EXPECT_EQ(d.Caption(), "Edit \"Quick Insert\" List");
    EXPECT_EQ(ShortCutToText(d.HotKeys[3]->HotKey()), "Ctrl+3");
    EXPECT_EQ(d.Edits[8]->Text(), "use CGI qw(param);");
    QTest::keyClick(WidgetOf(d.HotKeys[0]), Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
    Retype(d.Edits[0], "my $q = 1;");
    Retype(d.HeaderEdit, "#!/usr/local/bin/perl");
    QTest::keyClick(WidgetOf(d.HotKeys[1]), Qt::Key_Delete);
    Click(d.OkButton);
  });
  EXPECT_EQ(Stored("QuickHotkey0"), "Ctrl+Alt+Q");
  EXPECT_EQ(Stored("QuickHotkey1"), "");
  EXPECT_EQ(Stored("Quick0"), "my $q = 1;");
  EXPECT_EQ(Stored("PerlHeader"), "#!/usr/local/bin/perl");
  EXPECT_EQ(form_->QuickItems[0]->Caption(), "my $q = 1;");
  EXPECT_EQ(form_->QuickItems[1]->ShortCut(), 0);
  EXPECT_EQ(form_->SetPerlHeader1->Caption(), "Set Perl &Header To #!/usr/local/bin/perl");

  EXPECT_EQ(form_->QuickItems[0]->ShortCut(), ShortCut('Q', {ssCtrl, ssAlt}));

  WithDialog([](TInsForm& d) {
    EXPECT_EQ(ShortCutToText(d.HotKeys[0]->HotKey()), "Ctrl+Alt+Q");
    EXPECT_EQ(d.HotKeys[1]->HotKey(), 0);
    EXPECT_EQ(d.Edits[0]->Text(), "my $q = 1;");
    Click(d.CancelButton);
  });
}

TEST_F(InsEditTest, AKeyWithoutCtrlOrAltIsRefused) {
  WithDialog([](TInsForm& d) {
    QTest::keyClick(WidgetOf(d.HotKeys[2]), Qt::Key_X);
    EXPECT_EQ(ShortCutToText(d.HotKeys[2]->HotKey()), "Ctrl+2");
    QTest::keyClick(WidgetOf(d.HotKeys[2]), Qt::Key_X, Qt::ShiftModifier);
    EXPECT_EQ(ShortCutToText(d.HotKeys[2]->HotKey()), "Ctrl+2");
    QTest::keyClick(WidgetOf(d.HotKeys[2]), Qt::Key_X, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(ShortCutToText(d.HotKeys[2]->HotKey()), "Shift+Ctrl+X");
    Click(d.CancelButton);
  });
}

TEST_F(InsEditTest, TheResetButtonsResetWithoutWriting) {
  RegWriteString(kSettingsKey, "QuickHotkey4", "Ctrl+Alt+Z");
  RegWriteString(kSettingsKey, "Quick4", "mine");
  WithDialog([](TInsForm& d) {
    Retype(d.HeaderEdit, "#!perl");
    Click(d.ResetKeysButton);
    EXPECT_EQ(ShortCutToText(d.HotKeys[4]->HotKey()), "Ctrl+4");
    EXPECT_EQ(d.Edits[4]->Text(), "mine");
    Click(d.ResetTextsButton);
    EXPECT_EQ(d.Edits[4]->Text(), "</head><body></body></html>");
    EXPECT_EQ(d.HeaderEdit->Text(), "#!/usr/bin/perl");
    EXPECT_EQ(Stored("Quick4"), "mine");
    EXPECT_EQ(Stored("QuickHotkey4"), "Ctrl+Alt+Z");
    Click(d.CancelButton);
  });
}

TEST_F(InsEditTest, CancelTheCloseBoxAndEscStoreNothing) {
  const std::vector<std::pair<const char*, std::function<void(TInsForm&)>>> endings = {
      {"Cancel", [](TInsForm& d) { Click(d.CancelButton); }},
      {"close box", [](TInsForm& d) { WidgetOf(&d)->close(); }},
      {"Esc", [](TInsForm& d) { QTest::keyClick(WidgetOf(&d), Qt::Key_Escape); }},
  };
  for (const auto& [name, end] : endings) {
    WithDialog([&](TInsForm& d) {
      Retype(d.Edits[5], "changed");
      QTest::keyClick(WidgetOf(d.HotKeys[5]), Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
      end(d);
    });
    EXPECT_EQ(Stored("Quick5"), "<none>") << name;
    EXPECT_EQ(Stored("QuickHotkey5"), "<none>") << name;
    EXPECT_EQ(ShortCutToText(form_->QuickItems[5]->ShortCut()), "Ctrl+5") << name;
  }
}

}  // namespace
