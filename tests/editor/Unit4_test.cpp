#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include <functional>
#include <string>

#include "common/EditorWindow.h"
#include "editor/Unit4.h"
#include "qt/QtSide.h"
#include "vcl/Clipbrd.h"
#include "win/WinUser.h"

using namespace Corvane;

namespace {

using corvane::test::Click;
using corvane::test::Retype;

class Unit4Test : public corvane::test::EditorWindowTest {
 protected:
  void WithDialog(const std::function<void(TForm4&)>& steps) {
    EditorWindowTest::WithDialog<TForm4>(form_->PrintFunction1, steps);
  }
  std::string EditorText() { return form_->Editor->Lines()->GetText(); }
};

TEST_F(Unit4Test, EachLineBecomesAPrintStatementAfterTheCaret) {
  struct Case {
    const char* name;
    bool special;
    std::string memo;
    std::string inserted;
  };
  const Case cases[] = {
      {"escaped", true, "Hello\nTotal: $sum \"x\"",
       "\r\nprint \"Hello\\n\";\r\nprint \"Total: \\$sum \\\"x\\\"\\n\";\r\n"},
      {"as typed", false, "Say \"hi\"", "\r\nprint \"Say \"hi\"\\n\";\r\n"},
  };
  for (const Case& c : cases) {
    form_->Editor->SetText("start");
    form_->Editor->SetCaretXY({6, 1});
    WithDialog([&](TForm4& d) {
      if (d.SpecChars->Checked() != c.special) Click(d.SpecChars);
      Retype(d.Memo1, c.memo);
      Click(d.OkButton);
    });
    // The editor's text ends every line, the empty last one too.
    EXPECT_EQ(form_->Editor->Text(), "start" + c.inserted + "\r\n") << c.name;
    EXPECT_EQ(RegReadBool(kSettingsKey, "TreatSpecialChars", !c.special), c.special) << c.name;
  }
}

TEST_F(Unit4Test, AnEmptyMemoOrCancelInsertsAndStoresNothing) {
  form_->Editor->SetText("start");
  WithDialog([](TForm4& d) {
    Click(d.SpecChars);
    Click(d.OkButton);
  });
  WithDialog([](TForm4& d) {
    EXPECT_TRUE(d.SpecChars->Checked());
    Retype(d.Memo1, "text");
    QTest::keyClick(WidgetOf(&d), Qt::Key_Escape);
  });
  EXPECT_EQ(form_->Editor->Text(), "start\r\n");
  EXPECT_EQ(Stored("TreatSpecialChars"), "<none>");
}

TEST_F(Unit4Test, LoadFromClipboardTakesPlainTextOnly) {
  Clipboard()->SetAsText("from clipboard");
  WithDialog([](TForm4& d) {
    Click(d.ClipboardButton);
    EXPECT_EQ(d.Memo1->Text(), "from clipboard");
    Click(d.CancelButton);
  });
}

// Another program's text: what the code page (Windows-1251) lacks is left out with one beep, never
// loaded as "?".
TEST_F(Unit4Test, LoadFromClipboardLeavesOutWhatTheCodePageLacksWithABeep) {
  struct Case {
    const char* clipboard;
    std::string memo;
    int beeps;
  };
  const Case cases[] = {
      {"жéx", "\xE6x", 1},
      {"a\nжé✓\nb", "a\r\n\xE6\r\nb", 1},
      {"a\r\n€", "a\r\n\x88", 0},
  };
  for (const Case& c : cases) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
    WithDialog([&](TForm4& d) {
      Retype(d.Memo1, "old");
      const int beeps = MessageBeepCount();
      Click(d.ClipboardButton);
      EXPECT_EQ(d.Memo1->Text(), c.memo) << c.clipboard;
      EXPECT_EQ(MessageBeepCount() - beeps, c.beeps) << c.clipboard;
      Click(d.CancelButton);
    });
  }
}

}  // namespace
