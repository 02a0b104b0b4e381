// Enter and Esc typed into a dialog's fields: Esc cancels from every field, a memo included; Enter in a
// one-line field presses the default button, in a memo it starts a new line.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <string>

#include "common/EditorWindow.h"
#include "editor/InsEdit.h"
#include "editor/Print.h"
#include "editor/QsEdit.h"
#include "editor/Template.h"
#include "editor/Unit4.h"
#include "support/SpinEdit.h"
#include "vcl/ComCtrls.h"
#include "vcl/StdCtrls.h"

namespace {

struct DialogKeyCase {
  std::string name;
  TMenuItem* TForm1::*item;
  std::function<TWinControl*(TCustomForm&)> field;
  Qt::Key key;
  TModalResult result;  // mrNone: the dialog stays open
};

template <class D, class F>
std::function<TWinControl*(TCustomForm&)> Field(F field) {
  return [field](TCustomForm& form) { return field(static_cast<D&>(form)); };
}

TWinControl* OnParameters(TEnvEditForm& d) {
  d.PageControl1->SetActivePage(d.ParametersSheet);
  return d.Memo1;
}

class DialogKeys : public corvane::test::EditorWindowTest, public ::testing::WithParamInterface<DialogKeyCase> {};

TEST_P(DialogKeys, TheKeyInTheFocusedFieldDecidesAsTheDialogShould) {
  const DialogKeyCase& c = GetParam();
  WithDialog<TCustomForm>(form_.get()->*c.item, [&](TCustomForm& dialog) {
    TWinControl* field = c.field(dialog);
    field->SetFocus();
    QTest::keyClick(field->Widget(), c.key);
    EXPECT_EQ(dialog.ModalResult(), c.result);
    if (dialog.ModalResult() == mrNone) dialog.SetModalResult(mrCancel);
  });
}

const DialogKeyCase kCases[] = {
    {"EnvValueEsc", &TForm1::EditEnvironment1, Field<TEnvEditForm>([](TEnvEditForm& d) { return d.VarValues[0]; }),
     Qt::Key_Escape, mrCancel},
    {"EnvValueEnter", &TForm1::EditEnvironment1, Field<TEnvEditForm>([](TEnvEditForm& d) { return d.VarValues[0]; }),
     Qt::Key_Return, mrOk},
    {"EnvParametersEsc", &TForm1::EditEnvironment1, Field<TEnvEditForm>(OnParameters),
     Qt::Key_Escape, mrCancel},
    {"EnvParametersEnter", &TForm1::EditEnvironment1, Field<TEnvEditForm>(OnParameters),
     Qt::Key_Return, mrNone},
    {"QuickInsertEsc", &TForm1::EditList1, Field<TInsForm>([](TInsForm& d) { return d.Edits[0]; }), Qt::Key_Escape,
     mrCancel},
    {"QuickInsertEnter", &TForm1::EditList1, Field<TInsForm>([](TInsForm& d) { return d.HeaderEdit; }), Qt::Key_Enter,
     mrOk},
    {"TemplateEsc", &TForm1::FileTemplate1, Field<TTempltForm>([](TTempltForm& d) { return d.TemplateMemo; }),
     Qt::Key_Escape, mrCancel},
    {"TemplateEnter", &TForm1::FileTemplate1, Field<TTempltForm>([](TTempltForm& d) { return d.TemplateMemo; }),
     Qt::Key_Return, mrNone},
    {"PrintFunctionEsc", &TForm1::PrintFunction1, Field<TForm4>([](TForm4& d) { return d.Memo1; }), Qt::Key_Escape,
     mrCancel},
    {"PrintCopiesEsc", &TForm1::Print1, Field<TPrintForm>([](TPrintForm& d) { return d.Copies; }), Qt::Key_Escape,
     mrCancel},
};

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogKeys, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
