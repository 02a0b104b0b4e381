// Characters the code page lacks, typed, composed, pasted or dropped into the text fields of the
// dialogs: they are left out with one beep and the others go in, so none turns into "?" on its way to
// the program. The code page is Windows-1251: "ж" is in it, "é" and "✓" are not.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>
#include <ostream>
#include <string>

#include "common/EditorWindow.h"
#include "common/ModalForms.h"
#include "common/UserInput.h"
#include "editor/InsEdit.h"
#include "editor/QsEdit.h"
#include "editor/Template.h"
#include "editor/Unit4.h"
#include "qt/QtSide.h"
#include "vcl/ComCtrls.h"
#include "vcl/StdCtrls.h"
#include "win/WinUser.h"

using namespace Corvane;

namespace {

using TSteps = std::function<void(QWidget* field)>;
class DialogChars;

struct FieldCase {
  std::string name;
  // Opens the dialog, runs the steps on the field's widget and closes the dialog again.
  std::function<void(DialogChars&, const TSteps&)> open;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

QString FieldText(QWidget* field) {
  if (auto* line = qobject_cast<QLineEdit*>(field)) return line->text();
  return static_cast<QPlainTextEdit*>(field)->toPlainText();
}

// Text dragged from another program and let go over the middle of the field.
void DropText(QWidget* field, const QString& text) {
  auto* memo = qobject_cast<QPlainTextEdit*>(field);
  QWidget* target = memo ? memo->viewport() : field;
  QMimeData mime;
  mime.setText(text);
  const QPointF at = QRectF(target->rect()).center();
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &move);
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
}

struct Way {
  const char* name;
  std::function<void(QWidget*)> give;
};

const Way kWays[] = {
    {"typed", [](QWidget* f) { corvane::test::TypeText(f, QString::fromUtf8("жéx")); }},
    {"composed", [](QWidget* f) { corvane::test::CommitText(f, QString::fromUtf8("жéx")); }},
    {"pasted", [](QWidget* f) {
       QGuiApplication::clipboard()->setText(QString::fromUtf8("жé✓x"));
       corvane::test::Keys(f, "Ctrl+V");
     }},
    {"dropped", [](QWidget* f) { DropText(f, QString::fromUtf8("ж✓éx")); }},
};

class DialogChars : public corvane::test::EditorWindowTest, public ::testing::WithParamInterface<FieldCase> {
 public:
  template <class D>
  void Modal(TMenuItem* TForm1::*item, const std::function<TWinControl*(D&)>& field, const TSteps& steps) {
    WithDialog<D>(form_.get()->*item, [&](D& dialog) {
      TWinControl* control = field(dialog);
      control->SetFocus();
      steps(WidgetOf(control));
      dialog.SetModalResult(mrCancel);
    });
  }

  // The prompt of an input query, as the menu item opens it.
  void Prompt(TMenuItem* TForm1::*item, const TSteps& steps) {
    bool shown = false;
    corvane::test::WhenModalWidgetShown([](QWidget* w) { return qobject_cast<QInputDialog*>(w) != nullptr; },
                                        [&](QWidget* prompt) {
                                          shown = true;
                                          steps(prompt->findChild<QLineEdit*>());
                                          static_cast<QInputDialog*>(prompt)->reject();
                                        });
    (form_.get()->*item)->Click();
    EXPECT_TRUE(shown);
  }

  // The find or replace dialog, open beside the window: its first or second field.
  void Finder(int index, const TSteps& steps) {
    QTest::keyClick(WidgetOf(form_->Editor), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(form_->ReplaceDialog1->Showing());
    QWidget* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowTitle() == "Replace") dialog = w;
    ASSERT_NE(dialog, nullptr);
    const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
    ASSERT_GT(edits.size(), index);
    steps(edits[index]);
    form_->ReplaceDialog1->CloseDialog();
  }
};

TEST_P(DialogChars, AFieldLeavesOutWhatTheCodePageLacksWithABeep) {
  GetParam().open(*this, [](QWidget* field) {
    ASSERT_NE(field, nullptr);
    for (const Way& way : kWays) {
      SCOPED_TRACE(way.name);
      corvane::test::Keys(field, "Ctrl+A");
      corvane::test::Press(field, Qt::Key_Delete);
      const int beeps = MessageBeepCount();
      way.give(field);
      EXPECT_EQ(FieldText(field).toStdString(), "жx");
      EXPECT_EQ(MessageBeepCount() - beeps, 1);
    }
  });
}

template <class D>
FieldCase InDialog(const std::string& name, TMenuItem* TForm1::*item, std::function<TWinControl*(D&)> field) {
  return {name, [item, field](DialogChars& t, const TSteps& steps) { t.Modal<D>(item, field, steps); }};
}

const FieldCase kFields[] = {
    {"FindWhat", [](DialogChars& t, const TSteps& steps) { t.Finder(0, steps); }},
    {"ReplaceWith", [](DialogChars& t, const TSteps& steps) { t.Finder(1, steps); }},
    {"RunParameters", [](DialogChars& t, const TSteps& steps) { t.Prompt(&TForm1::RunParam1, steps); }},
    InDialog<TEnvEditForm>("EnvironmentValue", &TForm1::EditEnvironment1,
                           [](TEnvEditForm& d) -> TWinControl* { return d.VarValues[0]; }),
    InDialog<TEnvEditForm>("EnvironmentParameters", &TForm1::EditEnvironment1, [](TEnvEditForm& d) -> TWinControl* {
      d.PageControl1->SetActivePage(d.ParametersSheet);
      return d.Memo1;
    }),
    InDialog<TInsForm>("QuickInsertText", &TForm1::EditList1, [](TInsForm& d) -> TWinControl* { return d.Edits[0]; }),
    InDialog<TTempltForm>("FileTemplate", &TForm1::FileTemplate1,
                          [](TTempltForm& d) -> TWinControl* { return d.TemplateMemo; }),
    InDialog<TForm4>("PrintFunction", &TForm1::PrintFunction1, [](TForm4& d) -> TWinControl* { return d.Memo1; }),
};

INSTANTIATE_TEST_SUITE_P(Fields, DialogChars, ::testing::ValuesIn(kFields),
                         [](const auto& info) { return info.param.name; });

}  // namespace
