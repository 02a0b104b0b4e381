#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/EditorWindow.h"
#include "common/TestFiles.h"
#include "editor/QsEdit.h"
#include "qt/QtSide.h"
#include "win/Shell.h"

using namespace Corvane;

namespace {

using corvane::test::Click;
using corvane::test::PumpUntil;
using corvane::test::Retype;

class QsEditTest : public corvane::test::EditorWindowTest {
 protected:
  void WithDialog(const std::function<void(TEnvEditForm&)>& steps) {
    EditorWindowTest::WithDialog<TEnvEditForm>(form_->EditEnvironment1, steps);
  }

  std::vector<std::string> RunScript() {
    const std::string path = dir_ + "/scripts/env.pl";
    corvane::test::WriteFile(path, "print \"$_=$ENV{$_}\\n\" for sort keys %ENV;\n"
                                   "print 'ARGV=', join('|', @ARGV), \"\\n\";\n");
    form_->Open(path, false);
    form_->Memo1->Hint.clear();
    form_->Run1Click(nullptr);
    EXPECT_TRUE(PumpUntil([&] { return form_->Memo1->Hint == "Done. Plese pres F9 to return to Edit mode."; }));
    std::vector<std::string> lines;
    for (int i = 0; i < form_->Memo1->Lines()->Count(); ++i) lines.push_back(form_->Memo1->Lines()->Get(i));
    form_->Run1Click(nullptr);
    return lines;
  }
};

TEST_F(QsEditTest, ShowsTheStoredSettingsDecodedAndLinksTheQueryToTheParameters) {
  WithDialog([](TEnvEditForm& d) {
    EXPECT_EQ(d.Caption(), "Environment Variables Editor");
    EXPECT_EQ(d.VarNames[0]->Text(), "HTTP_USER_AGENT");
    EXPECT_EQ(d.VarValues[0]->Text(), "Mozilla/4.0 (compatible; Ombrix Tarnwick 2.1)");
    EXPECT_EQ(d.VarNames[4]->Text(), "SERVER_NAME");
    EXPECT_EQ(d.Memo1->Text(), "name=Ombrix Tarnwick\r\nemail=user@example.com");
    // The link is on by default: the query shows the parameters, read-only.
    EXPECT_TRUE(d.CheckBox1->Checked());
    EXPECT_EQ(d.QsEdit->Text(), "name=Ombrix+Tarnwick&email=user%40example%2ecom");
    EXPECT_TRUE(d.QsEdit->ReadOnly());
    Retype(d.Memo1, "k=v w");
    EXPECT_EQ(d.QsEdit->Text(), "k=v+w");
    Click(d.CheckBox1);
    EXPECT_FALSE(d.QsEdit->ReadOnly());
    Retype(d.Memo1, "k=2");
    EXPECT_EQ(d.QsEdit->Text(), "k=v+w");
    QTest::keyClick(WidgetOf(&d), Qt::Key_Escape);
  });
  EXPECT_EQ(Stored("ScriptParameters"), "<none>");
}

TEST_F(QsEditTest, OkStoresTheEditsAndTheNextRunGetsThem) {
  WithDialog([](TEnvEditForm& d) {
    Retype(d.VarNames[0], "A=B");
    Retype(d.VarValues[0], "  spaced");
    Retype(d.VarNames[2], "   ");
    Retype(d.VarValues[2], "three");
    Retype(d.Memo1, "a b=c&d\nx=\nno pair");
    Click(d.OkButton);
  });
  EXPECT_EQ(Stored("ScriptParameters"), "a+b=c%26d x=");
  EXPECT_EQ(Stored("QueryString"), "a+b=c%26d&x=");
  EXPECT_EQ(Stored("EnvVar1"), "AB=  spaced");
  EXPECT_EQ(Stored("EnvVar3"), "ENV_VAR_3=three");
  EXPECT_TRUE(RegReadBool(kSettingsKey, "ParamsByGET", false));

  WithDialog([](TEnvEditForm& d) {
    EXPECT_EQ(d.Memo1->Text(), "a b=c&d\r\nx=");
    EXPECT_EQ(d.VarNames[0]->Text(), "AB");
    EXPECT_EQ(d.VarValues[0]->Text(), "  spaced");
    EXPECT_EQ(d.VarNames[2]->Text(), "ENV_VAR_3");
    QTest::keyClick(WidgetOf(&d), Qt::Key_Escape);
  });

  const std::vector<std::string> output = RunScript();
  auto has = [&](const std::string& line) { return std::find(output.begin(), output.end(), line) != output.end(); };
  EXPECT_TRUE(has("QUERY_STRING=a+b=c%26d&x=")) << ::testing::PrintToString(output);
  EXPECT_TRUE(has("AB=  spaced"));
  EXPECT_TRUE(has("ENV_VAR_3=three"));
  EXPECT_TRUE(has("ARGV=a+b=c%26d|x="));

  // A single "=" line stands for no parameters at all.
  WithDialog([](TEnvEditForm& d) {
    Retype(d.Memo1, "=");
    Click(d.OkButton);
  });
  EXPECT_EQ(Stored("ScriptParameters"), "=");
  const std::vector<std::string> none = RunScript();
  EXPECT_NE(std::find(none.begin(), none.end(), "ARGV="), none.end()) << ::testing::PrintToString(none);
}

// The "Help!" button opens the page beside the program, and that page names every variable a run
// gives the script and shows the GET link the default parameters make.
TEST_F(QsEditTest, TheHelpPageExplainsTheParametersAndEveryVariableOfARun) {
  std::vector<std::string> opened;
  TShellHookScope hook([&](const TShellRequest& request) {
    opened.push_back(request.File);
    return 33;
  });
  WithDialog([](TEnvEditForm& d) {
    Click(d.HelpButton);
    QTest::keyClick(WidgetOf(&d), Qt::Key_Escape);
  });
  ASSERT_EQ(opened.size(), 1u);
  // The build puts the page among the programs' files.
  const std::filesystem::path built = corvane::test::BuildDataFolder() / "help" / "speditor.htm";
  EXPECT_EQ(opened[0], built.string());
  const std::string page = corvane::test::ReadFile(built.string());
  ASSERT_FALSE(page.empty()) << built;
  EXPECT_NE(page.find("?name=Ombrix+Tarnwick&amp;email=user%40example%2ecom"), std::string::npos);
  for (const std::string& line : RunScript()) {
    const std::string name = line.substr(0, line.find('='));
    if (name != "ARGV") {
      EXPECT_NE(page.find(name), std::string::npos) << name;
    }
  }
}

TEST_F(QsEditTest, CancelTheCloseBoxAndEscStoreNothing) {
  const std::vector<std::pair<const char*, std::function<void(TEnvEditForm&)>>> endings = {
      {"Cancel", [](TEnvEditForm& d) { Click(d.CancelButton); }},
      {"close box", [](TEnvEditForm& d) { WidgetOf(&d)->close(); }},
      {"Esc", [](TEnvEditForm& d) { QTest::keyClick(WidgetOf(&d), Qt::Key_Escape); }},
  };
  for (const auto& [name, end] : endings) {
    WithDialog([&](TEnvEditForm& d) {
      Retype(d.VarValues[1], "changed");
      Retype(d.Memo1, "p=q");
      end(d);
    });
    for (const char* value : {"EnvVar2", "ScriptParameters", "QueryString", "ParamsByGET"})
      EXPECT_EQ(Stored(value), "<none>") << name << " " << value;
  }
}

TEST_F(QsEditTest, ResetPutsTheDefaultVariablesBackWithoutWriting) {
  RegWriteString(kSettingsKey, "EnvVar4", "MINE=1");
  WithDialog([](TEnvEditForm& d) {
    EXPECT_EQ(d.VarNames[3]->Text(), "MINE");
    Retype(d.VarValues[0], "changed");
    Retype(d.Memo1, "p=q");
    Click(d.ResetButton);
    EXPECT_EQ(d.VarNames[3]->Text(), "REMOTE_ADDR");
    EXPECT_EQ(d.VarValues[3]->Text(), "127.0.0.1");
    EXPECT_EQ(d.VarValues[0]->Text(), "Mozilla/4.0 (compatible; Ombrix Tarnwick 2.1)");
    EXPECT_EQ(d.Memo1->Text(), "p=q");
    EXPECT_EQ(Stored("EnvVar4"), "MINE=1");
    Click(d.CancelButton);
  });
}

TEST(QsEditParameters, StoredParametersBecomeDecodedLines) {
  EXPECT_EQ(ParametersAsLines("name=Ombrix+Tarnwick"), "name=Ombrix Tarnwick");
  EXPECT_EQ(ParametersAsLines(""), "=");
  EXPECT_EQ(ParametersAsLines("a%3db=c\r\n d  e"), "a=b=c\r\nd=\r\n=\r\ne=");
}

}  // namespace
