// The Search and Bookmarks menus of the main window, reached through real key events and clicks:
// find and replace through the dialog, find next, go to a line, and the ten bookmarks in the gutter.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/MainWindow.h"
#include "common/ModalForms.h"
#include "common/TestApp.h"
#include "common/UserInput.h"
#include "editctl/qzSupportClasses.h"
#include "editor/Unit1.h"
#include "qt/QtSide.h"
#include "support/RegTools.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"
#include "win/Gdi.h"

using namespace Corvane;

namespace {

class Unit1Search : public corvane::test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Start();
    std::string text;
    for (int i = 1; i <= 40; ++i) text += (i % 10 == 3 ? "my $alpha = " : "print ") + std::to_string(i) + ";\r\n";
    form_->Editor->SetText(text);
    form_->Editor->SetCaretXY(TPoint{1, 1});
  }

  // A key pressed and released as the X server reports it: with the key's code, which says where it lies.
  void SendKey(Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers, quint32 keyCode) {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent event(type, key, modifiers, keyCode, 0, 0, text);
      QApplication::sendEvent(WidgetOf(form_->Editor), &event);
    }
  }

  // The dialog's window and its controls, by their captions.
  static QWidget* DialogWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowTitle() == "Replace") return w;
    return nullptr;
  }
  static QLineEdit* DialogEdit(int index) {
    QWidget* dialog = DialogWindow();
    const QList<QLineEdit*> edits = dialog ? dialog->findChildren<QLineEdit*>() : QList<QLineEdit*>();
    return index < edits.size() ? edits[index] : nullptr;
  }
  static QAbstractButton* DialogButton(const char* caption) {
    QWidget* dialog = DialogWindow();
    if (!dialog) return nullptr;
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
      if (b->text() == caption) return b;
    return nullptr;
  }

  // Answers the prompts and boxes; what they asked stays here.
  std::deque<std::string> entries;
  std::vector<TDialogRequest> asked;
  TDialogHookScope dialogs{[this](TDialogRequest& r) {
    asked.push_back(r);
    if (r.Kind != dkInputQuery) return IDOK;
    if (entries.empty()) return IDCANCEL;
    r.Value = entries.front();
    entries.pop_front();
    return IDOK;
  }};
};

TEST_F(Unit1Search, FindThroughTheDialogThenFindNext) {
  Press(Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(form_->ReplaceDialog1->Showing());
  QLineEdit* findEdit = DialogEdit(0);
  ASSERT_NE(findEdit, nullptr);
  QTest::keyClicks(findEdit, "ALPHA");
  QTest::keyClick(findEdit, Qt::Key_Return);
  EXPECT_EQ(form_->Editor->BlockBegin(), (TPoint{5, 3}));
  EXPECT_EQ(form_->Editor->SelText(), "alpha");

  Press(Qt::Key_F3);
  EXPECT_EQ(form_->Editor->BlockBegin(), (TPoint{5, 13}));
  EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{10, 13}));
  // Backwards from the end of a hit finds that hit first, and leaves the caret at its start.
  form_->FindPrevious1->Click();
  form_->FindPrevious1->Click();
  EXPECT_EQ(form_->Editor->BlockBegin(), (TPoint{5, 3}));
  EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{5, 3}));
  form_->Editor->SetCaretXY(TPoint{1, 20});
  QTest::mouseClick(WidgetOf(form_->FindNextButton), Qt::LeftButton);
  EXPECT_EQ(form_->Editor->BlockBegin(), (TPoint{5, 23}));
  EXPECT_TRUE(asked.empty());

  form_->Editor->SetCaretXY(TPoint{1, 40});
  Press(Qt::Key_F3);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Caption, "Find");
  EXPECT_EQ(asked[0].Text, "Search text 'ALPHA' not found!");

  findEdit->clear();
  QTest::keyClick(findEdit, Qt::Key_Return);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].Caption, "Find");
  EXPECT_EQ(asked[1].Text, "Can't search for empty text!");
  form_->ReplaceDialog1->CloseDialog();
}

// The dialog closed by Esc keeps what was typed and ticked in it, so F3 searches for that.
TEST_F(Unit1Search, TheDialogClosedByEscKeepsItsEntriesForFindNext) {
  const struct {
    const char* typed;
    bool matchCase;
    TPoint found;  // {0, 0}: not found
  } cases[] = {
      {"print", false, {1, 4}},
      {"PRINT", true, {0, 0}},
  };
  for (const auto& c : cases) {
    asked.clear();
    form_->Editor->SetCaretXY(TPoint{1, 3});
    Press(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(form_->ReplaceDialog1->Showing());
    QLineEdit* findEdit = DialogEdit(0);
    ASSERT_NE(findEdit, nullptr);
    findEdit->clear();
    QTest::keyClicks(findEdit, c.typed);
    QCheckBox* matchCase = nullptr;
    for (QCheckBox* box : DialogWindow()->findChildren<QCheckBox*>())
      if (box->text() == "Match &case") matchCase = box;
    ASSERT_NE(matchCase, nullptr);
    if (matchCase->isChecked() != c.matchCase) QTest::keyClick(matchCase, Qt::Key_Space);
    QTest::keyClick(findEdit, Qt::Key_Escape);
    ASSERT_FALSE(form_->ReplaceDialog1->Showing()) << c.typed;
    Press(Qt::Key_F3);
    if (c.found.y == 0) {
      ASSERT_EQ(asked.size(), 1u) << c.typed;
      EXPECT_EQ(asked[0].Text, std::string("Search text '") + c.typed + "' not found!");
    } else {
      EXPECT_TRUE(asked.empty()) << asked.at(0).Text;
      EXPECT_EQ(form_->Editor->BlockBegin(), c.found) << c.typed;
      EXPECT_EQ(form_->Editor->SelText(), c.typed);
    }
  }
}

TEST_F(Unit1Search, ReplaceAllThroughTheDialogAndOneUndo) {
  const std::string before = form_->Editor->Text();
  QTest::mouseClick(WidgetOf(form_->FindButton), Qt::LeftButton);
  ASSERT_TRUE(form_->ReplaceDialog1->Showing());
  QTest::keyClicks(DialogEdit(0), "alpha");
  QTest::keyClicks(DialogEdit(1), "beta_alpha");
  QAbstractButton* all = DialogButton("Replace &All");
  ASSERT_NE(all, nullptr);
  QTest::mouseClick(all, Qt::LeftButton);
  EXPECT_EQ(form_->Editor->Lines()->Get(2), "my $beta_alpha = 3;");
  EXPECT_EQ(form_->Editor->Lines()->Get(32), "my $beta_alpha = 33;");
  EXPECT_TRUE(asked.empty());

  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form_->Editor->Text(), before);

  DialogEdit(0)->setText("gamma");
  QTest::mouseClick(DialogButton("&Replace"), Qt::LeftButton);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Caption, "Replace");
  EXPECT_EQ(asked[0].Text, "Search text 'gamma' could not be replaced!");
  DialogEdit(0)->clear();
  QTest::mouseClick(DialogButton("&Replace"), Qt::LeftButton);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].Text, "Can't replace an empty text!");
  EXPECT_EQ(form_->Editor->Text(), before);
  form_->ReplaceDialog1->CloseDialog();
}

// Search > Find/Replace from the menu, the texts typed into the dialog and its options clicked: whole
// word leaves "alphabet" and "alpha2" alone, Replace takes one hit after the caret at a time and says
// when none is left, and Find Next with Up goes back through the text.
TEST_F(Unit1Search, ReplaceOneAtATimeWithWholeWordThenFindUpFromTheMenu) {
  form_->Editor->SetText("alphabet alpha\r\nalpha2 alpha\r\n");
  form_->Editor->SetCaretXY(TPoint{1, 1});
  WidgetOf(form_.get())->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(WidgetOf(form_.get())));
  corvane::test::Keys(*form_->Editor, "Alt+S");
  ASSERT_TRUE(corvane::test::PressInMenu(Qt::Key_F)) << "the Search menu did not open";
  ASSERT_TRUE(form_->ReplaceDialog1->Showing());
  for (const char* caption : {"Match &whole word only", "&Up", "&Replace", "&Find Next"})
    ASSERT_NE(DialogButton(caption), nullptr) << caption;
  // A check box or radio button is clicked on its mark, at its left; its row may be wider than its text.
  const auto tick = [](const char* caption) {
    QAbstractButton* box = DialogButton(caption);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  };
  corvane::test::Type(DialogEdit(0), "alpha");
  corvane::test::Type(DialogEdit(1), "beta");
  tick("Match &whole word only");
  QTest::mouseClick(DialogButton("&Replace"), Qt::LeftButton);
  EXPECT_EQ(form_->Editor->Lines()->Get(0), "alphabet beta");
  EXPECT_EQ(form_->Editor->Lines()->Get(1), "alpha2 alpha");
  QTest::mouseClick(DialogButton("&Replace"), Qt::LeftButton);
  EXPECT_EQ(form_->Editor->Lines()->Get(1), "alpha2 beta");
  EXPECT_TRUE(asked.empty());
  QTest::mouseClick(DialogButton("&Replace"), Qt::LeftButton);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Text, "Search text 'alpha' could not be replaced!");

  QLineEdit* findEdit = DialogEdit(0);
  QTest::keyClick(findEdit, Qt::Key_A, Qt::ControlModifier);
  corvane::test::Type(findEdit, "beta");
  tick("&Up");
  EXPECT_TRUE(DialogButton("&Up")->isChecked());
  form_->Editor->SetCaretXY(TPoint{12, 2});
  QTest::mouseClick(DialogButton("&Find Next"), Qt::LeftButton);
  EXPECT_EQ(form_->Editor->BlockBegin(), (TPoint{8, 2}));
  QTest::mouseClick(DialogButton("&Find Next"), Qt::LeftButton);
  EXPECT_EQ(form_->Editor->BlockBegin(), (TPoint{10, 1}));
  EXPECT_EQ(form_->Editor->SelText(), "beta");
  EXPECT_EQ(asked.size(), 1u) << asked.back().Text;
  form_->ReplaceDialog1->CloseDialog();
}

TEST_F(Unit1Search, GoToLineNumber) {
  entries = {"12"};
  Press(Qt::Key_F6);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Caption, "Go to Line Number...");
  EXPECT_EQ(asked[0].Text, "Enter the line number here:");
  EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{1, 12}));

  entries = {"x"};
  Press(Qt::Key_F6);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[2].Kind, dkMessageBox);
  EXPECT_EQ(asked[2].Text, "'x' is not a valid integer value.");
  EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{1, 12}));

  Press(Qt::Key_F6);  // cancelled
  EXPECT_EQ(asked.size(), 4u);
  EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{1, 12}));
}

// The real prompt and box, with the keys a user types into them.
TEST_F(Unit1Search, GoToLineNumberThroughTheRealPrompt) {
  using corvane::test::WhenModalWidgetShown;
  const TDialogHookScope real{TDialogHook{}};
  auto typeInto = [](const char* typed) {
    WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QInputDialog*>(w) != nullptr; },
                         [typed](QWidget* prompt) {
                           EXPECT_EQ(prompt->windowTitle(), "Go to Line Number...");
                           // Into its field, which has the dialog's focus whether or not the window
                           // is active yet (on a busy machine it may not be).
                           QWidget* field = prompt->focusWidget() ? prompt->focusWidget() : prompt;
                           corvane::test::Type(field, typed);
                           corvane::test::Press(field, Qt::Key_Return);
                         });
  };
  typeInto("12");
  Press(Qt::Key_F6);
  EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{1, 12}));

  typeInto("x");
  auto shown = std::make_shared<QString>();
  WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                       [shown](QWidget* box) {
                         *shown = static_cast<QMessageBox*>(box)->text();
                         corvane::test::Press(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
                       });
  Press(Qt::Key_F6);
  EXPECT_EQ(*shown, "'x' is not a valid integer value.");
  EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{1, 12}));
}

// Whether bookmark n's picture stands in the gutter of a line, in what the window shows.
bool PictureInGutter(TForm1& form, int n, int line) {
  const TImageDC shot(*form.Editor);
  const QImage image = ImagePixmap(*form.BookmarkImageList, n).toImage();
  const int left = form.Editor->BookMarkOptions()->LeftMargin();
  const int top = (line - form.Editor->TopLine()) * form.Editor->LineHeight();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) == 0) continue;
      const COLORREF expected = static_cast<COLORREF>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
      if (shot.Pixel(left + x, top + y) != expected) return false;
    }
  return true;
}

TEST_F(Unit1Search, BookmarksFromTheKeysWithTheirPicturesAndMenu) {
  // Ctrl+Shift+3 as the digit key, as a US keyboard sends it without a key code (the shifted key "#"),
  // and as X sends it from the key that lies there on a German layout ("§", key code 12).
  const struct {
    Qt::Key key;
    const char* text;
    quint32 keyCode;
  } strokes[] = {{Qt::Key_3, "3", 0}, {Qt::Key_NumberSign, "#", 0}, {Qt::Key_section, "§", 12}};
  const std::string typed = form_->Editor->Text();
  for (const auto& stroke : strokes) {
    form_->Editor->ClearBookMark(3);
    form_->Editor->SetCaretXY(TPoint{4, 6});
    EXPECT_FALSE(PictureInGutter(*form_, 3, 6)) << stroke.text;
    SendKey(stroke.key, QString::fromUtf8(stroke.text), Qt::ControlModifier | Qt::ShiftModifier, stroke.keyCode);
    EXPECT_TRUE(PictureInGutter(*form_, 3, 6)) << stroke.text;
    EXPECT_EQ(form_->Editor->Text(), typed) << stroke.text;
  }

  // Ctrl+Alt+3 goes back, also from a French keyboard, where that key types a double quote.
  for (const auto& [key, keyCode] : {std::pair{Qt::Key_3, 0u}, std::pair{Qt::Key_QuoteDbl, 12u}}) {
    Press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{1, 1}));
    SendKey(key, QString(), Qt::ControlModifier | Qt::AltModifier, keyCode);
    EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{4, 6})) << keyCode;
  }

  form_->Bookmarks1->Click();  // the menu opens
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(form_->SetBookmarkItems[static_cast<std::size_t>(n)]->Caption(),
              (n == 3 ? "Remove Bookmark #" : "Set Bookmark #") + std::to_string(n));
    EXPECT_EQ(form_->GotoBookmarkItems[static_cast<std::size_t>(n)]->Enabled(), n == 3) << n;
  }

  // A bookmark that is not set goes nowhere, and the key types nothing either.
  const std::string text = form_->Editor->Text();
  Press(Qt::Key_5, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(form_->Editor->CaretXY(), (TPoint{4, 6}));
  EXPECT_EQ(form_->Editor->Text(), text);

  // Lines typed above move it; the Set item of a bookmark that exists removes it, wherever the caret is.
  Press(Qt::Key_Home, Qt::ControlModifier);
  Press(Qt::Key_Return);
  EXPECT_TRUE(PictureInGutter(*form_, 3, 7));
  EXPECT_FALSE(PictureInGutter(*form_, 3, 6));
  Press(Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
  int x = 0;
  int y = 0;
  EXPECT_FALSE(form_->Editor->GetBookMark(3, x, y));
  EXPECT_FALSE(PictureInGutter(*form_, 3, 7));
}

}  // namespace
