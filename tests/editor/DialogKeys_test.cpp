// Enter and Esc typed into the focused control of a dialog: Esc cancels from every field, Enter presses
// the default button, except where the control keeps the key (a memo's new line) or the focus is on a
// button (Enter presses that one).
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <ostream>
#include <string>

#include "common/EditorWindow.h"
#include "editor/InsEdit.h"
#include "editor/Print.h"
#include "editor/QsEdit.h"
#include "editor/Template.h"
#include "editor/Unit4.h"
#include "qt/QtSide.h"
#include "support/SpinEdit.h"
#include "vcl/ComCtrls.h"
#include "vcl/StdCtrls.h"

using namespace Corvane;

namespace {

struct DialogKeyCase {
  std::string name;
  TMenuItem* TForm1::*item;
  std::function<TWinControl*(TCustomForm&)> field;
  Qt::Key key;
  TModalResult result;  // mrNone: the dialog stays open
};

void PrintTo(const DialogKeyCase& c, std::ostream* os) { *os << c.name; }

template <class D, class F>
std::function<TWinControl*(TCustomForm&)> Field(F field) {
  return [field](TCustomForm& form) { return field(static_cast<D&>(form)); };
}

class DialogKeys : public corvane::test::EditorWindowTest, public ::testing::WithParamInterface<DialogKeyCase> {};

TEST_P(DialogKeys, TheKeyInTheFocusedControlDecidesAsTheDialogShould) {
  const DialogKeyCase& c = GetParam();
  WithDialog<TCustomForm>(form_.get()->*c.item, [&](TCustomForm& dialog) {
    TWinControl* field = c.field(dialog);
    field->SetFocus();
    QTest::keyClick(WidgetOf(field), c.key);
    EXPECT_EQ(dialog.ModalResult(), c.result);
    if (dialog.ModalResult() == mrNone) dialog.SetModalResult(mrCancel);
  });
}

TWinControl* EnvValue(TEnvEditForm& d) { return d.VarValues[0]; }
TWinControl* EnvName(TEnvEditForm& d) { return d.VarNames[2]; }
TWinControl* EnvParameters(TEnvEditForm& d) {
  d.PageControl1->SetActivePage(d.ParametersSheet);
  return d.Memo1;
}
TWinControl* EnvQuery(TEnvEditForm& d) {
  d.PageControl1->SetActivePage(d.ParametersSheet);
  return d.QsEdit;
}
TWinControl* EnvLinkBox(TEnvEditForm& d) {
  d.PageControl1->SetActivePage(d.ParametersSheet);
  return d.CheckBox1;
}

const DialogKeyCase kCases[] = {
    {"EnvValueEsc", &TForm1::EditEnvironment1, Field<TEnvEditForm>(EnvValue), Qt::Key_Escape, mrCancel},
    {"EnvValueEnter", &TForm1::EditEnvironment1, Field<TEnvEditForm>(EnvValue), Qt::Key_Return, mrOk},
    {"EnvNameEsc", &TForm1::EditEnvironment1, Field<TEnvEditForm>(EnvName), Qt::Key_Escape, mrCancel},
    {"EnvReadOnlyQueryEnter", &TForm1::EditEnvironment1, Field<TEnvEditForm>(EnvQuery), Qt::Key_Return, mrOk},
    {"EnvLinkBoxEnter", &TForm1::EditEnvironment1, Field<TEnvEditForm>(EnvLinkBox), Qt::Key_Return, mrOk},
    {"EnvParametersEsc", &TForm1::EditEnvironment1, Field<TEnvEditForm>(EnvParameters), Qt::Key_Escape, mrCancel},
    {"EnvParametersEnter", &TForm1::EditEnvironment1, Field<TEnvEditForm>(EnvParameters), Qt::Key_Return, mrNone},
    {"EnvCancelButtonEnter", &TForm1::EditEnvironment1,
     Field<TEnvEditForm>([](TEnvEditForm& d) { return d.CancelButton; }), Qt::Key_Return, mrCancel},
    {"QuickInsertHotKeyEsc", &TForm1::EditList1, Field<TInsForm>([](TInsForm& d) { return d.HotKeys[3]; }),
     Qt::Key_Escape, mrCancel},
    {"QuickInsertHotKeyEnter", &TForm1::EditList1, Field<TInsForm>([](TInsForm& d) { return d.HotKeys[3]; }),
     Qt::Key_Return, mrOk},
    {"QuickInsertTextEsc", &TForm1::EditList1, Field<TInsForm>([](TInsForm& d) { return d.Edits[0]; }),
     Qt::Key_Escape, mrCancel},
    {"QuickInsertHeaderKeypadEnter", &TForm1::EditList1, Field<TInsForm>([](TInsForm& d) { return d.HeaderEdit; }),
     Qt::Key_Enter, mrOk},
    {"TemplateEsc", &TForm1::FileTemplate1, Field<TTempltForm>([](TTempltForm& d) { return d.TemplateMemo; }),
     Qt::Key_Escape, mrCancel},
    {"TemplateEnter", &TForm1::FileTemplate1, Field<TTempltForm>([](TTempltForm& d) { return d.TemplateMemo; }),
     Qt::Key_Return, mrNone},
    {"PrintFunctionEsc", &TForm1::PrintFunction1, Field<TForm4>([](TForm4& d) { return d.Memo1; }), Qt::Key_Escape,
     mrCancel},
    {"PrintFunctionBoxEnter", &TForm1::PrintFunction1, Field<TForm4>([](TForm4& d) { return d.SpecChars; }),
     Qt::Key_Return, mrOk},
    {"PrintCopiesEsc", &TForm1::Print1, Field<TPrintForm>([](TPrintForm& d) { return d.Copies; }), Qt::Key_Escape,
     mrCancel},
};

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogKeys, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

using DialogKeyControls = corvane::test::EditorWindowTest;

// A hot-key field keeps the keys it records: with the default rules Esc alone becomes Alt+Esc.
TEST_F(DialogKeyControls, AHotKeyFieldKeepsAnEscItRecords) {
  WithDialog<TInsForm>(form_->EditList1, [](TInsForm& d) {
    THotKey* field = d.HotKeys[0];
    field->Modifiers = {THKModifier::hkAlt};
    field->SetFocus();
    QTest::keyClick(WidgetOf(field), Qt::Key_Escape);
    EXPECT_EQ(d.ModalResult(), mrNone);
    EXPECT_EQ(field->HotKey(), ShortCut(VK_ESCAPE, TShiftState{ssAlt}));
    d.SetModalResult(mrCancel);
  });
}

// Enter in a memo makes its new line; what the dialog stores after Esc there is nothing.
TEST_F(DialogKeyControls, EnterInAMemoIsANewLineAndEscThereWritesNothing) {
  WithDialog<TTempltForm>(form_->FileTemplate1, [](TTempltForm& d) {
    d.TemplateMemo->SetText("a");
    d.TemplateMemo->SetFocus();
    QTest::keyClick(WidgetOf(d.TemplateMemo), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(WidgetOf(d.TemplateMemo), Qt::Key_Return);
    QTest::keyClicks(WidgetOf(d.TemplateMemo), "b");
    EXPECT_EQ(d.TemplateMemo->Text(), "a\r\nb");
    QTest::keyClick(WidgetOf(d.TemplateMemo), Qt::Key_Escape);
  });
  EXPECT_EQ(Stored("FileTemplate"), "<none>");
}

}  // namespace
