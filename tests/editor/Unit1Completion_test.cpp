// Ctrl+Space in the main window's editor offers the quick-insert texts at the caret.
#include <gtest/gtest.h>

#include <QTest>

#include <string>

#include "common/EditorWindow.h"
#include "common/UserInput.h"
#include "editaddons/qzCompletionProposal.h"

using namespace Corvane;

namespace {

using namespace corvane::test;

class Unit1Completion : public EditorWindowTest {};

TEST_F(Unit1Completion, OffersTheQuickInsertsAndReplacesTheWord) {
  TStrings* items = form_->Compl->ItemList();
  ASSERT_EQ(items->Count(), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(items->Strings(i), kDefaultQuickInserts[i]);
  EXPECT_EQ(form_->Compl->Editor(), form_->Editor);

  TqzCustomEdit& editor = *form_->Editor;
  editor.SetFocus();
  editor.Lines()->SetText("");
  Type(editor, "  pri");
  corvane::test::Press(editor, Qt::Key_Space, Qt::ControlModifier);
  Settle();
  TCompletionProposalForm* popup = form_->Compl->Form();
  ASSERT_TRUE(popup->Visible());
  EXPECT_EQ(popup->CurrentString(), "pri");
  TWinControl& list = *popup->ActiveControl();
  corvane::test::Press(list, Qt::Key_Down);
  corvane::test::Press(list, Qt::Key_Return);
  EXPECT_EQ(editor.LineText(), std::string("  ") + kDefaultQuickInserts[2]);
  EXPECT_TRUE(PumpUntil([&] { return !popup->Visible(); }));
}

}  // namespace
