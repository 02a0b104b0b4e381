#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/EditorWindow.h"
#include "common/TestFiles.h"
#include "editor/Template.h"
#include "qt/QtSide.h"

using namespace Corvane;

namespace {

using corvane::test::Click;
using corvane::test::Retype;

class TemplateTest : public corvane::test::EditorWindowTest {
 protected:
  void WithDialog(const std::function<void(TTempltForm&)>& steps) {
    EditorWindowTest::WithDialog<TTempltForm>(form_->FileTemplate1, steps);
  }
};

TEST_F(TemplateTest, OkStoresTheEditedTemplateAndANewFileStartsWithIt) {
  WithDialog([](TTempltForm& d) {
    EXPECT_EQ(d.TemplateMemo->Text(), kDefaultFileTemplate);
    Retype(d.TemplateMemo, "#!/usr/bin/perl -w\nuse strict;");
    Click(d.OkButton);
  });
  EXPECT_EQ(Stored("FileTemplate"), "#!/usr/bin/perl -w\r\nuse strict;");
  WithDialog([](TTempltForm& d) {
    EXPECT_EQ(d.TemplateMemo->Text(), "#!/usr/bin/perl -w\r\nuse strict;");
    Click(d.CancelButton);
  });
  form_->New1Click(nullptr);
  EXPECT_EQ(form_->Editor->Lines()->Get(1), "use strict;");
}

TEST_F(TemplateTest, DefaultAndUseCurrentFillTheMemoAndOkStoresExactlyThat) {
  RegWriteString(kSettingsKey, "FileTemplate", "mine");
  WithDialog([](TTempltForm& d) {
    Click(d.DefaultButton);
    EXPECT_EQ(Stored("FileTemplate"), "mine");
    Click(d.OkButton);
  });
  EXPECT_EQ(Stored("FileTemplate"), kDefaultFileTemplate);

  form_->Editor->SetText("line one\r\nline two");
  WithDialog([](TTempltForm& d) {
    Click(d.UseCurrentButton);
    EXPECT_EQ(d.TemplateMemo->Text(), "line one\r\nline two");
    Click(d.OkButton);
  });
  EXPECT_EQ(Stored("FileTemplate"), "line one\r\nline two");
}

TEST_F(TemplateTest, LoadReplacesTheMemoWithTheChosenFileAndCancellingChangesNothing) {
  const std::string file = dir_ + "/scripts/start.pl";
  corvane::test::WriteFile(file, "#!perl\nprint 1;\n");
  std::vector<std::string> answers = {file, ""};
  TDialogHookScope hook([&](TDialogRequest& request) {
    const std::string answer = answers.front();
    answers.erase(answers.begin());
    EXPECT_EQ(request.Filter, "Perl files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi|All files|*.*");
    if (answer.empty()) return IDCANCEL;
    request.Value = answer;
    return IDOK;
  });
  WithDialog([](TTempltForm& d) {
    Click(d.LoadButton);
    EXPECT_EQ(d.TemplateMemo->Text(), "#!perl\r\nprint 1;");
    Click(d.LoadButton);
    EXPECT_EQ(d.TemplateMemo->Text(), "#!perl\r\nprint 1;");
    Click(d.CancelButton);
  });
}

TEST_F(TemplateTest, CancelTheCloseBoxAndEscStoreNothing) {
  const std::vector<std::pair<const char*, std::function<void(TTempltForm&)>>> endings = {
      {"Cancel", [](TTempltForm& d) { Click(d.CancelButton); }},
      {"close box", [](TTempltForm& d) { WidgetOf(&d)->close(); }},
      {"Esc", [](TTempltForm& d) { QTest::keyClick(WidgetOf(&d), Qt::Key_Escape); }},
  };
  for (const auto& [name, end] : endings) {
    WithDialog([&](TTempltForm& d) {
      Retype(d.TemplateMemo, "changed");
      end(d);
    });
    EXPECT_EQ(Stored("FileTemplate"), "<none>") << name;
  }
}

}  // namespace
