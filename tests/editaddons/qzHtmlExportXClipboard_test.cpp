// The HTML form of an export as another program on the desktop reads it, through a real X server with
// xclip as that program: the page part of "HTML Format" and the text/html beside it.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/BrowserText.h"
#include "common/MissingTool.h"
#include "common/XClipboard.h"
#include "editctl/qzCustomEdit.h"
#include "highlight/ZuzUderUze.h"
#include "editaddons/qzHtmlExport.h"
#include "win/CodePage.h"

namespace {

using corvane::test::TXClipboardDisplay;

[[maybe_unused]] const auto* const kDisplay = testing::AddGlobalTestEnvironment(new TXClipboardDisplay);

// "HTML Format" data from its StartHTML offset on: the page, without the description block before it.
std::string PageOfHtmlFormat(const std::string& data) {
  const size_t at = data.find("StartHTML:");
  return at == std::string::npos ? std::string() : data.substr(std::stoul(data.substr(at + 10, 10)));
}

TEST(HtmlExportXClipboard, RussianTextReadsBackFromBothHtmlForms) {
  if (!TXClipboardDisplay::ToolsInstalled()) SKIP_WITHOUT_TOOL("Xvfb and xclip");
  ASSERT_FALSE(TXClipboardDisplay::Display().empty()) << "Xvfb did not start";
  corvane::test::EnsureApplication();
  ASSERT_EQ(QGuiApplication::platformName(), "xcb");
  SetACP(TAnsiCodePage::cp1251);
  TqzCustomEdit edit(nullptr);
  edit.HandleNeeded();
  const std::unique_ptr<TZuzUderUze> perl(CreatePerlColorScheme(nullptr, TPerlColorScheme::StandardSyntax));
  edit.SetHighLighter(perl.get());
  edit.SetText("# \xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!\r\nprint \"\xB8\xE6\";");
  edit.SelectAll();
  TqzHtmlExport exporter(nullptr);
  exporter.CopyToClipboard(&edit, perl.get());

  struct Case {
    const char* type;
    bool described;  // the page follows a description block
  };
  const Case cases[] = {{"text/html", false}, {"application/x-qt-windows-mime;value=\"HTML Format\"", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    const QByteArray bytes = corvane::test::XClip({"-o", "-t", c.type});
    ASSERT_FALSE(bytes.isEmpty());
    const std::string data = bytes.toStdString();
    const std::string page = c.described ? PageOfHtmlFormat(data) : data;
    for (const auto charset : corvane::test::kAssumedCharsets)
      EXPECT_NE(corvane::test::BrowserText(page, charset).find("# Привет, мир!\nprint \"ёж\";"), std::string::npos)
          << page;
  }
  edit.SetHighLighter(nullptr);
}

}  // namespace
